#include "cocos/2d/LayerColor.h"

#include "cocos/base/Create.h"
#include "cocos/director/Director.h"
#include "cocos/renderer/Renderer.h"

namespace cocos2d {

LayerColor* LayerColor::create() { return initAndAutorelease(new LayerColor(), &LayerColor::init); }

LayerColor* LayerColor::create(const Color4B& color) {
  return initAndAutorelease(new LayerColor(), [&](LayerColor* layer) { return layer->initWithColor(color); });
}

LayerColor* LayerColor::create(const Color4B& color, float width, float height) {
  return initAndAutorelease(new LayerColor(),
                            [&](LayerColor* layer) { return layer->initWithColor(color, width, height); });
}

bool LayerColor::init() { return initWithColor(Color4B(0, 0, 0, 0)); }

bool LayerColor::initWithColor(const Color4B& color) {
  const Size size = Director::getInstance()->getVisibleSize();
  return initWithColor(color, size.width, size.height);
}

bool LayerColor::initWithColor(const Color4B& color, float width, float height) {
  setColor(Color3B(color.r, color.g, color.b));
  setOpacity(color.a);
  setContentSize(Size(width, height));
  return true;
}

void LayerColor::draw(Renderer* renderer, const AffineTransform& transform) {
  const Size& size = getContentSize();
  if (_displayedOpacity == 0 || size.width <= 0 || size.height <= 0) return;
  renderer->drawRect(transform, size.width, size.height, Color4B(_displayedColor, _displayedOpacity));
}

}  // namespace cocos2d
