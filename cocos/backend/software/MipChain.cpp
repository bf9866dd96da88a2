#include "cocos/backend/software/MipChain.h"

#include <algorithm>
#include <cmath>

namespace cocos2d::backend::software {
namespace {

constexpr std::uint32_t alphaOf(std::uint32_t p) { return p >> 24; }
constexpr std::uint32_t channel(std::uint32_t p, int shift) { return (p >> shift) & 0xFFu; }
constexpr std::uint32_t pack(std::uint32_t a, std::uint32_t r, std::uint32_t g, std::uint32_t b) {
  return (a << 24) | (r << 16) | (g << 8) | b;
}

}  // namespace

std::vector<LevelSize> mipLevelSizes(int width, int height, int smallestSide) {
  std::vector<LevelSize> sizes;
  if (width <= 0 || height <= 0) return sizes;
  sizes.push_back({width, height});
  for (;;) {
    const LevelSize& last = sizes.back();
    const LevelSize next{(last.width + 1) / 2, (last.height + 1) / 2};
    if (std::min(next.width, next.height) < smallestSide || (next.width == last.width && next.height == last.height)) {
      break;
    }
    sizes.push_back(next);
  }
  return sizes;
}

void halve(const PixelImage& image, PixelImage& out) {
  out.width = (image.width + 1) / 2;
  out.height = (image.height + 1) / 2;
  out.argb.resize(static_cast<std::size_t>(out.width) * static_cast<std::size_t>(out.height));
  const auto at = [&image](int x, int y) {
    x = std::min(x, image.width - 1);
    y = std::min(y, image.height - 1);
    return image.argb[static_cast<std::size_t>(y) * static_cast<std::size_t>(image.width) + static_cast<std::size_t>(x)];
  };
  for (int y = 0; y < out.height; ++y) {
    for (int x = 0; x < out.width; ++x) {
      const std::uint32_t quad[4] = {at(2 * x, 2 * y), at(2 * x + 1, 2 * y), at(2 * x, 2 * y + 1),
                                     at(2 * x + 1, 2 * y + 1)};
      std::uint32_t alphaSum = 0, weighted[3] = {0, 0, 0}, plain[3] = {0, 0, 0};
      for (const std::uint32_t p : quad) {
        const std::uint32_t a = alphaOf(p);
        alphaSum += a;
        for (int c = 0; c < 3; ++c) {
          const std::uint32_t v = channel(p, 16 - 8 * c);
          weighted[c] += v * a;
          plain[c] += v;
        }
      }
      std::uint32_t rgb[3];
      for (int c = 0; c < 3; ++c) {
        // Where all four are invisible the colour only matters to filtering at the edges,
        // and the bled colours the plain average keeps are the right ones there.
        rgb[c] = alphaSum > 0 ? (weighted[c] + alphaSum / 2) / alphaSum : (plain[c] + 2) / 4;
      }
      out.argb[static_cast<std::size_t>(y) * static_cast<std::size_t>(out.width) + static_cast<std::size_t>(x)] =
          pack((alphaSum + 2) / 4, rgb[0], rgb[1], rgb[2]);
    }
  }
}

void bleedIntoTransparent(PixelImage& image) {
  // In place: a texel changed here stays transparent, and only visible texels are read,
  // so the result is the same as working from a copy.
  const int w = image.width, h = image.height;
  std::uint32_t* pixels = image.argb.data();
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      std::uint32_t& texel = pixels[static_cast<std::ptrdiff_t>(y) * w + x];
      if (alphaOf(texel) != 0) continue;
      std::uint32_t count = 0, sum[3] = {0, 0, 0};
      for (int ny = std::max(0, y - 1); ny <= std::min(h - 1, y + 1); ++ny) {
        for (int nx = std::max(0, x - 1); nx <= std::min(w - 1, x + 1); ++nx) {
          const std::uint32_t p = pixels[static_cast<std::ptrdiff_t>(ny) * w + nx];
          if (alphaOf(p) == 0) continue;
          ++count;
          for (int c = 0; c < 3; ++c) sum[c] += channel(p, 16 - 8 * c);
        }
      }
      if (count == 0) continue;
      texel = pack(0, (sum[0] + count / 2) / count, (sum[1] + count / 2) / count, (sum[2] + count / 2) / count);
    }
  }
}

int levelCovering(const std::vector<LevelSize>& levels, float sourceWidth, float sourceHeight, float screenWidth,
                  float screenHeight) {
  if (levels.empty()) return 0;
  const float baseW = static_cast<float>(levels[0].width), baseH = static_cast<float>(levels[0].height);
  // A hair of tolerance so that exactly half size still picks the halved level.
  const float slack = 1e-3f;
  for (int level = static_cast<int>(levels.size()) - 1; level > 0; --level) {
    const float w = sourceWidth * static_cast<float>(levels[level].width) / baseW;
    const float h = sourceHeight * static_cast<float>(levels[level].height) / baseH;
    if (w + slack >= screenWidth && h + slack >= screenHeight) return level;
  }
  return 0;
}

int levelClosest(const std::vector<LevelSize>& levels, float sourceWidth, float sourceHeight, float screenWidth,
                 float screenHeight) {
  if (levels.empty() || screenWidth <= 0 || screenHeight <= 0) return 0;
  const float baseW = static_cast<float>(levels[0].width), baseH = static_cast<float>(levels[0].height);
  int best = 0;
  float bestDistance = INFINITY;
  for (int level = 0; level < static_cast<int>(levels.size()); ++level) {
    const float w = sourceWidth * static_cast<float>(levels[level].width) / baseW;
    const float h = sourceHeight * static_cast<float>(levels[level].height) / baseH;
    // Distance in octaves, using the more demanding of the two directions.
    const float density = std::max(w / screenWidth, h / screenHeight);
    const float distance = std::fabs(std::log2(std::max(density, 1e-6f)));
    if (distance < bestDistance) {
      bestDistance = distance;
      best = level;
    }
  }
  return best;
}

}  // namespace cocos2d::backend::software
