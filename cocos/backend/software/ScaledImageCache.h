// Images shown upright at another size than their texels, at the same size frame after frame
// (the keypad's keys), are resampled once to their size on screen and from then on copied
// 1:1, the canvas's cheapest path. The copy is the resampler's output for every pixel, so a
// frame drawn from it shows exactly what resampling as it draws would.
#pragma once

#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "cocos/backend/software/Geometry.h"
#include "cocos/backend/software/PixelFormat.h"
#include "cocos/backend/software/Resample.h"

namespace cocos2d::backend::software {

class ScaledImageCache {
 public:
  // Which texels of which image level, at which size on screen.
  struct Key {
    std::uint32_t image = 0;
    int level = 0;
    PixelRect source;
    int width = 0, height = 0;
    bool operator==(const Key& o) const {
      return image == o.image && level == o.level && source.x == o.source.x && source.y == o.source.y &&
             source.w == o.source.w && source.h == o.source.h && width == o.width && height == o.height;
    }
  };

  explicit ScaledImageCache(std::size_t budgetBytes = 8u << 20) : _budget(budgetBytes) {}

  // `key.source` of `texels` resampled to key.width x key.height; null when the caller should
  // resample as it draws. A size is only kept when it is drawn a second time: an animation
  // that changes the size at every frame would otherwise pay for a copy per frame.
  const ImageView* get(const ImageView& texels, const Key& key, Resampler& resampler);

  // A replaced image level makes its copies stale.
  void clear();
  std::size_t size() const { return _entries.size(); }  // sizes seen, made or not
  std::size_t scaledCount() const;
  std::size_t bytes() const { return _bytes; }

 private:
  struct Hash {
    std::size_t operator()(const Key& k) const;
  };
  struct Entry {
    std::vector<std::uint32_t> pixels;  // empty: seen once, or too large to keep
    ImageView view;
    bool refused = false;
  };

  std::unordered_map<Key, Entry, Hash> _entries;
  std::size_t _bytes = 0;
  std::size_t _budget;
};

}  // namespace cocos2d::backend::software
