// Plain value types of the engine API: colours, sizes, rectangles and alignments.
#pragma once

#include <cstdint>

#include "cocos/math/Vec2.h"

namespace cocos2d {

struct Color4B;
struct Color4F;

struct Color3B {
  uint8_t r = 255, g = 255, b = 255;
  constexpr Color3B() = default;
  constexpr Color3B(uint8_t red, uint8_t green, uint8_t blue) : r(red), g(green), b(blue) {}
  bool operator==(const Color3B& o) const { return r == o.r && g == o.g && b == o.b; }

  static const Color3B WHITE, BLACK, RED, GRAY;
};

struct Color4B {
  uint8_t r = 255, g = 255, b = 255, a = 255;
  constexpr Color4B() = default;
  constexpr Color4B(uint8_t red, uint8_t green, uint8_t blue, uint8_t alpha)
      : r(red), g(green), b(blue), a(alpha) {}
  constexpr Color4B(const Color3B& c, uint8_t alpha) : r(c.r), g(c.g), b(c.b), a(alpha) {}
  bool operator==(const Color4B& o) const { return r == o.r && g == o.g && b == o.b && a == o.a; }

  static const Color4B WHITE, BLACK;
};

struct Color4F {
  float r = 1, g = 1, b = 1, a = 1;
  constexpr Color4F() = default;
  constexpr Color4F(float red, float green, float blue, float alpha) : r(red), g(green), b(blue), a(alpha) {}
};

inline constexpr Color3B Color3B::WHITE{255, 255, 255};
inline constexpr Color3B Color3B::BLACK{0, 0, 0};
inline constexpr Color3B Color3B::RED{255, 0, 0};
inline constexpr Color3B Color3B::GRAY{166, 166, 166};
inline constexpr Color4B Color4B::WHITE{255, 255, 255, 255};
inline constexpr Color4B Color4B::BLACK{0, 0, 0, 255};

enum class TextHAlignment { LEFT, CENTER };
// Text is always set from the top of a label.
enum class TextVAlignment { TOP };

}  // namespace cocos2d
