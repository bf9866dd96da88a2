// The window's size on a given desktop: the size asked for, scaled for a HiDPI desktop and
// made smaller, with the same proportions, where it would not fit the usable screen.
#pragma once

namespace cocos2d::backend::sdl {

struct WindowSize {
  int width;
  int height;
};

// The desktop's scale factor from what desktops announce: GDK_SCALE (whole numbers), then
// QT_SCALE_FACTOR, then the X resource Xft.dpi over 96 (0 when unknown). Values that cannot
// be read count as unknown; the result lies between 1 and 4.
double desktopScale(const char* gdkScale, const char* qtScale, double xftDpi);

// The size asked for times the scale, shrunk to fit the usable area less room for a window
// manager's frame; never below a quarter of the asked size.
WindowSize fitWindow(int width, int height, double scale, int usableWidth, int usableHeight);

}  // namespace cocos2d::backend::sdl
