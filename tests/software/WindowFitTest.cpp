// The window's size on a desktop: scaled for HiDPI, shrunk with its proportions to fit, or the
// size the user gave it before where that fits.
#include <gtest/gtest.h>

#include <cmath>

#include "cocos/backend/software/WindowFit.h"

namespace {

using cocos2d::backend::software::desktopScale;
using cocos2d::backend::software::chooseWindowSize;
using cocos2d::backend::software::fitWindow;

TEST(WindowFit, DesktopScaleFromWhatTheDesktopAnnounces) {
  struct Case {
    const char *gdk, *qt;
    double dpi, scale;
  };
  const Case cases[] = {
      {nullptr, nullptr, 0, 1},     {nullptr, nullptr, 96, 1},   {nullptr, nullptr, 192, 2},
      {nullptr, nullptr, 120, 1.25}, {nullptr, nullptr, 144, 1.5}, {nullptr, nullptr, 72, 1},  // never below 1
      {"2", nullptr, 96, 2},         {"2", "3", 288, 2},          // GDK_SCALE first, whole numbers
      {"1.5", nullptr, 0, 1},        {"x", "1.75", 0, 1.75},      // a bad value counts as unknown
      {"", "", 168, 1.75},           {nullptr, nullptr, 1e9, 4},  // at most 4
      {nullptr, "-2", 0, 1},         {nullptr, "nan", 0, 1},
  };
  for (const Case& c : cases) {
    EXPECT_DOUBLE_EQ(desktopScale(c.gdk, c.qt, c.dpi), c.scale)
        << (c.gdk ? c.gdk : "-") << " " << (c.qt ? c.qt : "-") << " " << c.dpi;
  }
}

TEST(WindowFit, FitsTheUsableAreaWithTheSameProportions) {
  struct Case {
    double scale;
    int usableW, usableH;
    int w, h;
  };
  const Case cases[] = {
      {1, 1920, 1080, 480, 768},   // fits as it is
      {1, 1366, 768, 445, 712},    // a laptop: shrunk so the frame's title bar fits too
      {1, 1024, 600, 340, 544},    // a netbook
      {2, 3840, 2160, 960, 1536},  // HiDPI: larger
      {2, 2560, 1440, 865, 1384},  // HiDPI that does not fit twice the size
      {1.5, 1920, 1080, 640, 1024},
      {1, 0, 0, 480, 768},         // the usable area is unknown: as asked
      {1, 200, 100, 120, 192},     // never below a quarter of the asked size
  };
  for (const Case& c : cases) {
    const auto size = fitWindow(480, 768, c.scale, c.usableW, c.usableH);
    EXPECT_EQ(size.width, c.w) << c.scale << " " << c.usableW << "x" << c.usableH;
    EXPECT_EQ(size.height, c.h) << c.scale << " " << c.usableW << "x" << c.usableH;
    EXPECT_NEAR(static_cast<double>(size.width) / size.height, 0.625, 0.0035);
  }
}

// The usable area of 1366 x 768 leaves room for 1350 x 712 inside a frame; the smallest
// window is 120 x 192.
TEST(WindowFit, AKeptSizeIsUsedWhereItFitsTheUsableArea) {
  struct Case {
    const char* what;
    double scale;
    int usableW, usableH;
    int keptW, keptH;
    int w, h;
  };
  const Case cases[] = {
      {"kept", 1, 1366, 768, 600, 700, 600, 700},
      {"other proportions kept too", 1, 1366, 768, 1200, 300, 1200, 300},
      {"the largest that fits", 1, 1366, 768, 1350, 712, 1350, 712},
      {"the smallest window", 1, 1366, 768, 120, 192, 120, 192},
      {"on HiDPI as it was, not scaled again", 2, 3840, 2160, 1000, 1600, 1000, 1600},
      {"none", 1, 1366, 768, 0, 0, 445, 712},
      {"a pixel too wide", 1, 1366, 768, 1351, 700, 445, 712},
      {"a pixel too tall", 1, 1366, 768, 600, 713, 445, 712},
      {"the whole screen, frame and all", 1, 1366, 768, 1366, 768, 445, 712},
      {"smaller than a window can be made", 1, 1366, 768, 119, 500, 445, 712},
      {"negative", 1, 1366, 768, -600, -700, 445, 712},
      {"huge", 1, 1366, 768, 2147483647, 2147483647, 445, 712},
      {"on HiDPI, too wide for the screen", 2, 1920, 1080, 1910, 1000, 640, 1024},
      {"the usable area unknown", 1, 0, 0, 600, 700, 480, 768},
  };
  for (const Case& c : cases) {
    const auto size = chooseWindowSize(480, 768, c.scale, c.usableW, c.usableH, c.keptW, c.keptH);
    EXPECT_EQ(size.width, c.w) << c.what;
    EXPECT_EQ(size.height, c.h) << c.what;
  }
}

}  // namespace
