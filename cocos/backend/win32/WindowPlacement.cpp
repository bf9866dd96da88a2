#include "cocos/backend/win32/WindowPlacement.h"

#include <algorithm>

namespace cocos2d::backend::win32 {

software::WindowSize frameSize(const WindowStyle& style, UINT dpi) {
  RECT rect{0, 0, 0, 0};
  if (!AdjustWindowRectExForDpi(&rect, style.style, FALSE, style.extendedStyle, dpi)) return software::kTypicalFrame;
  return {rect.right - rect.left, rect.bottom - rect.top};
}

Placement placeOnMonitor(HWND window, const WindowStyle& style, int width, int height, int keptWidth,
                         int keptHeight) {
  const UINT dpi = GetDpiForWindow(window);
  MONITORINFO monitor{};
  monitor.cbSize = sizeof(monitor);
  if (!GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), &monitor)) {
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &monitor.rcWork, 0);
  }
  return placeInWorkArea(monitor.rcWork, frameSize(style, dpi), dpi, width, height, keptWidth, keptHeight);
}

Placement placeInWorkArea(const RECT& work, software::WindowSize frame, UINT dpi, int width, int height,
                          int keptWidth, int keptHeight) {
  Placement placement;
  // The frame is the system's own at this DPI, not the X11 allowance the Linux program guesses.
  placement.client =
      software::chooseWindowSize(width, height, software::desktopScale(nullptr, nullptr, dpi), work.right - work.left,
                                 work.bottom - work.top, keptWidth, keptHeight, frame);
  const int outerWidth = placement.client.width + frame.width;
  const int outerHeight = placement.client.height + frame.height;
  // Centred; a window larger than the work area (its minimum on a tiny screen) keeps its title
  // bar on the screen.
  const int left = work.left + (work.right - work.left - outerWidth) / 2;
  const int top = work.top + std::max(0L, (work.bottom - work.top - outerHeight) / 2);
  placement.bounds = RECT{left, top, left + outerWidth, top + outerHeight};
  return placement;
}

}  // namespace cocos2d::backend::win32
