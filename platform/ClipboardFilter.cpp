#include "platform/Clipboard.h"

std::string filterPastedText(const std::string& raw) {
  std::string out;
  out.reserve(raw.size());
  for (char c : raw) {
    if (c != '\r' && c != '\n' && c != '=') out.push_back(c);
  }
  return out;
}
