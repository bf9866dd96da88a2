// Owns the images the engine loads: their sizes from the start (read from the PNG header),
// their pixels from the first draw on, decoded by the backend's loader and kept premultiplied
// as the levels of a mip chain that draws need, so that key images shown at under half their
// size stay smooth; and, for images shown upright at one size frame after frame, copies
// already resampled to that size.
#pragma once

#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

#include "cocos/backend/Drawing.h"
#include "cocos/backend/software/Canvas.h"
#include "cocos/backend/software/MipChain.h"
#include "cocos/backend/software/ScaledImageCache.h"

namespace cocos2d::backend::software {

// Decodes the whole image at `path` into `image`: straight (not premultiplied) alpha, one
// 0xAARRGGBB word per texel, rows top to bottom with no padding (the bytes B, G, R, A of WIC's
// 32bppBGRA on a little-endian machine). False when it cannot.
using ImageLoader = std::function<bool(const std::string& path, PixelImage& image)>;

class ImageStore {
 public:
  explicit ImageStore(ImageLoader loader) : _loader(std::move(loader)) {}
  ImageStore(const ImageStore&) = delete;
  ImageStore& operator=(const ImageStore&) = delete;

  // 0 when the file is missing or not an image. The same path gives the same id. A PNG is
  // only sized here; anything else is decoded at once to learn its size.
  TextureId load(const std::string& path, int& width, int& height);

  // As Drawing::drawTexture: `source` in texels of the image, top-left origin, onto the local
  // box (0, 0)-(width, height) with the source's top row at local y = height.
  void draw(Canvas& canvas, TextureId id, const Rect& source, const AffineTransform& toPixels, float width,
            float height, const Color4B& modulate);

  // How many levels are decoded now (for tests and measurements).
  int levelCount() const;
  const ScaledImageCache& scaled() const { return _scaled; }

 private:
  struct Entry {
    std::string path;
    std::vector<LevelSize> sizes;
    std::vector<std::vector<std::uint32_t>> levels;  // premultiplied; empty until a draw needs it
    bool broken = false;  // decoding failed: draws nothing, reports once
  };

  // The level's texels, decoded and halved on first use; null when the image is broken.
  const std::vector<std::uint32_t>* level(Entry& entry, int& level);

  ImageLoader _loader;
  std::vector<Entry> _entries;  // TextureId - 1
  std::unordered_map<std::string, TextureId> _byPath;
  ScaledImageCache _scaled;
  Resampler _resampler;
  // Kept between decodes: the first frame decodes dozens of images in a row, and fresh
  // buffers for each would cost as much in page faults as the decoding itself.
  PixelImage _scratch[2];
};

}  // namespace cocos2d::backend::software
