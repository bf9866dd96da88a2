#include "cocos/backend/software/Canvas.h"

#include <algorithm>
#include <cmath>

#include "cocos/backend/software/CoverageBlend.h"
#include "cocos/backend/software/TransformedDraw.h"

namespace cocos2d::backend::software {
namespace {

PixelRect intersect(const PixelRect& a, const PixelRect& b) {
  const int left = std::max(a.x, b.x), top = std::max(a.y, b.y);
  const int right = std::min(a.x + a.w, b.x + b.w), bottom = std::min(a.y + a.h, b.y + b.h);
  if (right <= left || bottom <= top) return {left, top, 0, 0};
  return {left, top, right - left, bottom - top};
}

// One row of premultiplied texels over the destination, tinted.
void blendRow(std::uint32_t* d, const std::uint32_t* s, int count, const Modulation& tint) {
  if (tint.identity) {
    for (int i = 0; i < count; ++i) {
      const std::uint32_t p = s[i], a = alphaOf(p);
      // Most texels of a key are opaque or empty: a copy or nothing.
      if (a == 255) {
        d[i] = p;
      } else if (a != 0) {
        d[i] = p + scalePixel(d[i], 255u - a);
      }
    }
    return;
  }
  for (int i = 0; i < count; ++i) {
    if (s[i] == 0) continue;
    d[i] = over(tint.apply(s[i]), d[i]);
  }
}

}  // namespace

void Canvas::setTarget(const PixelBuffer& target) {
  _target = target;
  if (!_target.pixels || _target.width <= 0 || _target.height <= 0 || _target.stride < _target.width) {
    _target = PixelBuffer{};
  }
  setClip(nullptr);
}

void Canvas::setClip(const PixelRect* clip) {
  const PixelRect whole{0, 0, _target.width, _target.height};
  _clip = clip ? intersect(whole, *clip) : whole;
}

PixelArea Canvas::visibleArea() const {
  return {static_cast<float>(_clip.x), static_cast<float>(_clip.y), static_cast<float>(_clip.x + _clip.w),
          static_cast<float>(_clip.y + _clip.h)};
}

bool Canvas::clipTo(const PixelRect& area, PixelRect& inside) const {
  inside = intersect(_clip, area);
  return inside.w > 0 && inside.h > 0;
}

void Canvas::clear(const Color4B& colour) { clear(colour, PixelRect{0, 0, _target.width, _target.height}); }

void Canvas::clear(const Color4B& colour, const PixelRect& region) {
  const PixelRect area = intersect(PixelRect{0, 0, _target.width, _target.height}, region);
  if (area.w <= 0 || area.h <= 0) return;
  const std::uint32_t pixel = premultiply(colour);
  for (int y = area.y; y < area.y + area.h; ++y) {
    std::uint32_t* row = _target.pixels + static_cast<std::ptrdiff_t>(y) * _target.stride + area.x;
    std::fill(row, row + area.w, pixel);
  }
}

void Canvas::blendSolid(const PixelRect& area, std::uint32_t pixel) {
  const std::uint32_t keep = 255u - alphaOf(pixel);
  for (int y = area.y; y < area.y + area.h; ++y) {
    std::uint32_t* row = _target.pixels + static_cast<std::ptrdiff_t>(y) * _target.stride + area.x;
    if (keep == 0) {
      std::fill(row, row + area.w, pixel);
    } else {
      for (int x = 0; x < area.w; ++x) row[x] = pixel + scalePixel(row[x], keep);
    }
  }
}

void Canvas::fillBox(const AffineTransform& toPixels, const LocalBox& box, const Color4B& colour) {
  if (colour.a == 0 || _clip.w <= 0 || _clip.h <= 0) return;
  if (toPixels.isAxisAligned()) {
    PixelRect inside;
    if (clipTo(snapToPixels(mapAxisAligned(toPixels, box)), inside)) blendSolid(inside, premultiply(colour));
    return;
  }
  fillTransformed(_target, _clip, toPixels, box, colour);
}

void Canvas::copyImage(const ImageView& image, int x, int y, const Color4B& modulate) {
  PixelRect inside;
  if (modulate.a == 0 || !clipTo(PixelRect{x, y, image.width, image.height}, inside)) return;
  const Modulation tint = Modulation::of(modulate);
  for (int row = inside.y; row < inside.y + inside.h; ++row) {
    const std::uint32_t* texels =
        image.pixels + static_cast<std::ptrdiff_t>(row - y) * image.stride + (inside.x - x);
    blendRow(_target.pixels + static_cast<std::ptrdiff_t>(row) * _target.stride + inside.x, texels, inside.w, tint);
  }
}

void Canvas::drawImage(const ImageView& image, const PixelRect& source, const AffineTransform& toPixels,
                       const LocalBox& box, const Color4B& modulate) {
  if (modulate.a == 0 || _clip.w <= 0 || _clip.h <= 0 || source.w <= 0 || source.h <= 0 || source.x < 0 ||
      source.y < 0 || source.x + source.w > image.width || source.y + source.h > image.height) {
    return;
  }
  if (toPixels.isAxisAligned()) {
    drawImageUpright(image, source, mapAxisAligned(toPixels, box), modulate);
    return;
  }
  drawImageTransformed(_target, _clip, image, source, toPixels, box, modulate);
}

void Canvas::drawImageUpright(const ImageView& image, const PixelRect& source, const PixelBox& pixels,
                              const Color4B& modulate) {
  const PixelRect r = snapToPixels(pixels);
  PixelRect inside;
  if (r.w <= 0 || r.h <= 0 || !clipTo(r, inside)) return;
  const std::uint32_t* first = image.pixels + static_cast<std::ptrdiff_t>(source.y) * image.stride + source.x;
  if (r.w == source.w && r.h == source.h && !pixels.flipX && !pixels.flipY) {
    copyImage(ImageView{first, source.w, source.h, image.stride}, r.x, r.y, modulate);
    return;
  }
  // Only the part inside the clip is resampled; each pixel comes out as the whole would have it.
  const PixelRect part{inside.x - r.x, inside.y - r.y, inside.w, inside.h};
  _scratch.resize(static_cast<std::size_t>(part.w) * static_cast<std::size_t>(part.h));
  _resampler.resample(image, source, r.w, r.h, pixels.flipX, pixels.flipY, part, _scratch.data(), part.w);
  copyImage(ImageView{_scratch.data(), part.w, part.h, part.w}, inside.x, inside.y, modulate);
}

void Canvas::blendMask(const RotatedCoverage& mask, int x, int y, const Color4B& colour) {
  if (!_target.pixels) return;
  blendCoverage(_target, _clip, x, y, mask, 0xFF000000u | (std::uint32_t{colour.r} << 16) |
                                                 (std::uint32_t{colour.g} << 8) | colour.b,
                colour.a);
}

void Canvas::drawMask(const Coverage& mask, const AffineTransform& toPixels, const LocalBox& box,
                      const Color4B& colour) {
  if (!_target.pixels) return;
  drawMaskTransformed(_target, _clip, mask, toPixels, box, colour);
}

}  // namespace cocos2d::backend::software
