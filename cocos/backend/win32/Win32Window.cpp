#include "cocos/backend/win32/Win32Window.h"

#include <algorithm>
#include <vector>

#include "cocos/base/win32/Utf16.h"

namespace cocos2d::backend::win32 {
namespace {

constexpr wchar_t kClassName[] = L"PemtrixWindow";

// Registered once per process; a second window (a test's) reuses it.
bool registerClass(WNDPROC procedure) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  // A device context of the window's own, kept for presenting every frame. No redraw of the
  // whole window on every resize: the engine draws a whole frame after each one anyway.
  windowClass.style = CS_OWNDC;
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = instance;
  // IDC_ARROW is a resource number, whichever character set the headers were told of.
  windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  // The program's icon is its first icon resource, at the sizes the system wants.
  windowClass.hIcon = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE));
  windowClass.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON,
                                                      GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
  windowClass.lpszClassName = kClassName;
  return RegisterClassExW(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

std::string systemMessage(DWORD error) {
  wchar_t* text = nullptr;
  const DWORD length =
      FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                     nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::wstring message(text ? text : L"", length);
  if (text) LocalFree(text);
  while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r' || message.back() == L'.')) {
    message.pop_back();
  }
  return message.empty() ? "error " + std::to_string(error) : cocos2d::win32::utf8FromUtf16(message);
}

}  // namespace

Win32Window::Win32Window() {
  LARGE_INTEGER frequency{};
  QueryPerformanceFrequency(&frequency);
  _ticksPerSecond = static_cast<std::uint64_t>(frequency.QuadPart > 0 ? frequency.QuadPart : 1);
}

Win32Window::~Win32Window() { close(); }

void Win32Window::close() {
  if (_window) {
    // No message of the window's last moments may reach a window object that is going.
    SetWindowLongPtrW(_window, GWLP_USERDATA, 0);
    if (_windowDc) ReleaseDC(_window, _windowDc);
    DestroyWindow(_window);
  }
  _window = nullptr;
  _windowDc = nullptr;
  _events.clear();
}

bool Win32Window::openOffscreen(WindowOptions& options) {
  _frame.useMemory();
  if (options.displayOpened) options.displayOpened();
  if (!_frame.resize(options.width, options.height)) {
    _lastError = "cannot open an offscreen window: no memory for its pixels";
    return false;
  }
  _reportedWidth = _clientWidth = options.width;
  _reportedHeight = _clientHeight = options.height;
  return true;
}

bool Win32Window::openWindow(WindowOptions& options) {
  if (isOpen()) {
    _lastError = "cannot open a window: one is already open";
    return false;
  }
  _headless = options.headless;
  if (options.width <= 0 || options.height <= 0) {
    _lastError = "cannot open a window of no size";
    return false;
  }
  if (_headless) return openOffscreen(options);
  if (!registerClass(procedure)) {
    _lastError = "cannot open a window: " + systemMessage(GetLastError());
    return false;
  }
  // Windows needs no connection to a display: the store's thread may start now.
  if (options.displayOpened) options.displayOpened();
  _style.style = WS_OVERLAPPEDWINDOW;
  if (!options.resizable) _style.style &= ~static_cast<DWORD>(WS_THICKFRAME | WS_MAXIMIZEBOX);
  _minimumClient = {std::max(1, options.width / 4), std::max(1, options.height / 4)};
  const std::wstring title = cocos2d::win32::utf16FromUtf8(options.title);
  // Made hidden where the system puts new windows: the monitor it lands on decides its DPI and
  // the room it has, and it shows at the size that fits there.
  _window = CreateWindowExW(_style.extendedStyle, kClassName, title.c_str(), _style.style, CW_USEDEFAULT,
                            CW_USEDEFAULT, options.width, options.height, nullptr, nullptr, GetModuleHandleW(nullptr),
                            this);
  if (!_window) {
    _lastError = "cannot open a window: " + systemMessage(GetLastError());
    return false;
  }
  // Asked only now: the store it comes from is read on another thread meanwhile.
  int keptWidth = 0, keptHeight = 0;
  if (!options.keptSize || !options.keptSize(keptWidth, keptHeight)) keptWidth = keptHeight = 0;
  const Placement placement = placeOnMonitor(_window, _style, options.width, options.height, keptWidth, keptHeight);
  SetWindowPos(_window, nullptr, placement.bounds.left, placement.bounds.top,
               placement.bounds.right - placement.bounds.left, placement.bounds.bottom - placement.bounds.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
  _windowDc = GetDC(_window);
  RECT client{};
  GetClientRect(_window, &client);
  _clientWidth = _reportedWidth = std::max<int>(1, client.right - client.left);
  _clientHeight = _reportedHeight = std::max<int>(1, client.bottom - client.top);
  if (!_windowDc || !_frame.resize(_reportedWidth, _reportedHeight)) {
    _lastError = "cannot open a window: no memory for its pixels";
    close();
    return false;
  }
  // Sizes the procedure saw while the window was being placed are the one reported here.
  _events.clear();
  // As the program was started: normally, or minimised from a shortcut that says so.
  ShowWindow(_window, SW_SHOWDEFAULT);
  options.width = _reportedWidth;
  options.height = _reportedHeight;
  _lastError.clear();
  return true;
}

LRESULT CALLBACK Win32Window::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<Win32Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    self->_window = window;
  }
  auto* self = reinterpret_cast<Win32Window*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  return self ? self->handleMessage(message, wParam, lParam) : DefWindowProcW(window, message, wParam, lParam);
}

bool Win32Window::pollEvent(InputEvent& event) {
  MSG message;
  while (_events.empty() && PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      InputEvent quit;
      quit.type = InputEvent::Type::Quit;
      push(std::move(quit));
      break;
    }
    // A key press posts the characters it types; the procedure takes them with the key.
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  if (_events.empty()) return false;
  event = std::move(_events.front());
  _events.pop_front();
  if (event.type == InputEvent::Type::Resized) {
    // From here on the engine lays out for the new size: frames are drawn at it.
    _reportedWidth = event.width;
    _reportedHeight = event.height;
    _frame.resize(event.width, event.height);
    _frameShown = false;
  }
  return true;
}

void Win32Window::waitForEvent(int timeoutMilliseconds) {
  std::vector<WaitDescriptor> descriptors;
  const std::vector<WaitSource*> sources = waitSources();
  std::vector<std::size_t> firsts;
  for (WaitSource* source : sources) {
    firsts.push_back(descriptors.size());
    const int limit = source->prepareWait(descriptors);
    if (limit >= 0 && (timeoutMilliseconds < 0 || limit < timeoutMilliseconds)) timeoutMilliseconds = limit;
  }
  if (_events.empty()) {
    // Without a window nothing can arrive: a bounded sleep, as offscreen on Linux.
    if (!_window && timeoutMilliseconds < 0) timeoutMilliseconds = 1000;
    // Descriptors are the POSIX side's: nothing here serves them, and they stay quiet.
    const DWORD timeout = timeoutMilliseconds < 0 ? INFINITE : static_cast<DWORD>(timeoutMilliseconds);
    MsgWaitForMultipleObjectsEx(0, nullptr, timeout, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
  }
  for (WaitDescriptor& descriptor : descriptors) descriptor.revents = 0;
  for (std::size_t s = 0; s < sources.size(); ++s) {
    const std::size_t first = firsts[s];
    const std::size_t end = s + 1 < sources.size() ? firsts[s + 1] : descriptors.size();
    sources[s]->finishWait(descriptors.data() + first, end - first);
  }
}

std::uint64_t Win32Window::monotonicNanoseconds() {
  LARGE_INTEGER now{};
  QueryPerformanceCounter(&now);
  const auto ticks = static_cast<std::uint64_t>(now.QuadPart);
  // Whole seconds and the rest apart, so that nothing overflows in the multiplication.
  return ticks / _ticksPerSecond * 1000000000u + ticks % _ticksPerSecond * 1000000000u / _ticksPerSecond;
}

bool Win32Window::windowScreenPosition(int& x, int& y) {
  x = y = 0;
  POINT origin{0, 0};
  if (!_window || !ClientToScreen(_window, &origin)) return false;
  x = origin.x;
  y = origin.y;
  return true;
}

void Win32Window::presentFrame() {
  if (!_windowDc || _minimised) return;
  presentRegion(0, 0, _frame.width(), _frame.height());
  _frameShown = true;
}

void Win32Window::presentRegion(int x, int y, int width, int height) {
  if (!_windowDc || _minimised) return;
  _frame.copyTo(_windowDc, x, y, width, height);
  // Out now, not when GDI's batch fills.
  GdiFlush();
}

}  // namespace cocos2d::backend::win32
