// Hands an address to the desktop's opener (xdg-open) so that the user's browser shows it.
#pragma once

#include <string>

namespace cocos2d::backend::sdl {

// Starts the opener detached from this process: it inherits no descriptor of ours beyond
// standard input, output and error, and this process never waits for the browser. False
// when it could not be started.
bool openWithDesktopOpener(const std::string& url, const char* opener = "xdg-open");

}  // namespace cocos2d::backend::sdl
