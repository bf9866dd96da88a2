// A 2-D affine map: (x, y) -> (a*x + c*y + tx, b*x + d*y + ty).
#pragma once

#include <algorithm>
#include <cmath>

#include "cocos/math/Vec2.h"

namespace cocos2d {

struct AffineTransform {
  float a = 1, b = 0, c = 0, d = 1, tx = 0, ty = 0;

  static AffineTransform translation(float x, float y) { return {1, 0, 0, 1, x, y}; }
  static AffineTransform scaling(float sx, float sy) { return {sx, 0, 0, sy, 0, 0}; }
  // Clockwise rotation by the given degrees in a y-up space, the engine's convention.
  static AffineTransform rotationClockwise(float degrees) {
    const float r = -degrees * 3.14159265358979f / 180.0f;
    const float cs = std::cos(r), sn = std::sin(r);
    return {cs, sn, -sn, cs, 0, 0};
  }

  Vec2 apply(const Vec2& p) const { return {a * p.x + c * p.y + tx, b * p.x + d * p.y + ty}; }

  // (this * o)(p) == this(o(p)): apply o first, then this.
  AffineTransform operator*(const AffineTransform& o) const {
    return {a * o.a + c * o.b, b * o.a + d * o.b, a * o.c + c * o.d, b * o.c + d * o.d,
            a * o.tx + c * o.ty + tx, b * o.tx + d * o.ty + ty};
  }

  AffineTransform inverse() const {
    const float det = a * d - b * c;
    if (det == 0) return {};
    const float ia = d / det, ib = -b / det, ic = -c / det, id = a / det;
    return {ia, ib, ic, id, -(ia * tx + ic * ty), -(ib * tx + id * ty)};
  }

  // The axis-aligned rectangle that holds the image of a rectangle.
  Rect applyToBounds(const Rect& r) const {
    const Vec2 corners[4] = {apply({r.getMinX(), r.getMinY()}), apply({r.getMaxX(), r.getMinY()}),
                             apply({r.getMinX(), r.getMaxY()}), apply({r.getMaxX(), r.getMaxY()})};
    float minX = corners[0].x, maxX = corners[0].x, minY = corners[0].y, maxY = corners[0].y;
    for (const Vec2& p : corners) {
      minX = std::min(minX, p.x);
      maxX = std::max(maxX, p.x);
      minY = std::min(minY, p.y);
      maxY = std::max(maxY, p.y);
    }
    return Rect(minX, minY, maxX - minX, maxY - minY);
  }

  // True when the map only scales (either sign) and translates.
  bool isAxisAligned() const { return b == 0 && c == 0; }
};

}  // namespace cocos2d
