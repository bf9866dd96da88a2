// The clipboard through the platform layer's window system (UTF-8 text on Linux desktops).
#include "platform/Clipboard.h"

#include "cocos/platform/Clipboard.h"

void writeClipboard(const std::string& text) {
  if (text.empty()) return;
  cocos2d::setClipboardText(text);
}

std::string readClipboard() {
  std::string raw;
  if (!cocos2d::getClipboardText(raw)) return std::string();
  // A NUL ends the text, as it does on systems whose clipboard holds C strings.
  const std::size_t end = raw.find('\0');
  if (end != std::string::npos) raw.resize(end);
  return filterPastedText(raw);
}
