// The window's size on a given desktop: the size asked for, scaled for a HiDPI desktop and
// made smaller, with the same proportions, where it would not fit the usable screen; or the
// size the user gave it last time, where that fits.
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

// The smallest the user may make a window asked at width x height: a quarter of it.
WindowSize minimumWindowSize(int width, int height);

// The kept size (the user's, from an earlier run) when it lies between the minimum and the
// usable area less room for a frame, whatever its proportions; otherwise fitWindow's size.
// With the usable area unknown nothing tells that it fits, and it is not used.
WindowSize chooseWindowSize(int width, int height, double scale, int usableWidth, int usableHeight, int keptWidth,
                            int keptHeight);

}  // namespace cocos2d::backend::sdl
