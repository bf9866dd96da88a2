#include "cocos/backend/software/TransformedDraw.h"

#include <algorithm>
#include <cmath>

namespace cocos2d::backend::software {
namespace {

// How much of a pixel centred `distance` pixels inside an edge, on a strip `width` pixels
// across, the strip covers (measured across the strip).
inline float stripCoverage(float distance, float width) {
  return std::clamp(std::min(distance + 0.5f, width) - std::max(distance - 0.5f, 0.0f), 0.0f, 1.0f);
}

// The x range (pixel columns) whose centres keep `start + x * step` within (low, high).
inline void narrow(float start, float step, float low, float high, float& from, float& to) {
  if (std::fabs(step) < 1e-12f) {
    if (!(start > low && start < high)) to = from;  // no column, or every column
    return;
  }
  float a = (low - start) / step, b = (high - start) / step;
  if (a > b) std::swap(a, b);
  from = std::max(from, a);
  to = std::min(to, b);
}

// Visits every pixel of the clip near the box with the box's fractions there: `across` from
// its left edge (0) to its right (1), `down` from its top edge (local y1, 0) to its bottom
// (1), and the share of the pixel the box covers (1 everywhere inside when `smoothEdges` is
// false).
template <typename Visit>
void scanBox(const PixelBuffer& target, const PixelRect& clip, const AffineTransform& t, const LocalBox& box,
             bool smoothEdges, Visit&& visit) {
  const float det = t.a * t.d - t.b * t.c;
  if (!std::isfinite(det) || std::fabs(det) < 1e-12f || box.x1 <= box.x0 || box.y1 <= box.y0) return;
  const AffineTransform inv = t.inverse();
  // Local units per pixel across the box's vertical and horizontal edges.
  const float acrossPerPixel = std::hypot(inv.a, inv.c), downPerPixel = std::hypot(inv.b, inv.d);
  const float widthPx = (box.x1 - box.x0) / acrossPerPixel, heightPx = (box.y1 - box.y0) / downPerPixel;
  const PixelQuad quad = mapQuad(t, box);
  const auto [minX, maxX] = std::minmax({quad.x[0], quad.x[1], quad.x[2], quad.x[3]});
  const auto [minY, maxY] = std::minmax({quad.y[0], quad.y[1], quad.y[2], quad.y[3]});
  const int left = std::max(clip.x, static_cast<int>(std::floor(minX)));
  const int right = std::min(clip.x + clip.w, static_cast<int>(std::ceil(maxX)));
  const int top = std::max(clip.y, static_cast<int>(std::floor(minY)));
  const int bottom = std::min(clip.y + clip.h, static_cast<int>(std::ceil(maxY)));
  if (left >= right || top >= bottom) return;
  const float invWidth = 1.0f / (box.x1 - box.x0), invHeight = 1.0f / (box.y1 - box.y0);
  for (int y = top; y < bottom; ++y) {
    const float cy = static_cast<float>(y) + 0.5f;
    // Local coordinates of the centre of pixel (x, y) are start + x * step.
    const float uStart = inv.a * 0.5f + inv.c * cy + inv.tx, uStep = inv.a;
    const float vStart = inv.b * 0.5f + inv.d * cy + inv.ty, vStep = inv.b;
    // Pixel distances inside the left and the bottom edge.
    const float dStartX = (uStart - box.x0) / acrossPerPixel, dStepX = uStep / acrossPerPixel;
    const float dStartY = (vStart - box.y0) / downPerPixel, dStepY = vStep / downPerPixel;
    float from = static_cast<float>(left), to = static_cast<float>(right);
    narrow(dStartX, dStepX, -0.5f, widthPx + 0.5f, from, to);
    narrow(dStartY, dStepY, -0.5f, heightPx + 0.5f, from, to);
    const int x0 = std::max(left, static_cast<int>(std::floor(from)));
    const int x1 = std::min(right, static_cast<int>(std::ceil(to)));
    std::uint32_t* row = target.pixels + static_cast<std::ptrdiff_t>(y) * target.stride;
    for (int x = x0; x < x1; ++x) {
      const float fx = static_cast<float>(x);
      float cover = 1;
      if (smoothEdges) {
        cover = stripCoverage(dStartX + fx * dStepX, widthPx) * stripCoverage(dStartY + fx * dStepY, heightPx);
        if (cover <= 0) continue;
      }
      const float u = uStart + fx * uStep, v = vStart + fx * vStep;
      visit(row[x], (u - box.x0) * invWidth, (box.y1 - v) * invHeight, cover);
    }
  }
}

inline std::uint32_t toByte(float v) { return static_cast<std::uint32_t>(std::lround(std::clamp(v, 0.0f, 1.0f) * 255.0f)); }

}  // namespace

void fillTransformed(const PixelBuffer& target, const PixelRect& clip, const AffineTransform& toPixels,
                     const LocalBox& box, const Color4B& colour) {
  if (colour.a == 0) return;
  const std::uint32_t pixel = premultiply(colour);
  scanBox(target, clip, toPixels, box, true, [pixel](std::uint32_t& d, float, float, float cover) {
    const std::uint32_t k = toByte(cover);
    if (k != 0) d = over(k == 255 ? pixel : scalePixel(pixel, k), d);
  });
}

void drawImageTransformed(const PixelBuffer& target, const PixelRect& clip, const ImageView& image,
                          const PixelRect& source, const AffineTransform& toPixels, const LocalBox& box,
                          const Color4B& modulate) {
  if (modulate.a == 0 || source.w <= 0 || source.h <= 0) return;
  const Modulation tint = Modulation::of(modulate);
  const int lastX = source.w - 1, lastY = source.h - 1;
  const float w = static_cast<float>(source.w), h = static_cast<float>(source.h);
  scanBox(target, clip, toPixels, box, true, [&](std::uint32_t& d, float across, float down, float cover) {
    // Texel coordinates whose integers are texel centres; the edges repeat outwards.
    const float tx = std::clamp(across * w - 0.5f, 0.0f, static_cast<float>(lastX));
    const float ty = std::clamp(down * h - 0.5f, 0.0f, static_cast<float>(lastY));
    const int x0 = static_cast<int>(tx), y0 = static_cast<int>(ty);
    const int x1 = std::min(x0 + 1, lastX), y1 = std::min(y0 + 1, lastY);
    const auto fx = static_cast<std::uint32_t>((tx - static_cast<float>(x0)) * 255.0f + 0.5f);
    const auto fy = static_cast<std::uint32_t>((ty - static_cast<float>(y0)) * 255.0f + 0.5f);
    const std::uint32_t* r0 = image.pixels + static_cast<std::ptrdiff_t>(source.y + y0) * image.stride + source.x;
    const std::uint32_t* r1 = image.pixels + static_cast<std::ptrdiff_t>(source.y + y1) * image.stride + source.x;
    const std::uint32_t topMix = scalePixel(r0[x0], 255 - fx) + scalePixel(r0[x1], fx);
    const std::uint32_t bottomMix = scalePixel(r1[x0], 255 - fx) + scalePixel(r1[x1], fx);
    std::uint32_t texel = tint.apply(scalePixel(topMix, 255 - fy) + scalePixel(bottomMix, fy));
    const std::uint32_t k = toByte(cover);
    if (k != 255) texel = scalePixel(texel, k);
    if (texel != 0) d = over(texel, d);
  });
}

void drawMaskTransformed(const PixelBuffer& target, const PixelRect& clip, const Coverage& mask,
                         const AffineTransform& toPixels, const LocalBox& box, const Color4B& colour) {
  if (colour.a == 0 || mask.width <= 0 || mask.height <= 0) return;
  // A texel's reach beyond the mask's edge, where the filter still sees it.
  const float texelX = (box.x1 - box.x0) / static_cast<float>(mask.width);
  const float texelY = (box.y1 - box.y0) / static_cast<float>(mask.height);
  const LocalBox reach{box.x0 - texelX, box.y0 - texelY, box.x1 + texelX, box.y1 + texelY};
  const std::uint32_t pixel = premultiply(Color4B{colour.r, colour.g, colour.b, 255});
  const std::uint32_t alpha = colour.a;
  const float w = static_cast<float>(mask.width + 2), h = static_cast<float>(mask.height + 2);
  const auto at = [&mask](int x, int y) -> std::uint32_t {
    if (x < 0 || y < 0 || x >= mask.width || y >= mask.height) return 0;
    return mask.alpha[static_cast<std::size_t>(y) * static_cast<std::size_t>(mask.width) + static_cast<std::size_t>(x)];
  };
  scanBox(target, clip, toPixels, reach, false, [&](std::uint32_t& d, float across, float down, float) {
    // Mask texel coordinates (integers at texel centres), one texel of margin each side.
    const float tx = across * w - 1.5f, ty = down * h - 1.5f;
    const float fx0 = std::floor(tx), fy0 = std::floor(ty);
    const int x0 = static_cast<int>(fx0), y0 = static_cast<int>(fy0);
    const auto fx = static_cast<std::uint32_t>((tx - fx0) * 256.0f);
    const auto fy = static_cast<std::uint32_t>((ty - fy0) * 256.0f);
    const std::uint32_t topMix = at(x0, y0) * (256 - fx) + at(x0 + 1, y0) * fx;
    const std::uint32_t bottomMix = at(x0, y0 + 1) * (256 - fx) + at(x0 + 1, y0 + 1) * fx;
    const std::uint32_t coverage = (topMix * (256 - fy) + bottomMix * fy + (1u << 15)) >> 16;
    const std::uint32_t k = div255(coverage * alpha);
    if (k != 0) d = over(scalePixel(pixel, k), d);
  });
}

}  // namespace cocos2d::backend::software
