// Helpers for the software renderer's tests: a frame buffer of their own, images served from
// memory behind real PNG headers, and a glyph source of plain shapes that counts its calls.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "cocos/backend/software/GlyphSource.h"
#include "cocos/backend/software/ImageStore.h"
#include "cocos/backend/software/PixelFormat.h"

namespace software_test {

using cocos2d::AffineTransform;
using cocos2d::Color4B;
using cocos2d::backend::FontId;
using namespace cocos2d::backend::software;

// A buffer with a stride wider than its rows, so that no path gets away with ignoring it.
struct Frame {
  Frame(int w, int h) : width(w), height(h), stride(w + 3), pixels(static_cast<std::size_t>(stride) * h, 0xDEADBEEFu) {}
  PixelBuffer buffer() { return PixelBuffer{pixels.data(), width, height, stride}; }
  std::uint32_t raw(int x, int y) const { return pixels[static_cast<std::size_t>(y * stride + x)]; }
  Color4B at(int x, int y) const {
    const std::uint32_t p = raw(x, y);
    return {static_cast<std::uint8_t>(p >> 16), static_cast<std::uint8_t>(p >> 8), static_cast<std::uint8_t>(p),
            static_cast<std::uint8_t>(p >> 24)};
  }
  // The bytes past each row's end, which nothing may touch.
  bool paddingUntouched() const {
    for (int y = 0; y < height; ++y) {
      for (int x = width; x < stride; ++x) {
        if (raw(x, y) != 0xDEADBEEFu) return false;
      }
    }
    return true;
  }
  int width, height, stride;
  std::vector<std::uint32_t> pixels;
};

inline bool near(const Color4B& got, const Color4B& want, int tolerance) {
  return std::abs(got.r - want.r) <= tolerance && std::abs(got.g - want.g) <= tolerance &&
         std::abs(got.b - want.b) <= tolerance && std::abs(got.a - want.a) <= tolerance;
}

inline std::string describe(const Color4B& c) {
  return "(" + std::to_string(c.r) + "," + std::to_string(c.g) + "," + std::to_string(c.b) + "," +
         std::to_string(c.a) + ")";
}

// Local y-up units onto window pixels: `scale` pixels per unit, local (0, 0) at pixel (x, y).
inline AffineTransform upright(float scale, float x, float y) { return {scale, 0, 0, -scale, x, y}; }

// Images that live in memory; each path on disk holds only a PNG header with the size, which
// is all the store reads itself. Counts the decodes.
class MemoryImages {
 public:
  template <typename Paint>
  std::string add(const std::string& name, int w, int h, Paint paint) {
    PixelImage image;
    image.width = w;
    image.height = h;
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) image.argb.push_back(paint(x, y));
    }
    const std::string path = testing::TempDir() + "pemtrix_software_" + name;
    writeHeader(path, w, h);
    _images[path] = std::move(image);
    return path;
  }
  ImageLoader loader() {
    return [this](const std::string& path, PixelImage& out) {
      ++decodes;
      const auto found = _images.find(path);
      if (found == _images.end()) return false;
      out = found->second;
      return true;
    };
  }
  static void writeHeader(const std::string& path, int w, int h) {
    const unsigned char header[24] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13, 'I', 'H', 'D', 'R',
                                      static_cast<unsigned char>(w >> 24), static_cast<unsigned char>(w >> 16),
                                      static_cast<unsigned char>(w >> 8), static_cast<unsigned char>(w),
                                      static_cast<unsigned char>(h >> 24), static_cast<unsigned char>(h >> 16),
                                      static_cast<unsigned char>(h >> 8), static_cast<unsigned char>(h)};
    std::FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fwrite(header, 1, sizeof header, f);
    std::fclose(f);
  }
  int decodes = 0;

 private:
  std::map<std::string, PixelImage> _images;
};

// Glyphs as plain shapes: every character is an "L" of full coverage, pixelSize / 2 wide and
// 0.7 pixelSize tall, standing on the baseline one pixel right of the pen, with a stroke of
// pixelSize / 8; a space has no ink; font 99 cannot be rasterised.
class ShapeGlyphs : public GlyphSource {
 public:
  bool rasterize(FontId font, int pixelSize, char32_t codepoint, GlyphBitmap& glyph) override {
    ++calls;
    if (font == 99) return false;
    glyph.advance = 0.6f * static_cast<float>(pixelSize);
    if (codepoint == U' ') return true;
    const int w = std::max(2, pixelSize / 2), h = std::max(2, pixelSize * 7 / 10), stroke = std::max(1, pixelSize / 8);
    std::vector<std::uint8_t> rows(static_cast<std::size_t>(w + 5) * h, 0);  // padded, as GDI pads
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) rows[static_cast<std::size_t>(y * (w + 5) + x)] = x < stroke || y >= h - stroke ? 64 : 0;
    }
    copyCoverage(rows.data(), w + 5, w, h, 64, glyph);
    glyph.left = 1;
    glyph.top = h;
    return true;
  }
  int calls = 0;
};

}  // namespace software_test
