#include "cocos/backend/sdl/TextureStore.h"

#include <SDL_image.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "cocos/backend/PngHeader.h"
#include "cocos/backend/sdl/RenderPrimitives.h"

namespace cocos2d::backend::sdl {

using software::LocalBox;
using software::mipLevelSizes;
using software::PixelBox;
using software::PixelRect;
using software::scaleAlongX;
using software::scaleAlongY;

TextureStore::~TextureStore() { releaseTextures(); }

TextureId TextureStore::load(const std::string& path, int& width, int& height) {
  if (const auto found = _byPath.find(path); found != _byPath.end()) {
    const LevelSize& base = _entries[found->second - 1].sizes[0];
    width = base.width;
    height = base.height;
    return found->second;
  }
  int w = 0, h = 0;
  if (!readPngSize(path, w, h)) {
    // Not a PNG we can size from its header: decode it now to learn its size.
    if (!decode(path, _scratch[0])) return 0;
    w = _scratch[0].width;
    h = _scratch[0].height;
  }
  Entry entry;
  entry.path = path;
  entry.sizes = mipLevelSizes(w, h);
  entry.levels.assign(entry.sizes.size(), nullptr);
  _entries.push_back(std::move(entry));
  const auto id = static_cast<TextureId>(_entries.size());
  _byPath.emplace(path, id);
  width = w;
  height = h;
  return id;
}

bool TextureStore::decode(const std::string& path, PixelImage& image) {
  SDL_RWops* file = SDL_RWFromFile(path.c_str(), "rb");
  if (!file) return false;
  // Straight to the PNG decoder: the images are PNGs, and probing every format costs.
  SDL_Surface* loaded = IMG_isPNG(file) ? IMG_LoadPNG_RW(file) : IMG_Load_RW(file, 0);
  SDL_RWclose(file);
  if (!loaded) return false;
  if (SDL_ISPIXELFORMAT_INDEXED(loaded->format->format)) {
    SDL_Surface* direct = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_ARGB8888, 0);
    SDL_FreeSurface(loaded);
    if (!direct) return false;
    loaded = direct;
  }
  image.width = loaded->w;
  image.height = loaded->h;
  image.argb.resize(static_cast<std::size_t>(loaded->w) * static_cast<std::size_t>(loaded->h));
  const bool converted = SDL_ConvertPixels(loaded->w, loaded->h, loaded->format->format, loaded->pixels, loaded->pitch,
                                           SDL_PIXELFORMAT_ARGB8888, image.argb.data(), loaded->w * 4) == 0;
  SDL_FreeSurface(loaded);
  return converted;
}

SDL_Texture* TextureStore::level(SDL_Renderer* renderer, Entry& entry, int level) {
  if (entry.levels[static_cast<std::size_t>(level)]) return entry.levels[static_cast<std::size_t>(level)];
  if (entry.broken) return nullptr;
  PixelImage* image = &_scratch[0];
  PixelImage* spare = &_scratch[1];
  if (!decode(entry.path, *image)) {
    entry.broken = true;
    std::fprintf(stderr, "pemtrix: cannot decode image %s: %s\n", entry.path.c_str(), IMG_GetError());
    return nullptr;
  }
  if (image->width != entry.sizes[0].width || image->height != entry.sizes[0].height) {
    // The header lied about the size; trust the pixels, and keep the chain consistent.
    for (SDL_Texture* t : entry.levels) {
      if (t) SDL_DestroyTexture(t);
    }
    _stretched.clear();  // may hold copies of the levels just dropped
    entry.sizes = mipLevelSizes(image->width, image->height);
    entry.levels.assign(entry.sizes.size(), nullptr);
    level = std::min(level, static_cast<int>(entry.sizes.size()) - 1);
  }
  for (int i = 0; i < level; ++i) {
    halve(*image, *spare);
    std::swap(image, spare);
  }
  bleedIntoTransparent(*image);
  SDL_Texture* texture =
      SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STATIC, image->width, image->height);
  if (!texture) {
    std::fprintf(stderr, "pemtrix: cannot create a texture for %s: %s\n", entry.path.c_str(), SDL_GetError());
    entry.broken = true;
    return nullptr;
  }
  SDL_UpdateTexture(texture, nullptr, image->argb.data(), image->width * 4);
  SDL_SetTextureBlendMode(texture, SDL_BLENDMODE_BLEND);
  SDL_SetTextureScaleMode(texture, SDL_ScaleModeLinear);
  entry.levels[static_cast<std::size_t>(level)] = texture;
  return texture;
}

void TextureStore::draw(SDL_Renderer* renderer, const PixelArea& visible, TextureId id, const Rect& source,
                        const AffineTransform& toPixels, float width, float height, const Color4B& modulate) {
  if (id == 0 || id > _entries.size() || !renderer || width <= 0 || height <= 0) return;
  Entry& entry = _entries[id - 1];
  if (entry.broken) return;
  const LocalBox box{0, 0, width, height};
  // Cheap rejection before anything is decoded: off-screen images cost nothing.
  if (toPixels.isAxisAligned() ? !overlaps(mapAxisAligned(toPixels, box), visible)
                               : !overlaps(mapQuad(toPixels, box), visible)) {
    return;
  }
  const float screenW = width * scaleAlongX(toPixels), screenH = height * scaleAlongY(toPixels);
  const int chosen = toPixels.isAxisAligned()
                         ? levelCovering(entry.sizes, source.size.width, source.size.height, screenW, screenH)
                         : levelClosest(entry.sizes, source.size.width, source.size.height, screenW, screenH);
  SDL_Texture* texture = level(renderer, entry, chosen);
  if (!texture) return;
  const LevelSize& base = entry.sizes[0];
  const LevelSize& size = entry.sizes[static_cast<std::size_t>(std::min<int>(chosen, entry.sizes.size() - 1))];
  const float kx = static_cast<float>(size.width) / static_cast<float>(base.width);
  const float ky = static_cast<float>(size.height) / static_cast<float>(base.height);
  SDL_Rect texels{static_cast<int>(std::lround(source.origin.x * kx)), static_cast<int>(std::lround(source.origin.y * ky)),
                  static_cast<int>(std::lround(source.size.width * kx)),
                  static_cast<int>(std::lround(source.size.height * ky))};
  texels.x = std::clamp(texels.x, 0, size.width - 1);
  texels.y = std::clamp(texels.y, 0, size.height - 1);
  texels.w = std::max(1, std::min(texels.w, size.width - texels.x));
  texels.h = std::max(1, std::min(texels.h, size.height - texels.y));
  if (toPixels.isAxisAligned() && modulate.a != 0) {
    // Upright at another size and not mirrored: copied 1:1 from its stretched texture once
    // there is one. A 1:1 copy clips pixel for pixel, so an image cut by the clip (a frame
    // that redraws only a part of the window) shows exactly the pixels a whole frame gives.
    const PixelBox pixels = mapAxisAligned(toPixels, box);
    const PixelRect r = snapToPixels(pixels);
    if (!pixels.flipX && !pixels.flipY && r.w > 0 && r.h > 0 && (r.w != texels.w || r.h != texels.h)) {
      const StretchCache::Key key{static_cast<std::uint32_t>(id), chosen, texels, r.w, r.h};
      if (SDL_Texture* stretched = _stretched.get(renderer, texture, key)) {
        SDL_SetTextureColorMod(stretched, modulate.r, modulate.g, modulate.b);
        SDL_SetTextureAlphaMod(stretched, modulate.a);
        const SDL_Rect destination{r.x, r.y, r.w, r.h};
        SDL_RenderCopy(renderer, stretched, nullptr, &destination);
        return;
      }
    }
  }
  copyTexture(renderer, visible, texture, texels, size.width, size.height, toPixels, box, modulate);
}

void TextureStore::releaseTextures() {
  _stretched.clear();
  for (Entry& entry : _entries) {
    for (SDL_Texture*& t : entry.levels) {
      if (t) SDL_DestroyTexture(t);
      t = nullptr;
    }
  }
}

int TextureStore::textureCount() const {
  int count = 0;
  for (const Entry& entry : _entries) {
    for (const SDL_Texture* t : entry.levels) count += t != nullptr;
  }
  return count;
}

}  // namespace cocos2d::backend::sdl
