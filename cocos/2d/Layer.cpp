#include "cocos/2d/Layer.h"

#include "cocos/base/Create.h"
#include "cocos/director/Director.h"

namespace cocos2d {

Layer::Layer() {
  setIgnoreAnchorPointForPosition(true);
  setAnchorPoint(Vec2::ANCHOR_MIDDLE);
}

Layer* Layer::create() { return initAndAutorelease(new Layer(), &Layer::init); }

bool Layer::init() {
  setContentSize(Director::getInstance()->getVisibleSize());
  return true;
}

}  // namespace cocos2d
