// The director's frame: scene change, updates, autorelease drain and drawing; and its clock.
#include <chrono>

#include "cocos/2d/Scene.h"
#include "cocos/accessibility/Accessibility.h"
#include "cocos/base/AutoreleasePool.h"
#include "cocos/base/Director.h"
#include "cocos/base/Scheduler.h"
#include "cocos/platform/GLView.h"
#include "cocos/renderer/Renderer.h"

namespace cocos2d {
namespace {
constexpr float kVirtualFrameSeconds = 1.0f / 60;
}  // namespace

void Director::mainLoop(float dt) {
  ++_totalFrames;
  if (_virtualClock) {
    ++_virtualFrames;
    dt = kVirtualFrameSeconds;
  }
  _deltaTime = dt;
  if (_animating) {
    if (_nextScene) setNextScene();
    if (!_paused) _scheduler->update(dt);
    drawFrame(false);
  }
  AutoreleasePool::getInstance()->clear();
}

bool Director::drawFrame(bool force) {
  backend::Backend* backend = getBackend();
  if (!backend || !_runningScene) return false;
  if (!force && !_needsRedraw) return false;
  // Cleared first: a change made while drawing (none should be) asks for another frame.
  _needsRedraw = false;
  const Size frame = _openGLView->getFrameSize();
  Renderer renderer(backend, frame.width, frame.height, _openGLView->getDesignToWindowTransform());
  renderer.render(_runningScene, _clearColor);
  accessibility::frameDrawn(_runningScene);
  return true;
}

bool Director::saveScreenshot(const std::string& pngPath) {
  backend::Backend* backend = getBackend();
  if (!backend) return false;
  drawFrame(true);
  return backend->saveScreenshot(pngPath);
}

void Director::setVirtualClock(bool enabled) {
  if (enabled && !_virtualClock) _virtualFrames = 0;
  _virtualClock = enabled;
}

std::uint64_t Director::getClockTicks100ns() const {
  if (_virtualClock) return (_virtualFrames * 10000000ULL + 30) / 60;
  if (backend::Backend* backend = getBackend()) return backend->monotonicNanoseconds() / 100;
  const auto now = std::chrono::steady_clock::now().time_since_epoch();
  return static_cast<std::uint64_t>(std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()) / 100;
}

}  // namespace cocos2d
