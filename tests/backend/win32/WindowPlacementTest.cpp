// Where the window opens: the asked size scaled for the DPI and fitted to the work area with
// the frame Windows draws, or the user's kept size where that fits; centred, with the title bar
// on the screen.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>

#include "cocos/backend/win32/WindowPlacement.h"

namespace {

using cocos2d::backend::software::WindowSize;
using cocos2d::backend::win32::Placement;
using cocos2d::backend::win32::placeInWorkArea;

TEST(WindowPlacement, ClientSizeForDpiWorkAreaAndKeptSize) {
  struct Case {
    const char* what;
    RECT work;
    WindowSize frame;
    UINT dpi;
    int keptWidth, keptHeight;
    WindowSize client;
  };
  const RECT fullHd{0, 0, 1920, 1040};  // a 1080-line screen less a 40-pixel taskbar
  const Case cases[] = {
      {"as asked", fullHd, {16, 39}, 96, 0, 0, {480, 768}},
      {"kept size", fullHd, {16, 39}, 96, 700, 600, {700, 600}},
      {"kept size that just fits with the frame", fullHd, {16, 39}, 96, 1904, 1001, {1904, 1001}},
      {"kept size one pixel too tall with the frame", fullHd, {16, 39}, 96, 1904, 1002, {480, 768}},
      {"kept size below a quarter", fullHd, {16, 39}, 96, 119, 600, {480, 768}},
      {"kept size of nothing", fullHd, {16, 39}, 96, 0, 600, {480, 768}},
      {"150 %: 720 x 1152 shrunk into 1040 less a frame of 58", fullHd, {24, 58}, 144, 0, 0, {614, 982}},
      {"200 % on a 4K screen", RECT{0, 0, 3840, 2080}, {32, 77}, 192, 0, 0, {960, 1536}},
      {"a laptop of 1366 x 728", RECT{0, 0, 1366, 728}, {16, 39}, 96, 0, 0, {431, 689}},
      {"a work area that starts beside a taskbar on the left", RECT{60, 0, 1920, 1080}, {16, 39}, 96, 0, 0,
       {480, 768}},
  };
  for (const Case& c : cases) {
    const Placement p = placeInWorkArea(c.work, c.frame, c.dpi, 480, 768, c.keptWidth, c.keptHeight);
    EXPECT_EQ(p.client.width, c.client.width) << c.what;
    EXPECT_EQ(p.client.height, c.client.height) << c.what;
    // The window is the client area and its frame, centred in the work area.
    EXPECT_EQ(p.bounds.right - p.bounds.left, c.client.width + c.frame.width) << c.what;
    EXPECT_EQ(p.bounds.bottom - p.bounds.top, c.client.height + c.frame.height) << c.what;
    EXPECT_LE(std::abs((p.bounds.left - c.work.left) - (c.work.right - p.bounds.right)), 1) << c.what;
    EXPECT_LE(std::abs((p.bounds.top - c.work.top) - (c.work.bottom - p.bounds.bottom)), 1) << c.what;
  }
}

TEST(WindowPlacement, AWindowLargerThanTheWorkAreaKeepsItsTitleBarOnTheScreen) {
  // A screen too small for even the smallest window: 120 x 192 with its frame.
  const RECT tiny{0, 20, 200, 160};
  const Placement p = placeInWorkArea(tiny, {16, 39}, 96, 480, 768, 0, 0);
  EXPECT_EQ(p.client.width, 120);
  EXPECT_EQ(p.client.height, 192);
  EXPECT_EQ(p.bounds.top, 20);
}

}  // namespace
