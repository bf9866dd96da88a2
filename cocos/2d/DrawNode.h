// Holds segments drawn in its own space, for lines that need no image.
#pragma once

#include <vector>

#include "cocos/2d/Node.h"

namespace cocos2d {

class DrawNode : public Node {
 public:
  static DrawNode* create(float defaultLineWidth = 2);

  // A bar of thickness 2 * radius along the segment, with square ends at the end points.
  void drawSegment(const Vec2& from, const Vec2& to, float radius, const Color4F& color);

  void draw(Renderer* renderer, const AffineTransform& transform) override;

 protected:
  explicit DrawNode(float lineWidth) : _lineWidth(lineWidth) {}

 private:
  // A rectangle (0, 0)-(width, height) placed by its own transform.
  struct Shape {
    AffineTransform placement;
    float width;
    float height;
    Color4B color;
  };
  std::vector<Shape> _shapes;
  float _lineWidth;
};

}  // namespace cocos2d
