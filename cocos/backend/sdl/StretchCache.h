// Images shown upright at another size than their texture, at the same size frame after
// frame (the keypad's keys), are stretched once into a texture of their on-screen size and
// from then on copied 1:1. SDL's software renderer would otherwise stretch them into a
// fresh temporary surface at every draw and blend that onto the window. The stretch into
// the cached texture is the same SDL routine on the same texels, and the 1:1 copy is the
// same blend of the same pixels, so what reaches the window does not change.
#pragma once

#include <SDL_render.h>

#include <cstddef>
#include <cstdint>
#include <unordered_map>

namespace cocos2d::backend::sdl {

class StretchCache {
 public:
  // Which texels of which image level, at which size on screen.
  struct Key {
    std::uint32_t image = 0;
    int level = 0;
    SDL_Rect source{0, 0, 0, 0};
    int width = 0, height = 0;
    bool operator==(const Key& o) const {
      return image == o.image && level == o.level && source.x == o.source.x && source.y == o.source.y &&
             source.w == o.source.w && source.h == o.source.h && width == o.width && height == o.height;
    }
  };

  explicit StretchCache(std::size_t budgetBytes = 8u << 20) : _budget(budgetBytes) {}
  StretchCache(const StretchCache&) = delete;
  StretchCache& operator=(const StretchCache&) = delete;
  ~StretchCache() { clear(); }

  // `texture`'s texels `key.source` stretched to key.width x key.height, ready for a 1:1
  // copy with blending; null when the caller should stretch as it draws. A size is only
  // cached when it is drawn a second time: an animation that changes the size at every
  // frame would otherwise pay for a texture per frame.
  SDL_Texture* get(SDL_Renderer* renderer, SDL_Texture* texture, const Key& key);

  // Textures belong to a renderer and must go before it does; a replaced image level
  // makes its stretched copies stale as well.
  void clear();
  std::size_t size() const { return _entries.size(); }  // sizes seen, stretched or not
  std::size_t stretchedCount() const;
  std::size_t bytes() const { return _bytes; }

 private:
  struct Hash {
    std::size_t operator()(const Key& k) const;
  };
  struct Entry {
    SDL_Texture* texture = nullptr;  // null: seen once, or could not be made
    bool failed = false;
  };

  static SDL_Texture* stretch(SDL_Renderer* renderer, SDL_Texture* texture, const Key& key);

  std::unordered_map<Key, Entry, Hash> _entries;
  std::size_t _bytes = 0;
  std::size_t _budget;
};

}  // namespace cocos2d::backend::sdl
