// The window's size on a given desktop: the size asked for, scaled for a HiDPI desktop and
// made smaller, with the same proportions, where it would not fit the usable screen; or the
// size the user gave it last time, where that fits. Shared by the backends: each reads the
// desktop's scale and usable area its own way.
#pragma once

namespace cocos2d::backend::software {

struct WindowSize {
  int width;
  int height;
};

// What a window's frame adds to its size: on X11 the window manager's, which a program learns
// only once the window is shown, so room for a title bar and thin borders; on Windows the
// system says what it is.
constexpr WindowSize kTypicalFrame{16, 56};

// The desktop's scale factor from what desktops announce: GDK_SCALE (whole numbers), then
// QT_SCALE_FACTOR, then the X resource Xft.dpi over 96 (0 when unknown). Values that cannot
// be read count as unknown; the result lies between 1 and 4.
double desktopScale(const char* gdkScale, const char* qtScale, double xftDpi);

// The size asked for times the scale, shrunk to fit the usable area less the frame; never
// below a quarter of the asked size.
WindowSize fitWindow(int width, int height, double scale, int usableWidth, int usableHeight,
                     WindowSize frame = kTypicalFrame);

// The smallest the user may make a window asked at width x height: a quarter of it.
WindowSize minimumWindowSize(int width, int height);

// The kept size (the user's, from an earlier run) when it lies between the minimum and the
// usable area less room for a frame, whatever its proportions; otherwise fitWindow's size.
// With the usable area unknown nothing tells that it fits, and it is not used.
WindowSize chooseWindowSize(int width, int height, double scale, int usableWidth, int usableHeight, int keptWidth,
                            int keptHeight, WindowSize frame = kTypicalFrame);

}  // namespace cocos2d::backend::software
