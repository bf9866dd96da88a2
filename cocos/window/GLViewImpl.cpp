#include "cocos/window/GLViewImpl.h"

#include <cmath>
#include <utility>

namespace cocos2d {
namespace {

std::function<void()>& displayOpenedCallback() {
  static std::function<void()> callback;
  return callback;
}

std::function<bool(int&, int&)>& keptFrameSizeCallback() {
  static std::function<bool(int&, int&)> callback;
  return callback;
}

}  // namespace

void GLViewImpl::setDisplayOpenedCallback(std::function<void()> callback) {
  displayOpenedCallback() = std::move(callback);
}

void GLViewImpl::setKeptFrameSizeCallback(std::function<bool(int&, int&)> callback) {
  keptFrameSizeCallback() = std::move(callback);
}

GLViewImpl* GLViewImpl::createWithRect(const std::string& viewName, Rect rect, float frameZoomFactor,
                                       bool resizable) {
  std::string error;
  std::unique_ptr<backend::Backend> backend = backend::loadBackend(error);
  if (!backend) {
    setLastError(error.empty() ? "cannot load the display backend" : error);
    return nullptr;
  }
  return createWithBackend(std::move(backend), viewName, rect, frameZoomFactor, resizable);
}

GLViewImpl* GLViewImpl::createWithBackend(std::unique_ptr<backend::Backend> backend, const std::string& viewName,
                                          Rect rect, float frameZoomFactor, bool resizable) {
  if (!backend) {
    setLastError("no display backend");
    return nullptr;
  }
  backend::WindowOptions window;
  window.title = viewName;
  window.width = static_cast<int>(std::lround(rect.size.width * frameZoomFactor));
  window.height = static_cast<int>(std::lround(rect.size.height * frameZoomFactor));
  window.resizable = resizable;
  window.headless = isHeadless();
  window.displayOpened = std::exchange(displayOpenedCallback(), nullptr);
  window.keptSize = std::exchange(keptFrameSizeCallback(), nullptr);
  if (!backend->window().openWindow(window)) {
    setLastError(backend->window().lastError());
    return nullptr;
  }
  const Size frame(static_cast<float>(window.width), static_cast<float>(window.height));
  auto* view = new GLViewImpl(std::move(backend), viewName, frame);
  view->autorelease();
  return view;
}

}  // namespace cocos2d
