// Menu items: MenuItem holds the callback and the selected state; MenuItemSprite shows its
// normal or its selected image according to that state; MenuItemImage builds those images
// from file names.
#pragma once

#include <functional>
#include <string>

#include "cocos/2d/Node.h"

namespace cocos2d {

class Sprite;

using ccMenuCallback = std::function<void(Ref*)>;

class MenuItem : public Node {
 public:
  static MenuItem* create(const ccMenuCallback& callback);

  // Calls the callback with the item itself. The item stays alive through the call even if
  // the callback removes it.
  virtual void activate();
  virtual void selected();
  virtual void unselected();

 protected:
  MenuItem();
  bool initWithCallback(const ccMenuCallback& callback);

  ccMenuCallback _callback;
  bool _selected = false;
};

class MenuItemSprite : public MenuItem {
 public:
  Node* getNormalImage() const { return _normalImage; }
  Node* getSelectedImage() const { return _selectedImage; }

  void selected() override;
  void unselected() override;

 protected:
  MenuItemSprite() = default;
  bool initWithNormalSprite(Node* normalSprite, Node* selectedSprite, Node* disabledSprite,
                            const ccMenuCallback& callback);
  // Shows exactly the image that matches the state.
  void updateImagesVisibility();

 private:
  // The item takes the normal image's size.
  void setNormalImage(Node* image);
  void setSelectedImage(Node* image);
  void setDisabledImage(Node* image);
  void replaceImage(Node*& slot, Node* image, int zOrder);

  Node* _normalImage = nullptr;
  Node* _selectedImage = nullptr;
  Node* _disabledImage = nullptr;
};

class MenuItemImage : public MenuItemSprite {
 public:
  static MenuItemImage* create(const std::string& normalImage, const std::string& selectedImage);
  static MenuItemImage* create(const std::string& normalImage, const std::string& selectedImage,
                               const ccMenuCallback& callback);
  // An empty name means no image for that state.
  static MenuItemImage* create(const std::string& normalImage, const std::string& selectedImage,
                               const std::string& disabledImage, const ccMenuCallback& callback);

  // The name given for the normal image (such as "num-7.png"): automation finds items by it.
  const std::string& getNormalImageFileName() const { return _normalImageFileName; }
  // The images made from the file names (null for an empty name, or for an image replaced
  // by a node that is not a sprite).
  Sprite* getNormalImage() const;
  Sprite* getSelectedImage() const;

 protected:
  MenuItemImage() = default;

 private:
  std::string _normalImageFileName;
};

}  // namespace cocos2d
