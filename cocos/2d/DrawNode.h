// Holds simple shapes (segments and solid rectangles) drawn in its own space, for lines and
// boxes that need no image.
#pragma once

#include <vector>

#include "cocos/2d/Node.h"

namespace cocos2d {

class DrawNode : public Node {
 public:
  static DrawNode* create(float defaultLineWidth = 2);

  // A bar of thickness 2 * radius along the segment, with square ends at the end points.
  void drawSegment(const Vec2& from, const Vec2& to, float radius, const Color4F& color);
  // A segment of the default line width.
  void drawLine(const Vec2& origin, const Vec2& destination, const Color4F& color);
  void drawSolidRect(const Vec2& origin, const Vec2& destination, const Color4F& color);
  void clear();

  float getLineWidth() const { return _lineWidth; }
  void setLineWidth(float width) { _lineWidth = width; }

  void draw(Renderer* renderer, const AffineTransform& transform, std::uint32_t flags) override;

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
