// The director's frame: scene change, updates, autorelease drain and drawing; and its clock.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>

#include "cocos/2d/Scene.h"
#include "cocos/accessibility/Accessibility.h"
#include "cocos/base/AutoreleasePool.h"
#include "cocos/director/Director.h"
#include "cocos/director/Scheduler.h"
#include "cocos/window/GLView.h"
#include "cocos/renderer/Renderer.h"

namespace cocos2d {
namespace {
constexpr float kVirtualFrameSeconds = 1.0f / 60;
// What shows where no node draws.
constexpr Color4B kClearColor = Color4B::BLACK;
}  // namespace

void Director::mainLoop(float dt) {
  if (_virtualClock) {
    ++_virtualFrames;
    dt = kVirtualFrameSeconds;
  }
  if (_animating) {
    if (_nextScene) setNextScene();
    // The updates ask again for what they still need.
    _animationRequested = false;
    _updateAt = UINT64_MAX;
    _scheduler->update(dt);
    drawFrame(false);
  }
  AutoreleasePool::getInstance()->clear();
}

void Director::invalidateRect(const Rect& changed, bool cosmetic) {
  if (!cosmetic) _contentChanged = true;
  if (_needsRedraw) return;
  // Only what lies on the design area can be seen: a change off it (a label kept below the
  // screen for measuring) must not stretch the area to redraw.
  const Size design = getWinSize();
  const float left = std::max(0.0f, changed.getMinX()), bottom = std::max(0.0f, changed.getMinY());
  const float right = std::min(design.width, changed.getMaxX()), top = std::min(design.height, changed.getMaxY());
  if (right <= left || top <= bottom) return;
  const Rect designRect(left, bottom, right - left, top - bottom);
  if (_dirtyArea.size.width <= 0) {
    _dirtyArea = designRect;
    return;
  }
  const float x0 = std::min(_dirtyArea.getMinX(), designRect.getMinX());
  const float y0 = std::min(_dirtyArea.getMinY(), designRect.getMinY());
  const float x1 = std::max(_dirtyArea.getMaxX(), designRect.getMaxX());
  const float y1 = std::max(_dirtyArea.getMaxY(), designRect.getMaxY());
  _dirtyArea = Rect(x0, y0, x1 - x0, y1 - y0);
}

void Director::requestUpdateAt(std::uint64_t ticks100ns) { _updateAt = std::min(_updateAt, ticks100ns); }

bool Director::wantsAnimationFrames() const {
  return _animationRequested || _nextScene != nullptr;
}

bool Director::drawFrame(bool force) {
  backend::Backend* backend = getBackend();
  if (!backend || !_runningScene) return false;
  if (!force && !needsRedraw()) return false;
  // Cleared first: a change made while drawing (none should be) asks for another frame.
  const bool whole = force || _needsRedraw;
  const Rect dirty = _dirtyArea;
  _needsRedraw = false;
  _dirtyArea = Rect();
  backend::Drawing& drawing = backend->drawing();
  if (!whole && drawing.supportsPartialFrames()) {
    renderDirtyArea(drawing, dirty);
    publishFrame();
    return true;
  }
  const Size frame = _openGLView->getFrameSize();
  Renderer renderer(drawing, frame.width, frame.height, _openGLView->getDesignToWindowTransform());
  prepareLetterbox(renderer);
  renderer.render(_runningScene, kClearColor);
  publishFrame();
  return true;
}

void Director::publishFrame() {
  // Frames drawn only for cosmetic nodes show nothing new to a screen reader.
  if (!_contentChanged) return;
  _contentChanged = false;
  accessibility::frameDrawn(_runningScene);
}

void Director::prepareLetterbox(Renderer& renderer) const {
  const Size frame = _openGLView->getFrameSize();
  const Size design = _openGLView->getDesignResolutionSize();
  const Rect content = _openGLView->getDesignToWindowTransform().applyToBounds(Rect(0, 0, design.width, design.height));
  // Whole pixels: a bar narrower than half a pixel is no bar.
  const float x0 = std::round(std::max(0.0f, content.getMinX())), y0 = std::round(std::max(0.0f, content.getMinY()));
  const float x1 = std::round(std::min(frame.width, content.getMaxX()));
  const float y1 = std::round(std::min(frame.height, content.getMaxY()));
  if (x0 <= 0 && y0 <= 0 && x1 >= frame.width && y1 >= frame.height) return;
  renderer.setLetterbox(Rect(x0, y0, x1 - x0, y1 - y0), _letterboxColor);
}

void Director::renderDirtyArea(backend::Drawing& drawing, const Rect& designArea) {
  const Size frame = _openGLView->getFrameSize();
  const AffineTransform toWindow = _openGLView->getDesignToWindowTransform();
  // Whole pixels around the area, with one more on each side for edges that antialiasing or
  // rounding spread into the neighbouring pixel.
  const Rect pixels = toWindow.applyToBounds(designArea);
  const float x0 = std::max(0.0f, std::floor(pixels.getMinX()) - 1);
  const float y0 = std::max(0.0f, std::floor(pixels.getMinY()) - 1);
  const float x1 = std::min(frame.width, std::ceil(pixels.getMaxX()) + 1);
  const float y1 = std::min(frame.height, std::ceil(pixels.getMaxY()) + 1);
  if (x1 <= x0 || y1 <= y0) return;
  const Rect region(x0, y0, x1 - x0, y1 - y0);
  Renderer renderer(drawing, frame.width, frame.height, toWindow);
  prepareLetterbox(renderer);
  renderer.render(_runningScene, kClearColor, &region);
}

bool Director::saveScreenshot(const std::string& pngPath) {
  backend::Backend* backend = getBackend();
  if (!backend) return false;
  drawFrame(true);
  return backend->drawing().saveScreenshot(pngPath);
}

void Director::setVirtualClock(bool enabled) {
  if (enabled && !_virtualClock) _virtualFrames = 0;
  _virtualClock = enabled;
}

std::uint64_t Director::getClockTicks100ns() const {
  if (_virtualClock) return (_virtualFrames * 10000000ULL + 30) / 60;
  if (backend::Backend* backend = getBackend()) return backend->window().monotonicNanoseconds() / 100;
  const auto now = std::chrono::steady_clock::now().time_since_epoch();
  return static_cast<std::uint64_t>(std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()) / 100;
}

}  // namespace cocos2d
