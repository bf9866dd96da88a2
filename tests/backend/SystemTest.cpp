#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>

#include "cocos/backend/sdl/UrlOpener.h"
#include "tests/backend/BackendTestSupport.h"

namespace {

using namespace pemtrix_test;

// Sets environment variables for one scope and restores them afterwards.
class ScopedEnv {
 public:
  void set(const char* name, const char* value) {
    const char* old = std::getenv(name);
    _saved.push_back({name, old ? std::optional<std::string>(old) : std::nullopt});
    if (value) {
      setenv(name, value, 1);
    } else {
      unsetenv(name);
    }
  }
  ~ScopedEnv() {
    for (auto it = _saved.rbegin(); it != _saved.rend(); ++it) {
      if (it->second) {
        setenv(it->first.c_str(), it->second->c_str(), 1);
      } else {
        unsetenv(it->first.c_str());
      }
    }
  }

 private:
  std::vector<std::pair<std::string, std::optional<std::string>>> _saved;
};

TEST(System, HeadlessClipboardPassesEveryByteThrough) {
  auto backend = openHeadless();
  std::string out;
  EXPECT_FALSE(backend->desktop().getClipboardText(out));
  std::string bytes;
  for (int b = 1; b <= 255; ++b) bytes.push_back(static_cast<char>(b));
  backend->desktop().setClipboardText(bytes);
  ASSERT_TRUE(backend->desktop().getClipboardText(out));
  EXPECT_EQ(out, bytes);
  backend->desktop().setClipboardText("");
  EXPECT_FALSE(backend->desktop().getClipboardText(out));  // empty means no text
}

TEST(System, PreferredLanguageFollowsTheLocaleVariables) {
  const struct {
    const char* lcAll;
    const char* lang;
    const char* language;
    const char* expected;
  } cases[] = {
      {nullptr, "ja_JP.UTF-8", nullptr, "ja"},
      {nullptr, "en_US.UTF-8", nullptr, "en"},
      {nullptr, "de", nullptr, "de"},
      {"fr_FR.UTF-8", "ja_JP.UTF-8", nullptr, "fr"},  // LC_ALL overrides LANG
      {nullptr, "C.UTF-8", "ja", "ja"},               // "C" names no language: next in line
      {nullptr, "C", nullptr, "en"},
      {nullptr, nullptr, nullptr, "en"},
      {"", "", "", "en"},
  };
  SdlBackend backend;
  for (const auto& c : cases) {
    ScopedEnv env;
    env.set("LC_ALL", c.lcAll);
    env.set("LANG", c.lang);
    env.set("LANGUAGE", c.language);
    EXPECT_EQ(backend.desktop().preferredLanguage(), c.expected)
        << (c.lcAll ? c.lcAll : "-") << " " << (c.lang ? c.lang : "-") << " " << (c.language ? c.language : "-");
  }
}

TEST(System, WithoutADisplayOnlyHeadlessOpens) {
  ScopedEnv env;
  env.set("DISPLAY", nullptr);
  env.set("WAYLAND_DISPLAY", nullptr);
  SdlBackend windowed;
  cocos2d::backend::WindowOptions options;
  EXPECT_FALSE(windowed.window().openWindow(options));
  EXPECT_EQ(windowed.window().lastError(), "cannot open a window: no display (set DISPLAY, or use --headless)");
  auto headless = openHeadless();
  EXPECT_TRUE(headless->window().isHeadless());
  EXPECT_TRUE(headless->window().lastError().empty());
}

// Start-up work that runs on a thread of its own begins in this call: only after SDL has opened
// the display (never before: see GLViewImpl::setDisplayOpenedCallback), once, and not at all
// without a display.
TEST(System, DisplayOpenedIsCalledOnceTheDisplayIsOpen) {
  ScopedEnv env;
  env.set("DISPLAY", nullptr);
  env.set("WAYLAND_DISPLAY", nullptr);
  for (const bool headless : {true, false}) {  // without a display only headless opens
    SdlBackend backend;
    cocos2d::backend::WindowOptions options;
    options.headless = headless;
    int calls = 0;
    bool videoReady = false;
    options.displayOpened = [&] {
      ++calls;
      videoReady = SDL_WasInit(SDL_INIT_VIDEO) != 0;
    };
    EXPECT_EQ(backend.window().openWindow(options), headless) << backend.window().lastError();
    EXPECT_EQ(calls, headless ? 1 : 0) << "headless " << headless;
    EXPECT_EQ(videoReady, headless) << "headless " << headless;
  }
}

TEST(System, HeadlessRunsNeitherOpenLinksNorPlaySound) {
  auto backend = openHeadless();
  EXPECT_FALSE(backend->desktop().openURL("https://example.com/"));
  backend->sound().playEffect(PEMTRIX_SOURCE_DIR "/resources/sounds/button45.mp3", false, 1, 0, 1);
}

// The opener started for a link sees standard input, output and error and nothing else of
// ours (a database or a display connection left open in the browser would outlive us).
TEST(System, UrlOpenerInheritsNoDescriptorOfOurs) {
  char folder[] = "/tmp/pemtrix-opener-XXXXXX";
  ASSERT_NE(mkdtemp(folder), nullptr);
  const std::string dir = folder, opener = dir + "/opener", report = dir + "/fds";
  {
    std::ofstream script(opener);
    script << "#!/bin/sh\nls /proc/$$/fd > " << report << ".tmp\necho \"$1\" >> " << report
           << ".tmp\nmv " << report << ".tmp " << report << "\n";
  }
  chmod(opener.c_str(), 0755);
  // A descriptor without close-on-exec, like many libraries' files, at a number the shell
  // running the opener does not use for itself.
  const int opened = open("/dev/null", O_RDONLY);
  ASSERT_GE(opened, 0);
  const int leaked = dup2(opened, 47);
  close(opened);
  ASSERT_EQ(leaked, 47);
  EXPECT_TRUE(cocos2d::backend::sdl::openWithDesktopOpener("https://example.com/?a=1&b=2", opener.c_str()));
  std::string listing;
  for (int i = 0; i < 500 && listing.empty(); ++i) {
    std::ifstream in(report);
    listing.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (listing.empty()) usleep(10000);
  }
  close(leaked);
  std::istringstream lines(listing);
  std::vector<std::string> fds;
  for (std::string line; std::getline(lines, line);) fds.push_back(line);
  ASSERT_FALSE(fds.empty());
  EXPECT_EQ(fds.back(), "https://example.com/?a=1&b=2");
  fds.pop_back();
  EXPECT_EQ(std::count(fds.begin(), fds.end(), "47"), 0) << listing;
  EXPECT_EQ(std::count(fds.begin(), fds.end(), "2"), 1) << "standard error is kept";
  std::filesystem::remove_all(dir);
}

TEST(System, MonotonicClockAdvances) {
  SdlBackend backend;
  const auto a = backend.window().monotonicNanoseconds();
  SDL_Delay(2);
  const auto b = backend.window().monotonicNanoseconds();
  EXPECT_GE(b - a, 1'000'000u);
  EXPECT_LT(b - a, 2'000'000'000u);
}

TEST(System, LoaderUsesTheEntryPointLinkedIntoTheProgram) {
  std::string error;
  auto backend = cocos2d::backend::loadBackend(error);
  ASSERT_NE(backend, nullptr) << error;
  EXPECT_NE(dynamic_cast<SdlBackend*>(backend.get()), nullptr);
}

}  // namespace
