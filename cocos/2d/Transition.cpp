#include "cocos/2d/Transition.h"

#include "cocos/base/Create.h"
#include <algorithm>
#include <cmath>

#include "cocos/director/Director.h"
#include "cocos/director/EventDispatcher.h"

namespace cocos2d {

TransitionScene::~TransitionScene() {
  if (_inScene) _inScene->release();
  if (_outScene) _outScene->release();
}

bool TransitionScene::initWithDuration(float duration, Scene* scene) {
  if (!scene || !Scene::init()) return false;
  _duration = duration;
  _inScene = scene;
  _inScene->retain();
  _outScene = Director::getInstance()->getRunningScene();
  if (_outScene == _inScene) _outScene = nullptr;
  if (_outScene) _outScene->retain();
  return true;
}

void TransitionScene::takeOverFrom(Scene* running) {
  if (running == _inScene) running = nullptr;
  if (running == _outScene) return;
  if (running) running->retain();
  if (_outScene) _outScene->release();
  _outScene = running;
}

float TransitionScene::getProgress() const {
  if (_duration <= 0) return 1;
  return static_cast<float>(std::min(1.0, _elapsed / _duration));
}

void TransitionScene::onEnter() {
  Scene::onEnter();
  // Nothing may touch either scene while they are half drawn.
  getEventDispatcher()->setEnabled(false);
  if (_outScene) _outScene->onExitTransitionDidStart();
  _inScene->onEnter();
  scheduleUpdate();
  requestRedraw();
  Director::getInstance()->requestAnimationFrame();
}

void TransitionScene::onExit() {
  Scene::onExit();
  getEventDispatcher()->setEnabled(true);
  if (_outScene) _outScene->onExit();
  _inScene->onEnterTransitionDidFinish();
}

void TransitionScene::cleanup() {
  Scene::cleanup();
  if (_isSendCleanupToScene && _outScene) _outScene->cleanup();
}

void TransitionScene::update(float delta) {
  if (_finished) return;
  _elapsed += delta;
  requestRedraw();
  Director::getInstance()->requestAnimationFrame();
  // A little slack: the frame times of a whole duration may sum to a hair below it.
  if (_elapsed + 1e-6 >= _duration) finish();
}

void TransitionScene::finish() {
  _finished = true;
  Director* director = Director::getInstance();
  // A pushed scene stays on the stack below without cleanup; a replaced one is cleaned up.
  _isSendCleanupToScene = director->isSendCleanupToScene();
  director->replaceScene(_inScene);
}

void TransitionScene::visit(Renderer* renderer, const AffineTransform& parentTransform) {
  if (_outScene) _outScene->visit(renderer, parentTransform);
  _inScene->visit(renderer, parentTransform);
}

TransitionFlipX* TransitionFlipX::create(float duration, Scene* scene) {
  return initAndAutorelease(new TransitionFlipX(), &TransitionFlipX::initWithDuration, duration, scene);
}

void TransitionFlipX::visit(Renderer* renderer, const AffineTransform& parentTransform) {
  constexpr double kHalfPi = 1.5707963267948966;
  const double progress = getProgress();
  // First half: the outgoing scene turns from 0 to 90 degrees; second half: the incoming one
  // turns back from 90 to 0. The turn shows as a horizontal scale by its cosine.
  Scene* shown = progress < 0.5 ? _outScene : _inScene;
  const double angle = progress < 0.5 ? progress * 2 * kHalfPi : (1 - (progress - 0.5) * 2) * kHalfPi;
  if (!shown) return;
  const float scaleX = static_cast<float>(std::cos(angle));
  const float centreX = getContentSize().width / 2;
  const AffineTransform fold = AffineTransform::translation(centreX, 0) * AffineTransform::scaling(scaleX, 1) *
                               AffineTransform::translation(-centreX, 0);
  shown->visit(renderer, parentTransform * fold);
}

}  // namespace cocos2d
