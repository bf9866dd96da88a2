// Where the window opens and how large, on the monitor it is on: the size asked for, scaled for
// the monitor's DPI and fitted to its work area (the screen less the taskbar) with the frame
// Windows draws at that DPI, as the SDL backend fits it to the desktop (software/WindowFit).
#pragma once

#include <windows.h>

#include "cocos/backend/software/WindowFit.h"

namespace cocos2d::backend::win32 {

struct WindowStyle {
  DWORD style = 0;
  DWORD extendedStyle = 0;
};

// The window's frame at `dpi`: what it adds to the client area's width and height.
software::WindowSize frameSize(const WindowStyle& style, UINT dpi);

// The client size for a window asked at width x height on the monitor of `window`, and the
// window's rectangle that centres it in the monitor's work area. A kept size (the user's from
// an earlier run; 0 x 0 for none) is used instead where it fits the work area with the frame.
struct Placement {
  software::WindowSize client{0, 0};
  RECT bounds{};
};
Placement placeOnMonitor(HWND window, const WindowStyle& style, int width, int height, int keptWidth = 0,
                         int keptHeight = 0);
// The same, for a work area, the frame and the DPI already known (no call into the system).
Placement placeInWorkArea(const RECT& work, software::WindowSize frame, UINT dpi, int width, int height,
                          int keptWidth, int keptHeight);

}  // namespace cocos2d::backend::win32
