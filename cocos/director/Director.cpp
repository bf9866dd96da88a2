// The director's singleton, window, scene stack and teardown; the frame loop and the clock
// are in DirectorLoop.cpp.
#include "cocos/director/Director.h"

#include "cocos/2d/Scene.h"
#include "cocos/2d/Transition.h"
#include "cocos/audio/SimpleAudioEngine.h"
#include "cocos/base/AutoreleasePool.h"
#include "cocos/director/EventDispatcher.h"
#include "cocos/director/Scheduler.h"
#include "cocos/window/GLView.h"
#include "cocos/renderer/FontCache.h"
#include "cocos/renderer/TextureCache.h"

namespace cocos2d {
namespace {
Director* g_director = nullptr;
}  // namespace

Director* Director::getInstance() {
  if (!g_director) g_director = new Director();
  return g_director;
}

Director* Director::peekInstance() { return g_director; }

Director::Director()
    : _scheduler(new Scheduler()),
      _eventDispatcher(new EventDispatcher()),
      _textureCache(new TextureCache()),
      _fontCache(new FontCache()) {}

Director::~Director() {
  delete _fontCache;
  delete _textureCache;
  _eventDispatcher->release();
  _scheduler->release();
}

// --- window

void Director::setOpenGLView(GLView* view) {
  if (view == _openGLView) return;
  if (view) view->retain();
  // Textures and fonts belong to the old view's backend.
  backend::Backend* backend = view ? view->getBackend() : nullptr;
  _textureCache->setDrawing(backend ? &backend->drawing() : nullptr);
  _fontCache->setText(backend ? &backend->text() : nullptr);
  if (_openGLView) _openGLView->release();
  _openGLView = view;
  _needsRedraw = _contentChanged = true;
}

backend::Backend* Director::getBackend() const { return _openGLView ? _openGLView->getBackend() : nullptr; }

Size Director::getVisibleSize() const { return _openGLView ? _openGLView->getVisibleSize() : Size::ZERO; }

Vec2 Director::getVisibleOrigin() const { return _openGLView ? _openGLView->getVisibleOrigin() : Vec2::ZERO; }

Size Director::getWinSize() const { return _openGLView ? _openGLView->getDesignResolutionSize() : Size::ZERO; }

void Director::setLetterboxColor(const Color4B& color) {
  if (color == _letterboxColor) return;
  _letterboxColor = color;
  _needsRedraw = _contentChanged = true;
}

void Director::startAnimation() {
  _animating = true;
  _needsRedraw = _contentChanged = true;
}

// --- scenes

void Director::runWithScene(Scene* scene) {
  if (!scene || _runningScene) return;
  pushScene(scene);
  startAnimation();
}

void Director::pushScene(Scene* scene) {
  if (!scene) return;
  _sendCleanupToScene = false;
  scene->retain();
  _scenesStack.push_back(scene);
  _nextScene = scene;
}

void Director::popScene() {
  if (_scenesStack.empty()) return;
  Scene* top = _scenesStack.back();
  _scenesStack.pop_back();
  if (_scenesStack.empty()) {
    _scenesStack.push_back(top);  // the last scene stays until the program ends
    end();
    return;
  }
  top->release();
  _sendCleanupToScene = true;
  _nextScene = _scenesStack.back();
}

void Director::replaceScene(Scene* scene) {
  if (!scene) return;
  if (!_runningScene) {
    runWithScene(scene);
    return;
  }
  if (scene == _nextScene) return;
  if (_nextScene) {
    // A change requested earlier in this frame never happened; its scene never ran.
    if (_nextScene->isRunning()) _nextScene->onExit();
    _nextScene->cleanup();
  }
  _sendCleanupToScene = true;
  scene->retain();
  if (!_scenesStack.empty()) {
    _scenesStack.back()->release();
    _scenesStack.back() = scene;
  } else {
    _scenesStack.push_back(scene);
  }
  _nextScene = scene;
}

void Director::setNextScene() {
  Scene* next = _nextScene;
  _nextScene = nullptr;
  const bool runningIsTransition = dynamic_cast<TransitionScene*>(_runningScene) != nullptr;
  auto* nextTransition = dynamic_cast<TransitionScene*>(next);
  const bool nextIsTransition = nextTransition != nullptr;
  Scene* previous = _runningScene;
  if (nextTransition) nextTransition->takeOverFrom(previous);
  // A transition takes over from the running scene, which keeps running under it until the
  // transition ends and lets it go.
  if (!nextIsTransition && previous) {
    previous->onExitTransitionDidStart();
    previous->onExit();
    if (_sendCleanupToScene) previous->cleanup();
  }
  next->retain();
  _runningScene = next;
  if (previous) previous->release();
  // The scene a transition brings in has already entered; the transition itself has not.
  if (!runningIsTransition) {
    _runningScene->onEnter();
    _runningScene->onEnterTransitionDidFinish();
  }
  _needsRedraw = _contentChanged = true;
}

void Director::releaseAllScenes() {
  std::vector<Scene*> scenes;
  if (_runningScene) {
    if (_runningScene->isRunning()) {
      _runningScene->onExitTransitionDidStart();
      _runningScene->onExit();
    }
    scenes.push_back(_runningScene);
    if (auto* transition = dynamic_cast<TransitionScene*>(_runningScene)) {
      // Its incoming scene entered but is not on the stack yet.
      if (Scene* in = transition->getInScene(); in && in->isRunning()) in->onExit();
      if (transition->getInScene()) scenes.push_back(transition->getInScene());
    }
  }
  for (Scene* scene : _scenesStack) {
    if (scene->isRunning()) scene->onExit();
    scenes.push_back(scene);
  }
  for (Scene* scene : scenes) scene->cleanup();
  Scene* running = _runningScene;
  _runningScene = nullptr;
  _nextScene = nullptr;
  std::vector<Scene*> stack;
  stack.swap(_scenesStack);
  if (running) running->release();
  for (Scene* scene : stack) scene->release();
}

void Director::reset() {
  releaseAllScenes();
  AutoreleasePool::getInstance()->clear();
  _scheduler->unscheduleAll();
  _eventDispatcher->removeAllEventListeners();
  _eventDispatcher->setEnabled(true);
  setOpenGLView(nullptr);
  CocosDenshion::SimpleAudioEngine::end();
  AutoreleasePool::getInstance()->clear();

  _sendCleanupToScene = false;
  _animationInterval = 1.0f / 60;
  _letterboxColor = Color4B::BLACK;
  _endRequested = false;
  _animating = true;
  _needsRedraw = _contentChanged = true;
  _contentChanged = true;
  _dirtyArea = Rect();
  _animationRequested = false;
  _updateAt = UINT64_MAX;
  _virtualClock = false;
  _virtualFrames = 0;
}

}  // namespace cocos2d
