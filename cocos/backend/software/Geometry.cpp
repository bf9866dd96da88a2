#include "cocos/backend/software/Geometry.h"

#include <algorithm>
#include <cmath>

namespace cocos2d::backend::software {

PixelBox mapAxisAligned(const AffineTransform& t, const LocalBox& box) {
  const float xAt0 = t.a * box.x0 + t.tx, xAt1 = t.a * box.x1 + t.tx;
  const float yAt0 = t.d * box.y0 + t.ty, yAt1 = t.d * box.y1 + t.ty;
  PixelBox out;
  out.left = std::min(xAt0, xAt1);
  out.right = std::max(xAt0, xAt1);
  out.top = std::min(yAt0, yAt1);
  out.bottom = std::max(yAt0, yAt1);
  out.flipX = xAt0 > xAt1;
  out.flipY = yAt1 > yAt0;  // row 0 (local y1) should be on top, i.e. at the smaller y
  return out;
}

PixelQuad mapQuad(const AffineTransform& t, const LocalBox& box) {
  const float lx[4] = {box.x0, box.x1, box.x1, box.x0};
  const float ly[4] = {box.y1, box.y1, box.y0, box.y0};
  PixelQuad q;
  for (int i = 0; i < 4; ++i) {
    q.x[i] = t.a * lx[i] + t.c * ly[i] + t.tx;
    q.y[i] = t.b * lx[i] + t.d * ly[i] + t.ty;
  }
  return q;
}

PixelRect snapToPixels(const PixelBox& box) {
  int left = static_cast<int>(std::lround(box.left));
  int right = static_cast<int>(std::lround(box.right));
  int top = static_cast<int>(std::lround(box.top));
  int bottom = static_cast<int>(std::lround(box.bottom));
  // A hairline (a cursor, a separator) must not vanish because it is under a pixel wide.
  if (right == left && box.right > box.left) right = left + 1;
  if (bottom == top && box.bottom > box.top) bottom = top + 1;
  return {left, top, right - left, bottom - top};
}

bool overlaps(const PixelBox& box, const PixelArea& area) {
  return box.right > area.left && box.left < area.right && box.bottom > area.top && box.top < area.bottom;
}

bool overlaps(const PixelQuad& quad, const PixelArea& area) {
  const auto [minX, maxX] = std::minmax({quad.x[0], quad.x[1], quad.x[2], quad.x[3]});
  const auto [minY, maxY] = std::minmax({quad.y[0], quad.y[1], quad.y[2], quad.y[3]});
  return maxX > area.left && minX < area.right && maxY > area.top && minY < area.bottom;
}

float scaleAlongX(const AffineTransform& t) { return std::hypot(t.a, t.b); }
float scaleAlongY(const AffineTransform& t) { return std::hypot(t.c, t.d); }

bool asTurn(const AffineTransform& t, Turn& turn) {
  if (t.isAxisAligned()) return false;
  // Upright text maps (x, y) to (s x, -s y); turned by phi on screen that becomes
  // a = s cos, b = s sin, c = s sin, d = -s cos. Composed transforms carry rounding, so
  // the equalities hold to a small fraction of the scale.
  const float scale = std::hypot(t.a, t.b);
  if (!(scale > 0) || !std::isfinite(scale)) return false;
  const float tolerance = 1e-4f * scale;
  if (std::fabs(t.a + t.d) > tolerance || std::fabs(t.b - t.c) > tolerance) return false;
  turn.scale = scale;
  turn.radians = std::atan2(t.b, t.a);
  return true;
}

}  // namespace cocos2d::backend::software
