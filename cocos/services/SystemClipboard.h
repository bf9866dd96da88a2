// The system clipboard for the screens: through the backend when a window exists, otherwise
// a string kept in this process, so that copy and paste work without a window too.
#pragma once

#include <string>

namespace cocos2d {

// Always succeeds; the bytes are kept unchanged.
bool setClipboardText(const std::string& text);
// False when the clipboard holds no text.
bool getClipboardText(std::string& text);

}  // namespace cocos2d
