// Two-dimensional points, sizes and rectangles in design units.
#pragma once

namespace cocos2d {

struct Vec2 {
  float x = 0, y = 0;
  constexpr Vec2() = default;
  constexpr Vec2(float xx, float yy) : x(xx), y(yy) {}
  constexpr Vec2 operator+(const Vec2& o) const { return {x + o.x, y + o.y}; }
  constexpr Vec2 operator-(const Vec2& o) const { return {x - o.x, y - o.y}; }
  constexpr Vec2 operator*(float s) const { return {x * s, y * s}; }
  bool operator==(const Vec2& o) const { return x == o.x && y == o.y; }
  bool operator!=(const Vec2& o) const { return !(*this == o); }

  static const Vec2 ZERO, ANCHOR_MIDDLE, ANCHOR_BOTTOM_LEFT, ANCHOR_MIDDLE_RIGHT, ANCHOR_MIDDLE_LEFT;
};

inline constexpr Vec2 Vec2::ZERO{0, 0};
inline constexpr Vec2 Vec2::ANCHOR_MIDDLE{0.5f, 0.5f};
inline constexpr Vec2 Vec2::ANCHOR_BOTTOM_LEFT{0, 0};
inline constexpr Vec2 Vec2::ANCHOR_MIDDLE_RIGHT{1, 0.5f};
inline constexpr Vec2 Vec2::ANCHOR_MIDDLE_LEFT{0, 0.5f};

struct Size {
  float width = 0, height = 0;
  constexpr Size() = default;
  constexpr Size(float w, float h) : width(w), height(h) {}
  bool operator==(const Size& o) const { return width == o.width && height == o.height; }
  static const Size ZERO;
};
inline constexpr Size Size::ZERO{0, 0};

struct Rect {
  Vec2 origin;
  Size size;
  constexpr Rect() = default;
  constexpr Rect(float x, float y, float w, float h) : origin(x, y), size(w, h) {}
  float getMinX() const { return origin.x; }
  float getMaxX() const { return origin.x + size.width; }
  float getMinY() const { return origin.y; }
  float getMaxY() const { return origin.y + size.height; }
  bool containsPoint(const Vec2& p) const {
    return p.x >= getMinX() && p.x <= getMaxX() && p.y >= getMinY() && p.y <= getMaxY();
  }
  static const Rect ZERO;
};
inline constexpr Rect Rect::ZERO{0, 0, 0, 0};

}  // namespace cocos2d
