// The clipboard functions of the calculator, on the framework's system clipboard: the desktop's
// clipboard when a window exists, a text kept in this process otherwise.
#include "platform/Clipboard.h"

#include "cocos/services/SystemClipboard.h"

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

std::string filterPastedText(const std::string& raw) {
  std::string out;
  out.reserve(raw.size());
  for (char c : raw) {
    if (c != '\r' && c != '\n' && c != '=') out.push_back(c);
  }
  return out;
}
