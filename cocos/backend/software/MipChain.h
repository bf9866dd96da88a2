// Builds the chain of successively halved images that lets the software renderer show a
// large image small without aliasing: it only ever interpolates between two neighbouring
// texels, so it must start from a level at most twice the size on screen.
#pragma once

#include <cstdint>
#include <vector>

namespace cocos2d::backend::software {

// Straight (not premultiplied) alpha, one 0xAARRGGBB word per texel, rows top to bottom.
struct PixelImage {
  int width = 0, height = 0;
  std::vector<std::uint32_t> argb;
};

struct LevelSize {
  int width = 0, height = 0;
};

// Level 0 is the image itself; each further level halves it (rounding up) for as long as
// its shorter side stays at least `smallestSide` texels.
std::vector<LevelSize> mipLevelSizes(int width, int height, int smallestSide = 16);

// A 2x2 box filter weighted by alpha, so that transparent texels lend no colour to the
// edges of opaque ones. Odd sizes repeat the last row or column. `out` is reused (its
// memory too: decoding a screenful of images then allocates nothing per image).
void halve(const PixelImage& image, PixelImage& out);

// Gives fully transparent texels next to visible ones the average colour of those
// neighbours: bilinear filtering of straight alpha would otherwise blend in the black of
// the transparent texels and draw dark fringes around every shape. Only the level that
// becomes a texture needs it: halving weighs colours by alpha and ignores them.
void bleedIntoTransparent(PixelImage& image);

// The smallest level whose part of the image still has at least as many texels as the
// screen has pixels, in both directions. `sourceWidth`/`sourceHeight` are in level-0 texels.
int levelCovering(const std::vector<LevelSize>& levels, float sourceWidth, float sourceHeight,
                  float screenWidth, float screenHeight);

// The level whose texel density is nearest to one texel per screen pixel, for transforms
// that rotate or skew (whose sampling is nearest-texel anyway).
int levelClosest(const std::vector<LevelSize>& levels, float sourceWidth, float sourceHeight,
                 float screenWidth, float screenHeight);

}  // namespace cocos2d::backend::software
