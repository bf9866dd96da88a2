#include "app/PemtrixMain.h"

#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/CommandLine.h"
#include "app/EvalCommand.h"
#include "cocos/base/UserDefault.h"
#include "engine/PreferenceSource.h"
#include "engine/RandomEngine.h"
#include "platform/StoreLocation.h"
#include "screens/Version.h"

namespace {

constexpr int kExitUsage = 2;

void openStore(const CommandLine& cl) {
  cocos2d::UserDefault::setStorePath(cl.storePath ? *cl.storePath : platform::defaultStorePath());
  setPreferenceSource(cocos2d::UserDefault::getInstance());
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
      std::printf("%s\n", kVersionText);
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
      return evaluateLines(STDIN_FILENO, stdout, isatty(STDIN_FILENO) != 0);
    default:
      std::fputs("pemtrix: the calculator window is not part of this build yet; use --eval\n", stderr);
      return kExitUsage;
  }
}
