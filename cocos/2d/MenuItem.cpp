#include "cocos/2d/MenuItem.h"

#include "cocos/2d/Sprite.h"
#include "cocos/base/Create.h"

namespace cocos2d {
namespace {

// The z-orders that keep the images apart; only one of them is visible at a time.
constexpr int kNormalImageZ = 0;
constexpr int kSelectedImageZ = 1;
constexpr int kDisabledImageZ = 2;

}  // namespace

MenuItem::MenuItem() {
  setAnchorPoint(Vec2::ANCHOR_MIDDLE);
  setCascadeColorEnabled(true);
  setCascadeOpacityEnabled(true);
}


MenuItem* MenuItem::create(const ccMenuCallback& callback) {
  return initAndAutorelease(new MenuItem(), &MenuItem::initWithCallback, callback);
}

bool MenuItem::initWithCallback(const ccMenuCallback& callback) {
  _callback = callback;
  return true;
}

void MenuItem::activate() {
  if (!_callback) return;
  retain();
  // A copy: the callback may replace itself.
  ccMenuCallback callback = _callback;
  callback(this);
  release();
}

void MenuItem::selected() { _selected = true; }

void MenuItem::unselected() { _selected = false; }

// --- MenuItemSprite

bool MenuItemSprite::initWithNormalSprite(Node* normalSprite, Node* selectedSprite, Node* disabledSprite,
                                          const ccMenuCallback& callback) {
  initWithCallback(callback);
  setNormalImage(normalSprite);
  setSelectedImage(selectedSprite);
  setDisabledImage(disabledSprite);
  return true;
}

void MenuItemSprite::replaceImage(Node*& slot, Node* image, int zOrder) {
  if (image == slot) return;
  if (slot) removeChild(slot, true);
  slot = image;
  if (image) {
    image->setAnchorPoint(Vec2::ANCHOR_BOTTOM_LEFT);
    image->setPosition(Vec2::ZERO);
    addChild(image, zOrder);
  }
  updateImagesVisibility();
}

void MenuItemSprite::setNormalImage(Node* image) {
  replaceImage(_normalImage, image, kNormalImageZ);
  setContentSize(image ? image->getContentSize() : Size::ZERO);
}

void MenuItemSprite::setSelectedImage(Node* image) { replaceImage(_selectedImage, image, kSelectedImageZ); }

void MenuItemSprite::setDisabledImage(Node* image) { replaceImage(_disabledImage, image, kDisabledImageZ); }

void MenuItemSprite::selected() {
  MenuItem::selected();
  updateImagesVisibility();
}

void MenuItemSprite::unselected() {
  MenuItem::unselected();
  updateImagesVisibility();
}

void MenuItemSprite::updateImagesVisibility() {
  // Items are never disabled: a disabled image, when one is given, never shows.
  const bool showSelected = _selected && _selectedImage;
  if (_normalImage) _normalImage->setVisible(!showSelected);
  if (_selectedImage) _selectedImage->setVisible(showSelected);
  if (_disabledImage) _disabledImage->setVisible(false);
}

// --- MenuItemImage

MenuItemImage* MenuItemImage::create(const std::string& normalImage, const std::string& selectedImage) {
  return create(normalImage, selectedImage, "", nullptr);
}

MenuItemImage* MenuItemImage::create(const std::string& normalImage, const std::string& selectedImage,
                                     const ccMenuCallback& callback) {
  return create(normalImage, selectedImage, "", callback);
}

MenuItemImage* MenuItemImage::create(const std::string& normalImage, const std::string& selectedImage,
                                     const std::string& disabledImage, const ccMenuCallback& callback) {
  auto* item = new MenuItemImage();
  item->_normalImageFileName = normalImage;
  return initAndAutorelease(item, &MenuItemImage::initWithNormalSprite,
                            normalImage.empty() ? nullptr : Sprite::create(normalImage),
                            selectedImage.empty() ? nullptr : Sprite::create(selectedImage),
                            disabledImage.empty() ? nullptr : Sprite::create(disabledImage), callback);
}

Sprite* MenuItemImage::getNormalImage() const { return dynamic_cast<Sprite*>(MenuItemSprite::getNormalImage()); }

Sprite* MenuItemImage::getSelectedImage() const {
  return dynamic_cast<Sprite*>(MenuItemSprite::getSelectedImage());
}

}  // namespace cocos2d
