// The desktop part of a backend: the system's services beside the window, namely the
// clipboard, opening links, the user's language, and where assistive technologies listen.
#pragma once

#include <string>

namespace cocos2d::backend {

class Desktop {
 public:
  virtual ~Desktop() = default;

  virtual void setClipboardText(const std::string& bytes) = 0;
  virtual bool getClipboardText(std::string& bytes) = 0;  // false: no text
  virtual bool openURL(const std::string& url) = 0;
  virtual std::string preferredLanguage() = 0;  // two-letter code such as "ja" or "en"
  // The accessibility bus address that the display publishes (on X11 the root window's
  // AT_SPI_BUS property); empty when it publishes none.
  virtual std::string accessibilityBusAddress() { return {}; }
};

}  // namespace cocos2d::backend
