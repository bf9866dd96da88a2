#include "app/PemtrixMain.h"

#include <cstdio>
#include <string>
#include <vector>

#include "app/AppDelegate.h"
#include "app/CommandLine.h"
#include "app/EvalCommand.h"
#include "app/ScriptRunner.h"
#include "cocos/base/Files.h"
#include "cocos/services/store/UserDefault.h"
#include "cocos/window/GLViewImpl.h"
#include "engine/PreferenceSource.h"
#include "screens/StorePreferences.h"
#include "engine/RandomEngine.h"
#include "platform/ResourceLocation.h"
#include "platform/StoreLocation.h"
#include "screens/HistoryPrefetch.h"
#include "screens/Version.h"

namespace {

constexpr int kExitUsage = 2;

// The desktop program keeps the size the user gives its window; headless runs and scripts
// neither read nor write it, so that they start alike everywhere.
bool keepsWindowSize(const CommandLine& cl) { return cl.mode == CommandLine::Mode::Window && !cl.headless; }

// The calculator window, or its headless stand-in, optionally driven by a script.
int runCalculator(const CommandLine& cl) {
  using namespace cocos2d;
  const std::string resources = findResourceRoot();
  if (resources.empty()) std::fputs("pemtrix: cannot find the images and sounds (set PEMTRIX_RESOURCES)\n", stderr);
  FileUtils::getInstance()->setDefaultResourceRootPath(resources);
  GLView::setHeadless(cl.headless);
  // Headless runs and scripts use the virtual clock: every frame is exactly 1/60 s.
  Director::getInstance()->setVirtualClock(cl.headless || cl.mode == CommandLine::Mode::Script);
  AppDelegate app(keepsWindowSize(cl));
  Application* application = Application::getInstance();
  int status = 0;
  if (cl.mode == CommandLine::Mode::Script) {
    application->initGLContextAttrs();
    if (!application->applicationDidFinishLaunching()) {
      status = kExitUsage;
    } else {
      Director::getInstance()->mainLoop(0);  // the first scene takes the stage
      status = runScriptFile(cl.scriptPath);
    }
  } else {
    status = application->run() == 0 ? 0 : kExitUsage;
    app.windowClosed();
  }
  Director::getInstance()->reset();
  return status;
}

void openStore(const CommandLine& cl) {
  cocos2d::UserDefault::setStorePath(cl.storePath ? *cl.storePath : platform::defaultStorePath());
  const bool window = cl.mode != CommandLine::Mode::Eval && cl.mode != CommandLine::Mode::EvalStdin;
  if (window) {
    // Opened, and its history read, while the window is being made; the calculator waits for
    // it before it reads the store (AppDelegate). The second thread starts only once the
    // display is open: see GLViewImpl::setDisplayOpenedCallback.
    cocos2d::GLViewImpl::setDisplayOpenedCallback(keepsWindowSize(cl) ? startStorePrefetchWithWindowSize
                                                                        : startStorePrefetch);
  } else {
    setPreferenceSource(storePreferences());
  }
}

}  // namespace

int pemtrixMain(int argc, char** argv) {
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  const ParseResult parsed = parseCommandLine(arguments);
  if (!parsed.ok) {
    std::fprintf(stderr, "pemtrix: %s\nTry 'pemtrix --help'.\n", parsed.error.c_str());
    return kExitUsage;
  }
  const CommandLine& cl = parsed.commandLine;
  switch (cl.mode) {
    case CommandLine::Mode::Help:
      std::fputs(usageText(), stdout);
      return 0;
    case CommandLine::Mode::Version:
      std::printf("pemtrix %s\n", kVersionText);
      return 0;
    default:
      break;
  }
  if (cl.seed) seedRandomEngine(*cl.seed);
  openStore(cl);
  switch (cl.mode) {
    case CommandLine::Mode::Eval:
      return evaluateArguments(cl.expressions, stdout);
    case CommandLine::Mode::EvalStdin:
      return evaluateLines(cocos2d::files::kStandardInput, stdout,
                           cocos2d::files::isTerminal(cocos2d::files::kStandardInput));
    default: {
      const int status = runCalculator(cl);
      finishStorePrefetch();  // in case the calculator never got to wait for it
      setPreferenceSource(nullptr);
      cocos2d::UserDefault::destroyInstance();
      return status;
    }
  }
}
