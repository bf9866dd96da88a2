// A layer that fills its content rectangle with one colour; the colour's alpha is the layer's
// opacity.
#pragma once

#include "cocos/2d/Layer.h"

namespace cocos2d {

class LayerColor : public Layer {
 public:
  // Transparent black, the size of the visible area.
  static LayerColor* create();
  static LayerColor* create(const Color4B& color);
  static LayerColor* create(const Color4B& color, float width, float height);

  bool init() override;
  virtual bool initWithColor(const Color4B& color);
  virtual bool initWithColor(const Color4B& color, float width, float height);

  void draw(Renderer* renderer, const AffineTransform& transform) override;
  bool drawsOnlyWithinContent() const override { return true; }

 protected:
  LayerColor() = default;
};

}  // namespace cocos2d
