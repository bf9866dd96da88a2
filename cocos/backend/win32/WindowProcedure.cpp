// Win32Window's messages: what the window procedure makes of them. Input becomes the engine's
// events, queued for pollEvent; painting shows the last frame from the buffer; the size the
// window may take follows the monitor's DPI. Alt+F4 and Alt+Space keep their system meaning;
// a lone Alt or F10 does not put the window into its menu, which would swallow the next keys.
#include <windowsx.h>

#include <algorithm>

#include "cocos/backend/win32/KeyTranslation.h"
#include "cocos/backend/win32/Win32Window.h"

namespace cocos2d::backend::win32 {
namespace {

InputEvent eventOf(InputEvent::Type type, float x = 0, float y = 0) {
  InputEvent event;
  event.type = type;
  event.x = x;
  event.y = y;
  return event;
}

// The modifiers as GetKeyState has them for the message being handled.
void readModifiers(KeyMessage& key) {
  key.shift = GetKeyState(VK_SHIFT) < 0;
  key.leftCtrl = GetKeyState(VK_LCONTROL) < 0;
  key.rightCtrl = GetKeyState(VK_RCONTROL) < 0;
  key.leftAlt = GetKeyState(VK_LMENU) < 0;
  key.rightAlt = GetKeyState(VK_RMENU) < 0;
}

}  // namespace

LRESULT Win32Window::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CLOSE:
      // The engine ends its loop; the window goes with the backend.
      push(eventOf(InputEvent::Type::Quit));
      return 0;
    case WM_PAINT:
      paint();
      return 0;
    case WM_ERASEBKGND:
      return 1;  // every pixel is painted from the buffer
    case WM_SIZE:
      sizeMessage(wParam, LOWORD(lParam), HIWORD(lParam));
      return 0;
    case WM_GETMINMAXINFO: {
      // A quarter of the asked size, as on Linux, plus the frame at the window's DPI.
      const software::WindowSize frame = frameSize(_style, GetDpiForWindow(_window));
      auto* limits = reinterpret_cast<MINMAXINFO*>(lParam);
      limits->ptMinTrackSize = POINT{_minimumClient.width + frame.width, _minimumClient.height + frame.height};
      return 0;
    }
    case WM_DPICHANGED: {
      // Moved to a monitor of another scale: the system's suggestion keeps the window's place
      // and its size in that monitor's pixels; the engine draws for it after the resize.
      const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
      SetWindowPos(_window, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                   suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
      return 0;
    }
    case WM_LBUTTONDOWN:
      mouseButton(true, lParam);
      return 0;
    case WM_LBUTTONUP:
      mouseButton(false, lParam);
      return 0;
    case WM_MOUSEMOVE:
      // A hovering pointer means nothing to a touch-driven interface.
      if (_buttonDown) {
        _pointerX = static_cast<float>(GET_X_LPARAM(lParam));
        _pointerY = static_cast<float>(GET_Y_LPARAM(lParam));
        push(eventOf(InputEvent::Type::MouseMove, _pointerX, _pointerY));
      }
      return 0;
    case WM_MOUSEWHEEL:
    case WM_MOUSEHWHEEL:
      wheelMessage(message == WM_MOUSEWHEEL, wParam);
      return 0;
    case WM_CAPTURECHANGED:
      // Another window took the mouse (a system dialog, Alt+Tab) while the button was held.
      if (_buttonDown && reinterpret_cast<HWND>(lParam) != _window) {
        _buttonDown = false;
        push(eventOf(InputEvent::Type::MouseUp, _pointerX, _pointerY));
      }
      return 0;
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
      keyMessage(message, wParam, lParam);
      if (message == WM_SYSKEYDOWN && wParam == VK_F4) return DefWindowProcW(_window, message, wParam, lParam);
      return 0;
    case WM_CHAR:
      characterUnit(static_cast<wchar_t>(wParam));
      return 0;
    case WM_SYSCHAR:
      // Alt+Space opens the window's menu; other Alt+key characters would only beep.
      return wParam == L' ' ? DefWindowProcW(_window, message, wParam, lParam) : 0;
    case WM_UNICHAR:
      if (wParam == UNICODE_NOCHAR) return TRUE;  // yes, this window takes them
      characterMessage(static_cast<char32_t>(wParam));
      return 0;
    default:
      return DefWindowProcW(_window, message, wParam, lParam);
  }
}

void Win32Window::keyMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  KeyMessage key;
  key.pressed = message == WM_KEYDOWN || message == WM_SYSKEYDOWN;
  key.virtualKey = static_cast<unsigned>(wParam);
  key.scanCode = static_cast<unsigned>(lParam >> 16) & 0xFFu;
  key.extended = ((lParam >> 24) & 1) != 0;
  key.repeat = ((lParam >> 30) & 1) != 0;
  if (key.scanCode == 0 && key.virtualKey != VK_PACKET) {
    // Input sent with a virtual key alone: the key that has it on this layout.
    const UINT scan = MapVirtualKeyW(key.virtualKey, MAPVK_VK_TO_VSC_EX);
    key.scanCode = scan & 0xFFu;
    key.extended = (scan >> 8) == 0xE0;
  }
  readModifiers(key);
  key.layoutCharacter = MapVirtualKeyW(key.virtualKey, MAPVK_VK_TO_CHAR);
  if (key.pressed) {
    // TranslateMessage has posted what the press types: it travels with the key, so that the
    // text, not the key's position, decides what is typed.
    MSG typed;
    while (PeekMessageW(&typed, _window, WM_CHAR, WM_CHAR, PM_REMOVE)) {
      key.characters.push_back(static_cast<wchar_t>(typed.wParam));
    }
  }
  InputEvent event;
  if (translateKey(key, event)) push(std::move(event));
}

void Win32Window::characterUnit(wchar_t unit) {
  if (unit >= 0xD800 && unit < 0xDC00) {
    _highSurrogate = unit;
    return;
  }
  std::wstring units;
  if (unit >= 0xDC00 && unit < 0xE000) {
    if (_highSurrogate == 0) return;  // half a character
    units.push_back(_highSurrogate);
  }
  _highSurrogate = 0;
  units.push_back(unit);
  typedWithoutKey(units);
}

void Win32Window::characterMessage(char32_t character) {
  if (character > 0x10FFFF || (character >= 0xD800 && character < 0xE000)) return;
  std::wstring units;
  if (character >= 0x10000) {
    units.push_back(static_cast<wchar_t>(0xD800 + ((character - 0x10000) >> 10)));
    units.push_back(static_cast<wchar_t>(0xDC00 + ((character - 0x10000) & 0x3FF)));
  } else {
    units.push_back(static_cast<wchar_t>(character));
  }
  typedWithoutKey(units);
}

void Win32Window::typedWithoutKey(const std::wstring& units) {
  // An input method's result, or characters sent as input: text with the modifiers held, as a
  // key press would carry it.
  KeyMessage key;
  readModifiers(key);
  key.characters = units;
  InputEvent event;
  if (!translateKey(key, event) || event.text.empty()) return;
  event.type = InputEvent::Type::Text;
  event.keyCode = 0;
  event.layoutKey = 0;
  push(std::move(event));
}

void Win32Window::sizeMessage(WPARAM kind, int width, int height) {
  if (kind == SIZE_MINIMIZED) {
    if (!_minimised) push(eventOf(InputEvent::Type::Hidden));
    _minimised = true;
    return;
  }
  if (_minimised) push(eventOf(InputEvent::Type::Shown));
  _minimised = false;
  if (width <= 0 || height <= 0 || (width == _clientWidth && height == _clientHeight)) return;
  _clientWidth = width;
  _clientHeight = height;
  InputEvent resized = eventOf(InputEvent::Type::Resized);
  resized.width = width;
  resized.height = height;
  push(std::move(resized));
}

void Win32Window::paint() {
  PAINTSTRUCT paint{};
  if (HDC dc = BeginPaint(_window, &paint)) {
    const RECT& area = paint.rcPaint;
    _frame.copyTo(dc, area.left, area.top, area.right - area.left, area.bottom - area.top);
    // Beyond the buffer, while the engine has yet to draw at a larger size: black, as the
    // letterbox is.
    RECT client{};
    GetClientRect(_window, &client);
    const auto black = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    if (client.right > _frame.width()) {
      const RECT right{_frame.width(), 0, client.right, client.bottom};
      FillRect(dc, &right, black);
    }
    if (client.bottom > _frame.height()) {
      const RECT below{0, _frame.height(), std::min<LONG>(_frame.width(), client.right), client.bottom};
      FillRect(dc, &below, black);
    }
    EndPaint(_window, &paint);
  }
  // The buffer keeps the last frame: only a buffer without one needs the engine to draw.
  if (!_frameShown) push(eventOf(InputEvent::Type::Exposed));
}

void Win32Window::mouseButton(bool down, LPARAM at) {
  _pointerX = static_cast<float>(GET_X_LPARAM(at));
  _pointerY = static_cast<float>(GET_Y_LPARAM(at));
  if (down) {
    // Held outside the window, the button still belongs to it until released.
    SetCapture(_window);
    _buttonDown = true;
    push(eventOf(InputEvent::Type::MouseDown, _pointerX, _pointerY));
    return;
  }
  if (!_buttonDown) return;
  _buttonDown = false;
  ReleaseCapture();
  push(eventOf(InputEvent::Type::MouseUp, _pointerX, _pointerY));
}

void Win32Window::wheelMessage(bool vertical, WPARAM wParam) {
  // WHEEL_DELTA (120) a notch; finer wheels and touchpads send parts of it. Up and right are
  // positive in the message as in the engine's event.
  const float notches = static_cast<float>(GET_WHEEL_DELTA_WPARAM(wParam)) / WHEEL_DELTA;
  if (notches == 0) return;
  // Where the pointer was when the message was posted, on the screen. Not from lParam: Windows
  // puts screen coordinates there for both messages, but Wine gives WM_MOUSEHWHEEL's relative
  // to the window, and the message's own position is the same on both.
  const DWORD position = GetMessagePos();
  POINT pointer{GET_X_LPARAM(position), GET_Y_LPARAM(position)};
  if (!ScreenToClient(_window, &pointer)) return;
  InputEvent wheel = eventOf(InputEvent::Type::Wheel, static_cast<float>(pointer.x), static_cast<float>(pointer.y));
  (vertical ? wheel.wheelY : wheel.wheelX) = notches;
  push(std::move(wheel));
}

}  // namespace cocos2d::backend::win32
