#include "cocos/director/Application.h"

#include <algorithm>
#include <cstdint>
#include <string>

#include "cocos/accessibility/Accessibility.h"
#include "cocos/base/AutoreleasePool.h"
#include "cocos/director/Director.h"
#include "cocos/window/GLView.h"

namespace cocos2d {
namespace {

Application* g_application = nullptr;

std::vector<std::string>& openedURLs() {
  static std::vector<std::string> urls;
  return urls;
}

}  // namespace

Application::Application() { g_application = this; }

Application::~Application() {
  if (g_application == this) g_application = nullptr;
}

Application* Application::getInstance() { return g_application; }

void Application::setAnimationInterval(float interval) { Director::getInstance()->setAnimationInterval(interval); }

int Application::run() {
  initGLContextAttrs();
  Director* director = Director::getInstance();
  if (!applicationDidFinishLaunching()) {
    director->reset();
    return 1;
  }
  GLView* view = director->getOpenGLView();
  if (!view || !view->getBackend()) {
    director->reset();
    return 1;
  }
  view->retain();
  {
    const accessibility::Session accessibility;  // publishes the screens from the first frame on
    if (director->isVirtualClock()) {
      runFixedRate(view);
    } else {
      runOnEvents(view);
    }
  }
  view->release();
  director->reset();
  return 0;
}

// The virtual clock advances a sixtieth of a second per frame whatever happens, so frames run
// at that rate from start to end, as scripts and headless tests expect.
void Application::runFixedRate(GLView* view) {
  Director* director = Director::getInstance();
  backend::Window& window = view->getBackend()->window();
  std::uint64_t last = window.monotonicNanoseconds();
  std::uint64_t nextFrame = last;
  while (!director->isEndRequested() && !view->windowShouldClose()) {
    view->pollEvents();
    if (director->isEndRequested() || view->windowShouldClose()) break;
    const std::uint64_t now = window.monotonicNanoseconds();
    if (!director->isAnimating()) {
      window.waitForEvent(-1);
      last = nextFrame = window.monotonicNanoseconds();
      continue;
    }
    if (now < nextFrame) {
      window.waitForEvent(static_cast<int>((nextFrame - now + 999999) / 1000000));
      continue;
    }
    director->mainLoop(static_cast<float>(static_cast<double>(now - last) / 1e9));
    last = now;
    const auto interval = static_cast<std::uint64_t>(static_cast<double>(director->getAnimationInterval()) * 1e9);
    nextFrame += interval;
    // After a stall, start afresh instead of running frames back to back to catch up.
    if (nextFrame <= now) nextFrame = now + interval;
  }
}

// Input is handled as it arrives and what it changed is drawn at once. Frames (updates and
// drawing) run at the animation interval only while something moves; otherwise the loop
// sleeps until the next input or the next change that is due, and while the window is
// hidden, until it is shown again.
void Application::runOnEvents(GLView* view) {
  Director* director = Director::getInstance();
  backend::Window& window = view->getBackend()->window();
  const auto interval = [director] {
    return static_cast<std::uint64_t>(static_cast<double>(director->getAnimationInterval()) * 1e9);
  };
  std::uint64_t lastFrame = window.monotonicNanoseconds();
  bool firstFrame = true;
  while (!director->isEndRequested() && !view->windowShouldClose()) {
    view->pollEvents();
    if (director->isEndRequested() || view->windowShouldClose()) break;
    if (!director->isAnimating()) {
      AutoreleasePool::getInstance()->clear();
      window.waitForEvent(-1);
      lastFrame = window.monotonicNanoseconds();
      continue;
    }
    const std::uint64_t now = window.monotonicNanoseconds();
    // Updates keep their own pace (moving things advance per frame); a change made by input
    // is drawn now, without waiting for the next frame.
    if (!firstFrame && !director->hasPendingSceneChange()) director->drawFrame(false);
    AutoreleasePool::getInstance()->clear();
    std::uint64_t due = UINT64_MAX;
    if (firstFrame || director->hasPendingSceneChange()) {
      due = now;
    } else if (director->wantsAnimationFrames()) {
      due = lastFrame + interval();
    }
    const std::uint64_t requested = director->getRequestedUpdateTicks();
    if (requested != UINT64_MAX) due = std::min(due, requested * 100);
    if (due <= now) {
      director->mainLoop(firstFrame ? 0.0f : static_cast<float>(static_cast<double>(now - lastFrame) / 1e9));
      firstFrame = false;
      lastFrame = now;
      continue;
    }
    // Rounded up, and a millisecond more: waking a hair before a change is due would cost a
    // second wake-up for it.
    const int timeout = due == UINT64_MAX ? -1 : static_cast<int>((due - now + 999999) / 1000000 + 1);
    window.waitForEvent(timeout);
  }
}

LanguageType Application::getCurrentLanguage() { return languageTypeFromCode(getCurrentLanguageCode()); }

const char* Application::getCurrentLanguageCode() {
  static std::string code;
  std::string current;
  if (backend::Backend* backend = Director::getInstance()->getBackend()) {
    current = backend->desktop().preferredLanguage();
  }
  if (current.empty()) current = languageCodeFromEnvironment();
  code = current;
  return code.c_str();
}

bool Application::openURL(const std::string& url) {
  openedURLs().push_back(url);
  backend::Backend* backend = Director::getInstance()->getBackend();
  if (backend && !GLView::isHeadless() && !backend->window().isHeadless()) backend->desktop().openURL(url);
  return true;
}

const std::vector<std::string>& Application::getOpenedURLs() { return openedURLs(); }

}  // namespace cocos2d
