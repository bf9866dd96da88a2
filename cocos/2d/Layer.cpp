#include "cocos/2d/Layer.h"

#include "cocos/director/Director.h"

namespace cocos2d {

Layer::Layer() {
  setIgnoreAnchorPointForPosition(true);
  setAnchorPoint(Vec2::ANCHOR_MIDDLE);
}

Layer* Layer::create() {
  auto* layer = new Layer();
  if (!layer->init()) {
    delete layer;
    return nullptr;
  }
  layer->autorelease();
  return layer;
}

bool Layer::init() {
  setContentSize(Director::getInstance()->getVisibleSize());
  return true;
}

}  // namespace cocos2d
