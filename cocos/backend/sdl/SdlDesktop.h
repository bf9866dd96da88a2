// The SDL backend's desktop services: the clipboard (a string of its own when headless, so
// that headless runs never touch the desktop's), links through the desktop's opener, the
// user's language, and the accessibility bus address the X display publishes.
#pragma once

#include <string>

#include "cocos/backend/Desktop.h"
#include "cocos/backend/sdl/SdlWindow.h"

namespace cocos2d::backend::sdl {

class SdlDesktop final : public Desktop {
 public:
  explicit SdlDesktop(const SdlWindow& window) : _window(window) {}

  void setClipboardText(const std::string& bytes) override;
  bool getClipboardText(std::string& bytes) override;
  bool openURL(const std::string& url) override;
  std::string preferredLanguage() override;
  std::string accessibilityBusAddress() override;

 private:
  // The desktop's clipboard needs a window on a display.
  bool onDesktop() const { return !_window.isHeadless() && _window.sdlWindow() != nullptr; }

  const SdlWindow& _window;
  std::string _offscreenClipboard;
};

}  // namespace cocos2d::backend::sdl
