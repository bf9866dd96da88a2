#include "cocos/backend/sdl/StretchCache.h"

namespace cocos2d::backend::sdl {
namespace {

constexpr std::size_t kEntryBytes = 64;  // the bookkeeping of one size, made or not

std::size_t mix(std::size_t seed, std::uint64_t value) {
  return seed ^ (static_cast<std::size_t>(value * 0x9E3779B97F4A7C15ull) + (seed << 6) + (seed >> 2));
}

}  // namespace

std::size_t StretchCache::Hash::operator()(const Key& k) const {
  std::size_t h = mix(0, (static_cast<std::uint64_t>(k.image) << 8) | static_cast<std::uint64_t>(k.level & 0xFF));
  h = mix(h, (static_cast<std::uint64_t>(static_cast<std::uint32_t>(k.source.x)) << 32) |
                 static_cast<std::uint32_t>(k.source.y));
  h = mix(h, (static_cast<std::uint64_t>(static_cast<std::uint32_t>(k.source.w)) << 32) |
                 static_cast<std::uint32_t>(k.source.h));
  return mix(h, (static_cast<std::uint64_t>(static_cast<std::uint32_t>(k.width)) << 32) |
                    static_cast<std::uint32_t>(k.height));
}

SDL_Texture* StretchCache::get(SDL_Renderer* renderer, SDL_Texture* texture, const Key& key) {
  if (!renderer || !texture || key.width <= 0 || key.height <= 0) return nullptr;
  const auto found = _entries.find(key);
  if (found == _entries.end()) {
    if (_bytes + kEntryBytes > _budget) clear();
    _entries.emplace(key, Entry{});
    _bytes += kEntryBytes;
    return nullptr;
  }
  Entry& entry = found->second;
  if (entry.texture || entry.failed) return entry.texture;
  const std::size_t cost = static_cast<std::size_t>(key.width) * static_cast<std::size_t>(key.height) * 4;
  if (cost + kEntryBytes > _budget) {
    entry.failed = true;  // could never be kept: always stretched as it is drawn
    return nullptr;
  }
  if (_bytes + cost > _budget) {
    clear();  // starting over costs one more stretch per image on screen
    return nullptr;
  }
  entry.texture = stretch(renderer, texture, key);
  entry.failed = entry.texture == nullptr;
  if (entry.texture) _bytes += cost;
  return entry.texture;
}

SDL_Texture* StretchCache::stretch(SDL_Renderer* renderer, SDL_Texture* texture, const Key& key) {
  Uint32 format = 0;
  if (SDL_QueryTexture(texture, &format, nullptr, nullptr, nullptr) != 0) return nullptr;
  // The target takes the texture's own format, so that the software renderer copies with
  // its plain linear stretch: the routine it uses for the temporary surface of a draw.
  SDL_Texture* stretched = SDL_CreateTexture(renderer, format, SDL_TEXTUREACCESS_TARGET, key.width, key.height);
  if (!stretched) return nullptr;
  SDL_Texture* previousTarget = SDL_GetRenderTarget(renderer);
  SDL_BlendMode blend = SDL_BLENDMODE_NONE;
  Uint8 r = 255, g = 255, b = 255, a = 255;
  SDL_GetTextureBlendMode(texture, &blend);
  SDL_GetTextureColorMod(texture, &r, &g, &b);
  SDL_GetTextureAlphaMod(texture, &a);
  // Texels are copied as they are, with no blending and no tint: those come with each draw.
  SDL_SetTextureBlendMode(texture, SDL_BLENDMODE_NONE);
  SDL_SetTextureColorMod(texture, 255, 255, 255);
  SDL_SetTextureAlphaMod(texture, 255);
  bool drawn = SDL_SetRenderTarget(renderer, stretched) == 0;
  drawn = drawn && SDL_RenderCopy(renderer, texture, &key.source, nullptr) == 0;
  // Back to the window, which also brings back its viewport and clip rectangle.
  if (SDL_SetRenderTarget(renderer, previousTarget) != 0) drawn = false;
  SDL_SetTextureBlendMode(texture, blend);
  SDL_SetTextureColorMod(texture, r, g, b);
  SDL_SetTextureAlphaMod(texture, a);
  if (!drawn) {
    SDL_DestroyTexture(stretched);
    return nullptr;
  }
  SDL_SetTextureBlendMode(stretched, blend);
  return stretched;
}

std::size_t StretchCache::stretchedCount() const {
  std::size_t count = 0;
  for (const auto& entry : _entries) count += entry.second.texture != nullptr;
  return count;
}

void StretchCache::clear() {
  for (auto& entry : _entries) {
    if (entry.second.texture) SDL_DestroyTexture(entry.second.texture);
  }
  _entries.clear();
  _bytes = 0;
}

}  // namespace cocos2d::backend::sdl
