#include "cocos/backend/software/ScaledImageCache.h"

namespace cocos2d::backend::software {
namespace {

constexpr std::size_t kEntryBytes = 64;  // the bookkeeping of one size, made or not

std::size_t mix(std::size_t seed, std::uint64_t value) {
  return seed ^ (static_cast<std::size_t>(value * 0x9E3779B97F4A7C15ull) + (seed << 6) + (seed >> 2));
}

std::uint64_t pair(int high, int low) {
  return (static_cast<std::uint64_t>(static_cast<std::uint32_t>(high)) << 32) | static_cast<std::uint32_t>(low);
}

}  // namespace

std::size_t ScaledImageCache::Hash::operator()(const Key& k) const {
  std::size_t h = mix(0, pair(static_cast<int>(k.image), k.level));
  h = mix(h, pair(k.source.x, k.source.y));
  h = mix(h, pair(k.source.w, k.source.h));
  return mix(h, pair(k.width, k.height));
}

const ImageView* ScaledImageCache::get(const ImageView& texels, const Key& key, Resampler& resampler) {
  if (key.width <= 0 || key.height <= 0) return nullptr;
  const auto found = _entries.find(key);
  if (found == _entries.end()) {
    if (_bytes + kEntryBytes > _budget) clear();
    _entries.emplace(key, Entry{});
    _bytes += kEntryBytes;
    return nullptr;
  }
  Entry& entry = found->second;
  if (!entry.pixels.empty()) return &entry.view;
  if (entry.refused) return nullptr;
  const std::size_t count = static_cast<std::size_t>(key.width) * static_cast<std::size_t>(key.height);
  const std::size_t cost = count * sizeof(std::uint32_t);
  if (cost + kEntryBytes > _budget) {
    entry.refused = true;  // could never be kept: always resampled as it is drawn
    return nullptr;
  }
  if (_bytes + cost > _budget) {
    clear();  // starting over costs one more resampling per image on screen
    return nullptr;
  }
  entry.pixels.resize(count);
  resampler.resample(texels, key.source, key.width, key.height, false, false, PixelRect{0, 0, key.width, key.height},
                     entry.pixels.data(), key.width);
  entry.view = ImageView{entry.pixels.data(), key.width, key.height, key.width};
  _bytes += cost;
  return &entry.view;
}

std::size_t ScaledImageCache::scaledCount() const {
  std::size_t count = 0;
  for (const auto& entry : _entries) count += !entry.second.pixels.empty();
  return count;
}

void ScaledImageCache::clear() {
  _entries.clear();
  _bytes = 0;
}

}  // namespace cocos2d::backend::software
