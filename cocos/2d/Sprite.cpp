#include "cocos/2d/Sprite.h"

#include "cocos/base/Create.h"
#include "cocos/director/Director.h"
#include "cocos/renderer/Renderer.h"
#include "cocos/renderer/Texture2D.h"
#include "cocos/renderer/TextureCache.h"

namespace cocos2d {

Sprite::Sprite() { setAnchorPoint(Vec2::ANCHOR_MIDDLE); }

Sprite::~Sprite() {
  if (_texture) _texture->release();
}

Sprite* Sprite::create() { return initAndAutorelease(new Sprite(), &Sprite::init); }

// A missing image still gives a sprite, one that draws nothing: its failed init is not the
// end of it, as it would be through initAndAutorelease.
Sprite* Sprite::create(const std::string& filename) {
  auto* sprite = new Sprite();
  sprite->initWithFile(filename);
  sprite->autorelease();
  return sprite;
}

bool Sprite::init() { return initWithTexture(nullptr); }

bool Sprite::initWithFile(const std::string& filename) {
  setTexture(filename);
  return !_imageMissing;
}

bool Sprite::initWithTexture(Texture2D* texture) {
  setTexture(texture);
  return true;
}

void Sprite::setTexture(const std::string& filename) {
  Texture2D* texture = Director::getInstance()->getTextureCache()->addImage(filename);
  setTexture(texture);
  _imageMissing = texture == nullptr;
}

void Sprite::setTexture(Texture2D* texture) {
  if (texture) texture->retain();
  if (_texture) _texture->release();
  _texture = texture;
  _imageMissing = false;
  setTextureRect(texture ? Rect(0, 0, texture->getContentSize().width, texture->getContentSize().height) : Rect::ZERO);
  requestRedraw();
}

void Sprite::setTextureRect(const Rect& rect) {
  _textureRect = rect;
  setContentSize(rect.size);
  requestRedraw();
}

void Sprite::draw(Renderer* renderer, const AffineTransform& transform) {
  const Size& size = getContentSize();
  if (_imageMissing || size.width <= 0 || size.height <= 0) return;
  const Color4B color(_displayedColor, _displayedOpacity);
  if (_texture) {
    renderer->drawTexture(_texture->getBackendId(), _textureRect, transform, size.width, size.height, color);
  } else {
    renderer->drawRect(transform, size.width, size.height, color);
  }
}

}  // namespace cocos2d
