#include "cocos/2d/DrawNode.h"

#include <algorithm>
#include <cmath>

#include "cocos/renderer/Renderer.h"

namespace cocos2d {
namespace {

std::uint8_t toByte(float v) { return static_cast<std::uint8_t>(std::lround(std::clamp(v, 0.0f, 1.0f) * 255.0f)); }

Color4B toColor4B(const Color4F& c) { return Color4B(toByte(c.r), toByte(c.g), toByte(c.b), toByte(c.a)); }

}  // namespace

DrawNode* DrawNode::create(float defaultLineWidth) {
  auto* node = new DrawNode(defaultLineWidth);
  node->autorelease();
  return node;
}

void DrawNode::drawSegment(const Vec2& from, const Vec2& to, float radius, const Color4F& color) {
  const float dx = to.x - from.x, dy = to.y - from.y;
  const float length = std::sqrt(dx * dx + dy * dy);
  // The bar's local x runs along the segment and its y across it, centred on the segment.
  const float cs = length > 0 ? dx / length : 1, sn = length > 0 ? dy / length : 0;
  AffineTransform placement{cs, sn, -sn, cs, from.x, from.y};
  placement = placement * AffineTransform::translation(0, -radius);
  _shapes.push_back({placement, length, 2 * radius, toColor4B(color)});
  requestRedraw();
}

void DrawNode::draw(Renderer* renderer, const AffineTransform& transform) {
  for (const Shape& s : _shapes) {
    if (s.width <= 0 || s.height <= 0) continue;
    Color4B c = s.color;
    c.a = static_cast<std::uint8_t>(c.a * _displayedOpacity / 255);
    renderer->drawRect(transform * s.placement, s.width, s.height, c);
  }
}

}  // namespace cocos2d
