#include <gtest/gtest.h>

#include "cocos/backend/software/MipChain.h"

namespace {

using namespace cocos2d::backend::software;

PixelImage filled(int w, int h, std::uint32_t argb) {
  PixelImage image;
  image.width = w;
  image.height = h;
  image.argb.assign(static_cast<std::size_t>(w * h), argb);
  return image;
}

TEST(MipChain, LevelsHalveDownToAboutSixteenTexels) {
  const struct {
    int w, h;
    std::vector<std::pair<int, int>> expected;
  } cases[] = {
      {208, 152, {{208, 152}, {104, 76}, {52, 38}, {26, 19}}},  // a key image
      {800, 90, {{800, 90}, {400, 45}, {200, 23}}},             // a wide bar
      {15, 300, {{15, 300}}},                                   // already narrow
      {33, 33, {{33, 33}, {17, 17}}},                           // odd sizes round up
      {0, 10, {}},
  };
  for (const auto& c : cases) {
    const std::vector<LevelSize> sizes = mipLevelSizes(c.w, c.h);
    ASSERT_EQ(sizes.size(), c.expected.size()) << c.w << "x" << c.h;
    for (std::size_t i = 0; i < sizes.size(); ++i) {
      EXPECT_EQ(sizes[i].width, c.expected[i].first);
      EXPECT_EQ(sizes[i].height, c.expected[i].second);
    }
  }
}

TEST(MipChain, KeyImagesAtTheirScreenSizePickTheHalvedLevel) {
  const std::vector<LevelSize> key = mipLevelSizes(208, 152);
  const struct {
    float screenW, screenH;
    int covering;
  } cases[] = {
      {91.5f, 66.9f, 1},   // the calculator's keys: 104x76 still covers them
      {104, 76, 1},        // exactly half
      {105, 70, 0},        // a pixel wider than half needs the full image
      {30, 20, 2},
      {10, 5, 3},          // smaller than the last level: the last level
      {300, 300, 0},       // enlarged
  };
  for (const auto& c : cases) {
    EXPECT_EQ(levelCovering(key, 208, 152, c.screenW, c.screenH), c.covering) << c.screenW << "x" << c.screenH;
  }
  // A sub-rectangle counts its own texels: a 100-texel-wide frame on 60 pixels can't halve.
  EXPECT_EQ(levelCovering(key, 100, 100, 60, 40), 0);
  EXPECT_EQ(levelCovering(key, 100, 100, 50, 40), 1);
  // Rotated drawing wants the nearest density: 92 pixels are nearer 104 texels than 52.
  EXPECT_EQ(levelClosest(key, 208, 152, 92, 67), 1);
  EXPECT_EQ(levelClosest(key, 208, 152, 200, 146), 0);
  EXPECT_EQ(levelClosest(key, 208, 152, 40, 29), 2);
}

TEST(MipChain, HalvingWeighsColoursByAlpha) {
  PixelImage image = filled(2, 2, 0x00000000);  // three transparent black texels
  image.argb[0] = 0xFFFF0000;                    // and one opaque red
  PixelImage half;
  halve(image, half);
  ASSERT_EQ(half.width, 1);
  ASSERT_EQ(half.height, 1);
  // Red at a quarter coverage: not a dark red, which plain averaging would give.
  EXPECT_EQ(half.argb[0], 0x40FF0000u);

  PixelImage mixed = filled(2, 2, 0xFF000000);
  mixed.argb[0] = mixed.argb[3] = 0xFFFFFFFF;  // opaque black and white checker
  halve(mixed, half);  // reusing the output image
  EXPECT_EQ(half.width, 1);
  EXPECT_EQ(half.argb[0], 0xFF808080u);
}

TEST(MipChain, HalvingOddSizesRepeatsTheLastColumn) {
  PixelImage image = filled(3, 1, 0xFF000000);
  image.argb[2] = 0xFFFFFFFF;
  PixelImage half;
  halve(image, half);
  ASSERT_EQ(half.width, 2);
  ASSERT_EQ(half.height, 1);
  EXPECT_EQ(half.argb[0], 0xFF000000u);
  EXPECT_EQ(half.argb[1], 0xFFFFFFFFu);
}

TEST(MipChain, BleedingColoursOnlyTheInvisibleNeighbours) {
  PixelImage image = filled(4, 1, 0x00000000);
  image.argb[1] = 0xFF00FF00;  // opaque green
  image.argb[2] = 0x800000FF;  // half-transparent blue
  bleedIntoTransparent(image);
  EXPECT_EQ(image.argb[0], 0x0000FF00u);  // takes green, stays invisible
  EXPECT_EQ(image.argb[1], 0xFF00FF00u);  // visible texels untouched
  EXPECT_EQ(image.argb[2], 0x800000FFu);
  EXPECT_EQ(image.argb[3], 0x000000FFu);  // takes blue
  // One texel deep only: colours do not creep across the transparent area.
  PixelImage row = filled(4, 1, 0x00000000);
  row.argb[3] = 0xFFFFFFFF;
  bleedIntoTransparent(row);
  EXPECT_EQ(row.argb[2], 0x00FFFFFFu);
  EXPECT_EQ(row.argb[1], 0x00000000u);
  PixelImage empty = filled(3, 3, 0x00123456);
  bleedIntoTransparent(empty);  // nothing visible: nothing to take
  EXPECT_EQ(empty.argb[4], 0x00123456u);
}

}  // namespace
