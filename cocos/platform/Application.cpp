#include "cocos/platform/Application.h"

#include <cstdint>
#include <string>

#include "cocos/accessibility/Accessibility.h"
#include "cocos/base/Director.h"
#include "cocos/platform/GLView.h"

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
  backend::Backend* backend = view->getBackend();
  const accessibility::Session accessibility;  // publishes the screens from the first frame on
  std::uint64_t last = backend->monotonicNanoseconds();
  std::uint64_t nextFrame = last;
  while (!director->isEndRequested() && !view->windowShouldClose()) {
    view->pollEvents();
    if (director->isEndRequested() || view->windowShouldClose()) break;
    const std::uint64_t now = backend->monotonicNanoseconds();
    if (!director->isAnimating()) {
      // Hidden: nothing to draw or update until an event (being shown) wakes us.
      backend->waitForEvent(1000);
      last = nextFrame = backend->monotonicNanoseconds();
      continue;
    }
    if (now < nextFrame) {
      const std::uint64_t waitNs = nextFrame - now;
      backend->waitForEvent(static_cast<int>((waitNs + 999999) / 1000000));
      continue;
    }
    director->mainLoop(static_cast<float>(static_cast<double>(now - last) / 1e9));
    last = now;
    const auto interval = static_cast<std::uint64_t>(static_cast<double>(director->getAnimationInterval()) * 1e9);
    nextFrame += interval;
    // After a stall, start afresh instead of running frames back to back to catch up.
    if (nextFrame <= now) nextFrame = now + interval;
  }
  view->release();
  director->reset();
  return 0;
}

LanguageType Application::getCurrentLanguage() { return languageTypeFromCode(getCurrentLanguageCode()); }

const char* Application::getCurrentLanguageCode() {
  static std::string code;
  std::string current;
  if (backend::Backend* backend = Director::getInstance()->getBackend()) current = backend->preferredLanguage();
  if (current.empty()) current = languageCodeFromEnvironment();
  code = current;
  return code.c_str();
}

bool Application::openURL(const std::string& url) {
  openedURLs().push_back(url);
  backend::Backend* backend = Director::getInstance()->getBackend();
  if (backend && !GLView::isHeadless() && !backend->isHeadless()) backend->openURL(url);
  return true;
}

const std::vector<std::string>& Application::getOpenedURLs() { return openedURLs(); }

void Application::clearOpenedURLs() { openedURLs().clear(); }

}  // namespace cocos2d
