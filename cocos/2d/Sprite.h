// An image, or a solid rectangle when it has no image: it draws its texture rectangle (a part
// of the image, in texels) at its content size, tinted by its colour and opacity.
#pragma once

#include <string>

#include "cocos/2d/Node.h"

namespace cocos2d {

class Texture2D;

class Sprite : public Node {
 public:
  // No image: a white rectangle of the texture rectangle's size (zero until set).
  static Sprite* create();
  // The image found through FileUtils, at its size. A file that cannot be found or loaded
  // gives a sprite that draws nothing.
  static Sprite* create(const std::string& filename);

  bool init() override;
  virtual bool initWithFile(const std::string& filename);
  virtual bool initWithTexture(Texture2D* texture);

  // Also sets the content size.
  virtual void setTextureRect(const Rect& rect);

  void draw(Renderer* renderer, const AffineTransform& transform) override;
  bool drawsOnlyWithinContent() const override { return true; }

 protected:
  Sprite();
  ~Sprite() override;

 private:
  // Replaces the image; the texture rectangle becomes the whole new image.
  void setTexture(const std::string& filename);
  void setTexture(Texture2D* texture);

  Texture2D* _texture = nullptr;
  Rect _textureRect;
  bool _imageMissing = false;
};

}  // namespace cocos2d
