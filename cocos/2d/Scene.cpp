#include "cocos/2d/Scene.h"

#include "cocos/base/Create.h"
#include "cocos/director/Director.h"

namespace cocos2d {

Scene::Scene() {
  setIgnoreAnchorPointForPosition(true);
  setAnchorPoint(Vec2::ANCHOR_MIDDLE);
}

Scene* Scene::create() { return initAndAutorelease(new Scene(), &Scene::init); }

bool Scene::init() {
  setContentSize(Director::getInstance()->getVisibleSize());
  return true;
}

}  // namespace cocos2d
