#include "cocos/2d/LayerColor.h"

#include "cocos/director/Director.h"
#include "cocos/renderer/Renderer.h"

namespace cocos2d {
namespace {

LayerColor* finish(LayerColor* layer, bool ok) {
  if (!ok) {
    delete layer;
    return nullptr;
  }
  layer->autorelease();
  return layer;
}

}  // namespace

LayerColor* LayerColor::create() {
  auto* layer = new LayerColor();
  return finish(layer, layer->init());
}

LayerColor* LayerColor::create(const Color4B& color) {
  auto* layer = new LayerColor();
  return finish(layer, layer->initWithColor(color));
}

LayerColor* LayerColor::create(const Color4B& color, float width, float height) {
  auto* layer = new LayerColor();
  return finish(layer, layer->initWithColor(color, width, height));
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
