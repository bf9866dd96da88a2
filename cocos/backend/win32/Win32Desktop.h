// The Windows backend's desktop services: the clipboard as Unicode text (a string of its own
// when headless, so that headless runs never touch the user's), links through the shell, and
// the language of the user interface.
#pragma once

#include <string>

#include "cocos/backend/Desktop.h"
#include "cocos/backend/win32/Win32Window.h"

namespace cocos2d::backend::win32 {

// The clipboard of the system: CF_UNICODETEXT, which Windows also offers as CF_TEXT to
// programs that ask for that. `owner` may be null only for reading.
bool writeClipboardText(HWND owner, const std::string& utf8);
bool readClipboardText(HWND owner, std::string& utf8);  // false: no text

// "ja", "en" ... for a LANGID; "en" when the system has no name for it.
std::string languageCode(LANGID language);

class Win32Desktop final : public Desktop {
 public:
  explicit Win32Desktop(const Win32Window& window) : _window(window) {}

  void setClipboardText(const std::string& bytes) override;
  bool getClipboardText(std::string& bytes) override;
  bool openURL(const std::string& url) override;
  std::string preferredLanguage() override { return languageCode(GetUserDefaultUILanguage()); }

 private:
  const Win32Window& _window;
  std::string _offscreenClipboard;
};

}  // namespace cocos2d::backend::win32
