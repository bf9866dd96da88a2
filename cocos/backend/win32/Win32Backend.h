// The Windows backend, linked into the program: the window and its buffer, which the drawing
// part draws into; the GDI fonts, which the drawing part rasterises; sound; desktop services.
#pragma once

#include "cocos/backend/Backend.h"
#include "cocos/backend/win32/Win32Desktop.h"
#include "cocos/backend/win32/Win32Drawing.h"
#include "cocos/backend/win32/Win32Sound.h"
#include "cocos/backend/win32/Win32Text.h"
#include "cocos/backend/win32/Win32Window.h"

namespace cocos2d::backend::win32 {

class Win32Backend final : public Backend {
 public:
  Win32Window& window() override { return _window; }
  Win32Drawing& drawing() override { return _drawing; }
  Win32Text& text() override { return _text; }
  Win32Sound& sound() override { return _sound; }
  Win32Desktop& desktop() override { return _desktop; }

 private:
  // Declared so that they go in reverse: sound first, then the images and glyphs, then the
  // fonts, and the window last.
  Win32Window _window;
  Win32Text _text;
  Win32Drawing _drawing{_window, _text.fonts()};
  Win32Sound _sound{_window};
  Win32Desktop _desktop{_window};
};

}  // namespace cocos2d::backend::win32
