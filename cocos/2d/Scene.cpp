#include "cocos/2d/Scene.h"

#include "cocos/director/Director.h"

namespace cocos2d {

Scene::Scene() {
  setIgnoreAnchorPointForPosition(true);
  setAnchorPoint(Vec2::ANCHOR_MIDDLE);
}

Scene* Scene::create() {
  auto* scene = new Scene();
  if (!scene->init()) {
    delete scene;
    return nullptr;
  }
  scene->autorelease();
  return scene;
}

bool Scene::init() {
  setContentSize(Director::getInstance()->getVisibleSize());
  return true;
}

}  // namespace cocos2d
