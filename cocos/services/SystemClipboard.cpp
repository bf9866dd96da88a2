#include "cocos/services/SystemClipboard.h"

#include "cocos/director/Director.h"

namespace cocos2d {
namespace {

std::string& processClipboard() {
  static std::string text;
  return text;
}

}  // namespace

bool setClipboardText(const std::string& text) {
  if (backend::Backend* backend = Director::getInstance()->getBackend()) {
    backend->desktop().setClipboardText(text);
  } else {
    processClipboard() = text;
  }
  return true;
}

bool getClipboardText(std::string& text) {
  if (backend::Backend* backend = Director::getInstance()->getBackend()) {
    return backend->desktop().getClipboardText(text);
  }
  if (processClipboard().empty()) return false;
  text = processClipboard();
  return true;
}

}  // namespace cocos2d
