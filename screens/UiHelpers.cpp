#include "screens/UiHelpers.h"

#include "screens/AccessibleScreens.h"

using namespace cocos2d;

Sprite* addColorRect(Node* parent, const Color3B& color, float width, const Vec2& position, float height, int z) {
  Sprite* sprite = Sprite::create();
  sprite->setTextureRect(Rect(0, 0, width, height == 0 ? width : height));
  sprite->setColor(color);
  sprite->setPosition(position);
  parent->addChild(sprite, z);
  return sprite;
}

Label* addLabel(Node* parent, const std::string& text, const Vec2& position, float fontSize, const Color3B& color,
                int z) {
  Label* label = Label::createWithSystemFont(text, "Arial", fontSize, Size::ZERO, TextHAlignment::LEFT,
                                             TextVAlignment::TOP);
  label->setPosition(position);
  label->setColor(color);
  parent->addChild(label, z);
  return label;
}

MenuItemImage* createBackButton(const ccMenuCallback& callback) {
  MenuItemImage* item = MenuItemImage::create("Back.png", "Back-pushed.png", callback);
  item->setPosition(Vec2(54, 1225.625f));
  item->setScale(0.44375f, 0.44375f);
  describeImageKey(item);
  return item;
}
