#include "cocos/backend/software/GlyphRotation.h"

#include <algorithm>
#include <cmath>

namespace cocos2d::backend::software {
namespace {

constexpr double kTurn = 6.283185307179586;

// Rounds away the last bits of cos and sin at quarter turns (a float quarter turn is off by
// some 4e-8), so that the resampling there is exact.
double tidy(double v) { return std::fabs(v) < 1e-6 ? 0.0 : v; }

}  // namespace

RotatedCoverage rotateCoverage(const Coverage& source, float radians) {
  RotatedCoverage out;
  const int w = source.width, h = source.height;
  if (w <= 0 || h <= 0 || source.alpha.size() < static_cast<std::size_t>(w) * static_cast<std::size_t>(h)) {
    return out;
  }
  const double cs = tidy(std::cos(static_cast<double>(radians)));
  const double sn = tidy(std::sin(static_cast<double>(radians)));
  // The turned box, plus a pixel each side for the filter's reach (trimmed again below).
  const double spanX = std::fabs(cs) * w + std::fabs(sn) * h;
  const double spanY = std::fabs(sn) * w + std::fabs(cs) * h;
  const int cw = static_cast<int>(std::ceil(spanX - 1e-6)) + 2;
  const int ch = static_cast<int>(std::ceil(spanY - 1e-6)) + 2;
  if (cw > 0xFFFF || ch > 0xFFFF) return out;  // beyond what a row's ink span can hold
  const double centreX = 0.5 * cw, centreY = 0.5 * ch;

  // Every canvas pixel centre is turned back into the source, and the source is sampled
  // there between its four nearest texel centres. Only alpha is resampled: the colour is
  // the same everywhere, so this is also the correct premultiplied result.
  std::vector<std::uint8_t> canvas(static_cast<std::size_t>(cw) * static_cast<std::size_t>(ch), 0);
  const auto texel = [&](int x, int y) -> double {
    if (x < 0 || y < 0 || x >= w || y >= h) return 0.0;
    return source.alpha[static_cast<std::size_t>(y) * static_cast<std::size_t>(w) + static_cast<std::size_t>(x)];
  };
  int minX = cw, maxX = -1, minY = ch, maxY = -1;
  for (int j = 0; j < ch; ++j) {
    const double dy = j + 0.5 - centreY;
    for (int i = 0; i < cw; ++i) {
      const double dx = i + 0.5 - centreX;
      // Texel coordinates, whose integer points are texel centres.
      const double u = cs * dx + sn * dy + 0.5 * w - 0.5;
      const double v = -sn * dx + cs * dy + 0.5 * h - 0.5;
      if (u <= -1.0 || v <= -1.0 || u >= w || v >= h) continue;
      const double fu = std::floor(u), fv = std::floor(v);
      const int x0 = static_cast<int>(fu), y0 = static_cast<int>(fv);
      const double ax = u - fu, ay = v - fv;
      const double top = texel(x0, y0) * (1 - ax) + texel(x0 + 1, y0) * ax;
      const double bottom = texel(x0, y0 + 1) * (1 - ax) + texel(x0 + 1, y0 + 1) * ax;
      const long value = std::lround(top * (1 - ay) + bottom * ay);
      if (value <= 0) continue;
      canvas[static_cast<std::size_t>(j) * static_cast<std::size_t>(cw) + static_cast<std::size_t>(i)] =
          static_cast<std::uint8_t>(std::min(value, 255L));
      minX = std::min(minX, i);
      maxX = std::max(maxX, i);
      minY = std::min(minY, j);
      maxY = std::max(maxY, j);
    }
  }
  if (maxX < 0) return out;

  // Transparent margins would cost the blitter a look at every one of their pixels.
  out.bitmap.width = maxX - minX + 1;
  out.bitmap.height = maxY - minY + 1;
  out.bitmap.alpha.resize(static_cast<std::size_t>(out.bitmap.width) * static_cast<std::size_t>(out.bitmap.height));
  out.rows.resize(static_cast<std::size_t>(out.bitmap.height));
  for (int j = 0; j < out.bitmap.height; ++j) {
    const auto from = canvas.begin() + static_cast<std::ptrdiff_t>((minY + j) * cw + minX);
    const auto to = out.bitmap.alpha.begin() + static_cast<std::ptrdiff_t>(j * out.bitmap.width);
    std::copy(from, from + out.bitmap.width, to);
    // Blending skips what lies outside the row's ink: most of a turned glyph's box.
    int begin = 0, end = out.bitmap.width;
    while (begin < end && to[begin] == 0) ++begin;
    while (end > begin && to[end - 1] == 0) --end;
    out.rows[static_cast<std::size_t>(j)] = {static_cast<std::uint16_t>(begin), static_cast<std::uint16_t>(end)};
  }
  out.centreX = static_cast<float>(centreX - minX);
  out.centreY = static_cast<float>(centreY - minY);
  return out;
}

int angleStep(float radians, int stepsPerTurn) {
  if (stepsPerTurn <= 0 || !std::isfinite(radians)) return 0;
  const long step = std::lround(static_cast<double>(radians) / kTurn * stepsPerTurn) % stepsPerTurn;
  return static_cast<int>(step < 0 ? step + stepsPerTurn : step);
}

float stepAngle(int step, int stepsPerTurn) {
  return stepsPerTurn > 0 ? static_cast<float>(kTurn * step / stepsPerTurn) : 0.0f;
}

}  // namespace cocos2d::backend::software
