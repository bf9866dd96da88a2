#include "cocos/backend/win32/Win32Desktop.h"

#include <shellapi.h>

#include <cwchar>

#include "cocos/base/win32/Utf16.h"

namespace cocos2d::backend::win32 {
namespace {

// Another program may hold the clipboard for a moment (a clipboard manager reading what was
// just copied): a few short tries before giving up.
bool openClipboard(HWND owner) {
  for (int attempt = 0; attempt < 10; ++attempt) {
    if (OpenClipboard(owner)) return true;
    Sleep(5);
  }
  return false;
}

}  // namespace

bool writeClipboardText(HWND owner, const std::string& utf8) {
  const std::wstring text = cocos2d::win32::utf16FromUtf8(utf8);
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
  if (!memory) return false;
  if (auto* copy = static_cast<wchar_t*>(GlobalLock(memory))) {
    std::wmemcpy(copy, text.c_str(), text.size() + 1);
    GlobalUnlock(memory);
  }
  // Emptying makes the opener the owner: with no window the system would refuse the data.
  bool written = false;
  if (openClipboard(owner)) {
    written = EmptyClipboard() && SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
    CloseClipboard();
  }
  // The clipboard owns the memory once it took it.
  if (!written) GlobalFree(memory);
  return written;
}

bool readClipboardText(HWND owner, std::string& utf8) {
  if (!openClipboard(owner)) return false;
  bool any = false;
  // Text copied as CF_TEXT in the ANSI code page is offered as CF_UNICODETEXT too.
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* text = static_cast<const wchar_t*>(GlobalLock(data))) {
      // Up to the first NUL, never past the block.
      const std::size_t limit = GlobalSize(data) / sizeof(wchar_t);
      std::size_t length = 0;
      while (length < limit && text[length] != L'\0') ++length;
      utf8 = cocos2d::win32::utf8FromUtf16(std::wstring_view(text, length));
      any = !utf8.empty();
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return any;
}

std::string languageCode(LANGID language) {
  wchar_t name[9] = {};
  if (GetLocaleInfoW(MAKELCID(language, SORT_DEFAULT), LOCALE_SISO639LANGNAME, name, 9) <= 0 || name[0] == L'\0') {
    return "en";
  }
  return cocos2d::win32::utf8FromUtf16(name);
}

void Win32Desktop::setClipboardText(const std::string& bytes) {
  if (_window.isHeadless()) {
    _offscreenClipboard = bytes;
    return;
  }
  writeClipboardText(_window.handle(), bytes);
}

bool Win32Desktop::getClipboardText(std::string& bytes) {
  if (_window.isHeadless()) {
    if (_offscreenClipboard.empty()) return false;
    bytes = _offscreenClipboard;
    return true;
  }
  return readClipboardText(_window.handle(), bytes);
}

bool Win32Desktop::openURL(const std::string& url) {
  if (_window.isHeadless()) return false;  // a headless run must never start a browser
  const std::wstring address = cocos2d::win32::utf16FromUtf8(url);
  const auto result = reinterpret_cast<INT_PTR>(
      ShellExecuteW(_window.handle(), L"open", address.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
  return result > 32;
}

}  // namespace cocos2d::backend::win32
