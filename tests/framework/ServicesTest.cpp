// The platform services: resource lookup, the user's language, sound counting, clipboard and
// links without a window, opening the window, and the application's frame loop.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "tests/framework/FrameworkTestSupport.h"
#include "tests/framework/Ticker.h"

namespace pemtrix_test {
namespace {

using CorePlatform = CoreTest;

// A resource tree under /tmp, removed afterwards.
class TempTree {
 public:
  TempTree() {
    char pattern[] = "/tmp/pemtrix-files-XXXXXX";
    root = ::mkdtemp(pattern);
  }
  ~TempTree() {
    for (auto it = _made.rbegin(); it != _made.rend(); ++it) {
      if (std::remove(it->c_str()) != 0) ::rmdir(it->c_str());
    }
    ::rmdir(root.c_str());
  }
  void dir(const std::string& rel) {
    ::mkdir((root + "/" + rel).c_str(), 0755);
    _made.push_back(root + "/" + rel);
  }
  void file(const std::string& rel) {
    std::FILE* f = std::fopen((root + "/" + rel).c_str(), "w");
    if (f) std::fclose(f);
    _made.push_back(root + "/" + rel);
  }
  std::string root;

 private:
  std::vector<std::string> _made;
};

TEST_F(CorePlatform, FileUtilsSearchesExactlyThePathsInOrder) {
  TempTree t;
  t.dir("images");
  t.dir("buttons");
  t.file("images/both.png");
  t.file("buttons/both.png");
  t.file("buttons/only.png");
  t.file("top.png");
  FileUtils* fu = FileUtils::getInstance();
  fu->setDefaultResourceRootPath(t.root);
  fu->setSearchPaths({});
  EXPECT_EQ(fu->fullPathForFilename("top.png"), t.root + "/top.png") << "no search paths: the root";
  fu->setSearchPaths({"buttons", "images"});
  struct Case {
    std::string name, expected;
  };
  const Case cases[] = {
      {"both.png", t.root + "/buttons/both.png"},
      {"only.png", t.root + "/buttons/only.png"},
      {"top.png", ""},  // beside the search paths, not in one
      {"images/both.png", ""},  // not below a search path
      {t.root + "/top.png", t.root + "/top.png"},  // absolute: as is
      {t.root + "/none.png", ""},
      {"none.png", ""},
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(fu->fullPathForFilename(c.name), c.expected) << c.name;

  fu->setSearchPaths({t.root + "/images"});  // replaces the list; absolute entries kept
  EXPECT_EQ(fu->fullPathForFilename("both.png"), t.root + "/images/both.png");
  EXPECT_EQ(fu->fullPathForFilename("only.png"), "");
}

TEST(CoreLanguage, LocaleVariablesGiveTwoLetterCodes) {
  struct Case {
    const char *lcAll, *lcMessages, *lang;
    const char* expected;
  };
  const Case cases[] = {
      {nullptr, nullptr, "ja_JP.UTF-8", "ja"},
      {nullptr, nullptr, "de_DE", "de"},
      {nullptr, nullptr, "FR", "fr"},
      {"", "", "pt_BR.UTF-8", "pt"},         // empty counts as unset
      {"ko_KR", "fr_FR", "de_DE", "ko"},      // LC_ALL wins
      {nullptr, "fr_FR", "de_DE", "fr"},      // then LC_MESSAGES
      {"C", nullptr, "ja_JP", "en"},          // a set "C" decides, and means English
      {nullptr, nullptr, "C.UTF-8", "en"},
      {nullptr, nullptr, "POSIX", "en"},
      {nullptr, nullptr, nullptr, "en"},
      {nullptr, nullptr, "", "en"},
      {nullptr, nullptr, "x", "en"},
      {nullptr, nullptr, "12_34", "en"},
      {nullptr, nullptr, "english", "en"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(languageCodeFromLocale(c.lcAll, c.lcMessages, c.lang), c.expected)
        << (c.lcAll ? c.lcAll : "-") << " " << (c.lcMessages ? c.lcMessages : "-") << " " << (c.lang ? c.lang : "-");
  }
}

TEST(CoreLanguage, CodesMapToLanguageTypes) {
  struct Case {
    const char* code;
    LanguageType type;
  };
  const Case cases[] = {{"ja", LanguageType::JAPANESE}, {"en", LanguageType::ENGLISH}, {"zh", LanguageType::ENGLISH},
                        {"xx", LanguageType::ENGLISH}, {"", LanguageType::ENGLISH}};
  for (const Case& c : cases) EXPECT_EQ(languageTypeFromCode(c.code), c.type) << c.code;
}

TEST_F(CorePlatform, TheBackendsLanguageWinsWhenThereIsAWindow) {
  fake->desktop().language = "ja";
  EXPECT_STREQ(Application::getCurrentLanguageCode(), "ja");
  EXPECT_EQ(Application::getCurrentLanguage(), LanguageType::JAPANESE);
}

TEST_F(CorePlatform, SoundsAreCountedAndPlayedOnlyWithAWindowThatIsNotHeadless) {
  addImage("click.mp3", 1, 1);  // any file the search paths find
  auto* audio = CocosDenshion::SimpleAudioEngine::getInstance();
  audio->playEffect("click.mp3");
  audio->playEffect("missing.mp3");
  EXPECT_EQ(audio->getPlayCount(), 2u);
  ASSERT_EQ(fake->sound().effects.size(), 1u) << "a file that is not found is not played";
  EXPECT_NE(fake->sound().effects[0].find("/click.mp3"), std::string::npos);

  GLView::setHeadless(true);
  audio->playEffect("click.mp3");
  GLView::setHeadless(false);
  EXPECT_EQ(audio->getPlayCount(), 3u);
  EXPECT_EQ(fake->sound().effects.size(), 1u);

  director()->setOpenGLView(nullptr);
  audio->playEffect("click.mp3");
  EXPECT_EQ(audio->getPlayCount(), 4u);
}

TEST_F(CorePlatform, ClipboardUsesTheBackendOrAProcessString) {
  std::string text;
  EXPECT_TRUE(setClipboardText("1+2"));
  ASSERT_TRUE(fake->desktop().getClipboardText(text));
  EXPECT_EQ(text, "1+2");
  ASSERT_TRUE(getClipboardText(text));
  EXPECT_EQ(text, "1+2");

  director()->setOpenGLView(nullptr);
  EXPECT_FALSE(getClipboardText(text)) << "nothing copied without a window yet";
  const std::string bytes("\x01\xFF\xE6\x97\xA5", 5);
  setClipboardText(bytes);
  ASSERT_TRUE(getClipboardText(text));
  EXPECT_EQ(text, bytes);
  setClipboardText("");
}

// Counts nothing; only here so that there is an application to open links through.
class PlainApp : public Application {
 public:
  bool applicationDidFinishLaunching() override { return true; }
  void applicationDidEnterBackground() override {}
  void applicationWillEnterForeground() override {}
};

TEST_F(CorePlatform, LinksAreRecordedAndOpenedOnlyWhenNotHeadless) {
  PlainApp app;
  EXPECT_TRUE(app.openURL("https://example.org/a"));
  GLView::setHeadless(true);
  EXPECT_TRUE(app.openURL("https://example.org/b"));
  GLView::setHeadless(false);
  const std::vector<std::string>& opened = Application::getOpenedURLs();
  ASSERT_GE(opened.size(), 2u);
  EXPECT_EQ(std::vector<std::string>(opened.end() - 2, opened.end()),
            (std::vector<std::string>{"https://example.org/a", "https://example.org/b"}));
  EXPECT_EQ(fake->desktop().urls, (std::vector<std::string>{"https://example.org/a"}));
}

TEST_F(CorePlatform, OpeningTheWindowPassesTheOptionsAndReportsFailure) {
  GLView::setHeadless(true);
  auto backend = std::make_unique<FakeBackend>();
  FakeBackend* raw = backend.get();
  GLView* v = GLViewImpl::createWithBackend(std::move(backend), "Pemtrix", Rect(0, 0, 800, 1280), 0.6f);
  GLView::setHeadless(false);
  ASSERT_NE(v, nullptr);
  EXPECT_EQ(raw->window().options().title, "Pemtrix");
  EXPECT_EQ(raw->window().options().width, 480);
  EXPECT_EQ(raw->window().options().height, 768);
  EXPECT_TRUE(raw->window().options().headless);
  EXPECT_EQ(v->getFrameSize(), Size(480, 768));

  auto failing = std::make_unique<FakeBackend>();
  failing->window().failOpen = true;
  failing->window().openError = "cannot open a window: no display";
  EXPECT_EQ(GLViewImpl::createWithBackend(std::move(failing), "Pemtrix", Rect(0, 0, 480, 768)), nullptr);
  EXPECT_EQ(GLView::getLastError(), "cannot open a window: no display");
}

// Opens a window on a recording backend, counts frames, and closes the window after a few.
class LoopApp : public Application {
 public:
  bool applicationDidFinishLaunching() override {
    if (!openWindow) return true;
    auto backend = std::make_unique<FakeBackend>();
    fake = backend.get();
    GLView* v = GLViewImpl::createWithBackend(std::move(backend), "loop", Rect(0, 0, 480, 768));
    v->setDesignResolutionSize(800, 1280, ResolutionPolicy::EXACT_FIT);
    Director::getInstance()->setOpenGLView(v);
    Scene* scene = Scene::create();
    // Something that moves every frame, as falling characters do.
    scene->addChild(Ticker::create([this](float dt) {
      deltas.push_back(dt);
      Director::getInstance()->requestAnimationFrame();
      if (deltas.size() == 5) {
        backend::InputEvent quit;
        quit.type = backend::InputEvent::Type::Quit;
        fake->window().queueEvent(quit);
      }
    }));
    Director::getInstance()->runWithScene(scene);
    return true;
  }
  void applicationDidEnterBackground() override {}
  void applicationWillEnterForeground() override {}

  bool openWindow = true;
  FakeBackend* fake = nullptr;
  std::vector<float> deltas;
};

TEST(CoreApplication, RunPacesFramesUntilTheWindowCloses) {
  LoopApp app;
  EXPECT_EQ(app.run(), 0);
  ASSERT_EQ(app.deltas.size(), 5u);
  for (std::size_t i = 1; i < app.deltas.size(); ++i) {
    // The recording backend's clock moves only while the loop waits, in whole milliseconds.
    EXPECT_NEAR(app.deltas[i], 0.017f, 0.0011f) << i;
  }
  EXPECT_EQ(Director::getInstance()->getRunningScene(), nullptr) << "torn down after the loop";
}

TEST(CoreApplication, RunFailsWithoutAWindow) {
  LoopApp app;
  app.openWindow = false;
  EXPECT_EQ(app.run(), 1);
}

}  // namespace
}  // namespace pemtrix_test
