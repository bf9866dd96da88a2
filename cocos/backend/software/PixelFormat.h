// The pixels the software renderer reads and writes: 32-bit words 0xAARRGGBB with the colour
// premultiplied by alpha. On a little-endian machine their bytes lie B, G, R, A in memory, as
// a 32-bit top-down DIB section holds them. The per-pixel arithmetic every drawing path shares.
#pragma once

#include <cstdint>

#include "cocos/base/ccTypes.h"

namespace cocos2d::backend::software {

// Pixels owned by someone else: `stride` pixels from one row to the next (at least `width`).
struct PixelBuffer {
  std::uint32_t* pixels = nullptr;
  int width = 0, height = 0;
  int stride = 0;
};

// Premultiplied texels to read from.
struct ImageView {
  const std::uint32_t* pixels = nullptr;
  int width = 0, height = 0;
  int stride = 0;
};

constexpr std::uint32_t alphaOf(std::uint32_t p) { return p >> 24; }

// x / 255 rounded, for x up to 255 * 255 + 127: exact, without a division.
constexpr std::uint32_t div255(std::uint32_t x) { return (x + 128 + ((x + 128) >> 8)) >> 8; }

// A straight colour as a premultiplied pixel.
constexpr std::uint32_t premultiply(std::uint32_t a, std::uint32_t r, std::uint32_t g, std::uint32_t b) {
  return (a << 24) | (div255(r * a) << 16) | (div255(g * a) << 8) | div255(b * a);
}
constexpr std::uint32_t premultiply(const Color4B& c) { return premultiply(c.a, c.r, c.g, c.b); }

// A straight 0xAARRGGBB word (what image decoders give) premultiplied.
constexpr std::uint32_t premultiplyArgb(std::uint32_t argb) {
  return premultiply(argb >> 24, (argb >> 16) & 0xFFu, (argb >> 8) & 0xFFu, argb & 0xFFu);
}

// Every byte of `p` times `k` / 255 (k 0..255), rounded: two channels per multiplication.
inline std::uint32_t scalePixel(std::uint32_t p, std::uint32_t k) {
  std::uint32_t rb = (p & 0x00FF00FFu) * k + 0x00800080u;
  rb = ((rb + ((rb >> 8) & 0x00FF00FFu)) >> 8) & 0x00FF00FFu;
  std::uint32_t ag = ((p >> 8) & 0x00FF00FFu) * k + 0x00800080u;
  ag = (ag + ((ag >> 8) & 0x00FF00FFu)) & 0xFF00FF00u;
  return rb | ag;
}

// Premultiplied source over destination. No byte overflows: each source byte is at most its
// alpha, and the destination keeps 255 minus that alpha of each of its own.
inline std::uint32_t over(std::uint32_t source, std::uint32_t destination) {
  return source + scalePixel(destination, 255u - alphaOf(source));
}

// A colour modulation (tint and opacity, straight) applied to premultiplied texels: each colour
// byte times its tint and the opacity, alpha times the opacity.
struct Modulation {
  std::uint32_t r = 255, g = 255, b = 255, a = 255;  // the tint's bytes already times the opacity
  bool identity = true;

  static Modulation of(const Color4B& c) {
    Modulation m;
    m.a = c.a;
    m.r = div255(std::uint32_t{c.r} * c.a);
    m.g = div255(std::uint32_t{c.g} * c.a);
    m.b = div255(std::uint32_t{c.b} * c.a);
    m.identity = c.r == 255 && c.g == 255 && c.b == 255 && c.a == 255;
    return m;
  }
  std::uint32_t apply(std::uint32_t p) const {
    if (identity) return p;
    return (div255(alphaOf(p) * a) << 24) | (div255(((p >> 16) & 0xFFu) * r) << 16) |
           (div255(((p >> 8) & 0xFFu) * g) << 8) | div255((p & 0xFFu) * b);
  }
};

}  // namespace cocos2d::backend::software
