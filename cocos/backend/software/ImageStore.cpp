#include "cocos/backend/software/ImageStore.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "cocos/backend/PngHeader.h"

namespace cocos2d::backend::software {

TextureId ImageStore::load(const std::string& path, int& width, int& height) {
  if (const auto found = _byPath.find(path); found != _byPath.end()) {
    const LevelSize& base = _entries[found->second - 1].sizes[0];
    width = base.width;
    height = base.height;
    return found->second;
  }
  int w = 0, h = 0;
  if (!readPngSize(path, w, h)) {
    // Not a PNG we can size from its header: decode it now to learn its size.
    if (!_loader || !_loader(path, _scratch[0]) || _scratch[0].width <= 0 || _scratch[0].height <= 0) return 0;
    w = _scratch[0].width;
    h = _scratch[0].height;
  }
  Entry entry;
  entry.path = path;
  entry.sizes = mipLevelSizes(w, h);
  entry.levels.resize(entry.sizes.size());
  _entries.push_back(std::move(entry));
  const auto id = static_cast<TextureId>(_entries.size());
  _byPath.emplace(path, id);
  width = w;
  height = h;
  return id;
}

const std::vector<std::uint32_t>* ImageStore::level(Entry& entry, int& level) {
  if (!entry.levels[static_cast<std::size_t>(level)].empty()) return &entry.levels[static_cast<std::size_t>(level)];
  if (entry.broken) return nullptr;
  PixelImage* image = &_scratch[0];
  PixelImage* spare = &_scratch[1];
  if (!_loader || !_loader(entry.path, *image) || image->width <= 0 || image->height <= 0 ||
      image->argb.size() < static_cast<std::size_t>(image->width) * static_cast<std::size_t>(image->height)) {
    entry.broken = true;
    std::fprintf(stderr, "pemtrix: cannot decode image %s\n", entry.path.c_str());
    return nullptr;
  }
  if (image->width != entry.sizes[0].width || image->height != entry.sizes[0].height) {
    // The header lied about the size; trust the pixels, and keep the chain consistent.
    _scaled.clear();  // may hold copies of the levels just dropped
    entry.sizes = mipLevelSizes(image->width, image->height);
    entry.levels.assign(entry.sizes.size(), {});
    level = std::min(level, static_cast<int>(entry.sizes.size()) - 1);
  }
  // Halving weighs colours by alpha, as premultiplied averaging does.
  for (int i = 0; i < level; ++i) {
    halve(*image, *spare);
    std::swap(image, spare);
  }
  std::vector<std::uint32_t>& out = entry.levels[static_cast<std::size_t>(level)];
  out.resize(static_cast<std::size_t>(image->width) * static_cast<std::size_t>(image->height));
  std::transform(image->argb.begin(), image->argb.begin() + static_cast<std::ptrdiff_t>(out.size()), out.begin(),
                 premultiplyArgb);
  return &out;
}

void ImageStore::draw(Canvas& canvas, TextureId id, const Rect& source, const AffineTransform& toPixels, float width,
                      float height, const Color4B& modulate) {
  if (id == 0 || id > _entries.size() || !(width > 0) || !(height > 0) || modulate.a == 0) return;
  Entry& entry = _entries[id - 1];
  if (entry.broken) return;
  const LocalBox box{0, 0, width, height};
  const PixelArea visible = canvas.visibleArea();
  // Cheap rejection before anything is decoded: off-screen images cost nothing.
  const bool upright = toPixels.isAxisAligned();
  if (upright ? !overlaps(mapAxisAligned(toPixels, box), visible) : !overlaps(mapQuad(toPixels, box), visible)) {
    return;
  }
  const float screenW = width * scaleAlongX(toPixels), screenH = height * scaleAlongY(toPixels);
  int chosen = upright ? levelCovering(entry.sizes, source.size.width, source.size.height, screenW, screenH)
                       : levelClosest(entry.sizes, source.size.width, source.size.height, screenW, screenH);
  const std::vector<std::uint32_t>* pixels = level(entry, chosen);
  if (!pixels) return;
  const LevelSize& base = entry.sizes[0];
  const LevelSize& size = entry.sizes[static_cast<std::size_t>(chosen)];
  const ImageView texels{pixels->data(), size.width, size.height, size.width};
  const float kx = static_cast<float>(size.width) / static_cast<float>(base.width);
  const float ky = static_cast<float>(size.height) / static_cast<float>(base.height);
  PixelRect part{static_cast<int>(std::lround(source.origin.x * kx)), static_cast<int>(std::lround(source.origin.y * ky)),
                 static_cast<int>(std::lround(source.size.width * kx)),
                 static_cast<int>(std::lround(source.size.height * ky))};
  part.x = std::clamp(part.x, 0, size.width - 1);
  part.y = std::clamp(part.y, 0, size.height - 1);
  part.w = std::max(1, std::min(part.w, size.width - part.x));
  part.h = std::max(1, std::min(part.h, size.height - part.y));
  if (upright) {
    const PixelBox onScreen = mapAxisAligned(toPixels, box);
    const PixelRect r = snapToPixels(onScreen);
    if (!onScreen.flipX && !onScreen.flipY && r.w > 0 && r.h > 0 && (r.w != part.w || r.h != part.h)) {
      const ScaledImageCache::Key key{static_cast<std::uint32_t>(id), chosen, part, r.w, r.h};
      if (const ImageView* scaled = _scaled.get(texels, key, _resampler)) {
        canvas.copyImage(*scaled, r.x, r.y, modulate);
        return;
      }
    }
  }
  canvas.drawImage(texels, part, toPixels, box, modulate);
}

int ImageStore::levelCount() const {
  int count = 0;
  for (const Entry& entry : _entries) {
    for (const std::vector<std::uint32_t>& pixels : entry.levels) count += !pixels.empty();
  }
  return count;
}

}  // namespace cocos2d::backend::software
