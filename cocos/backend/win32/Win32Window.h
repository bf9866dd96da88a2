// The Windows backend's window: one window of our own class sized for its monitor, its
// messages turned into the engine's input (WindowProcedure.cpp), the wait for them, the clock,
// and the buffer frames are drawn into and presented from. Headless, there is no window: an
// offscreen buffer of the asked size, and nothing arrives.
#pragma once

#include <windows.h>

#include <cstdint>
#include <deque>
#include <string>

#include "cocos/backend/Window.h"
#include "cocos/backend/software/WindowFit.h"
#include "cocos/backend/win32/FrameBuffer.h"
#include "cocos/backend/win32/WindowPlacement.h"

namespace cocos2d::backend::win32 {

class Win32Window final : public Window {
 public:
  Win32Window();
  ~Win32Window() override;
  Win32Window(const Win32Window&) = delete;
  Win32Window& operator=(const Win32Window&) = delete;

  bool openWindow(WindowOptions& options) override;
  std::string lastError() const override { return _lastError; }
  bool isHeadless() const override { return _headless; }
  bool pollEvent(InputEvent& event) override;
  void waitForEvent(int timeoutMilliseconds) override;
  std::uint64_t monotonicNanoseconds() override;
  bool windowScreenPosition(int& x, int& y) override;

  // For the other parts. Null when headless or not open.
  HWND handle() const { return _window; }
  bool isOpen() const { return _window != nullptr || (_headless && _frame.pixels().pixels != nullptr); }
  // The buffer frames are drawn into, at the size the engine was last told.
  FrameBuffer& frameBuffer() { return _frame; }
  // Shows a whole frame, or a region of one (buffer pixels), in the window.
  void presentFrame();
  void presentRegion(int x, int y, int width, int height);

 private:
  static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  // The window's messages, in WindowProcedure.cpp.
  LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void keyMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void characterUnit(wchar_t unit);
  void characterMessage(char32_t character);
  void typedWithoutKey(const std::wstring& units);
  void sizeMessage(WPARAM kind, int width, int height);
  void paint();
  void mouseButton(bool down, LPARAM at);
  // WM_MOUSEWHEEL (vertical) or WM_MOUSEHWHEEL, the delta in wParam.
  void wheelMessage(bool vertical, WPARAM wParam);
  void push(InputEvent&& event) { _events.push_back(std::move(event)); }

  bool openOffscreen(WindowOptions& options);
  void close();

  bool _headless = false;
  HWND _window = nullptr;
  HDC _windowDc = nullptr;
  WindowStyle _style;
  software::WindowSize _minimumClient{1, 1};
  FrameBuffer _frame;
  std::deque<InputEvent> _events;
  // What the engine was told of the client area, and what the window procedure last saw.
  int _reportedWidth = 0, _reportedHeight = 0;
  int _clientWidth = 0, _clientHeight = 0;
  bool _minimised = false;
  bool _frameShown = false;  // the buffer holds a whole frame of its size, shown in the window
  bool _buttonDown = false;
  float _pointerX = 0, _pointerY = 0;
  wchar_t _highSurrogate = 0;  // the first half of a character typed in two WM_CHARs
  std::uint64_t _ticksPerSecond = 0;
  std::string _lastError;
};

}  // namespace cocos2d::backend::win32
