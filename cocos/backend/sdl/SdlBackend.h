// The backend on SDL2, as the module hands it over: the window and its renderer, which the
// drawing part draws on; the fonts, which the drawing part rasterises; sound; desktop services.
#pragma once

#include "cocos/backend/Backend.h"
#include "cocos/backend/sdl/SdlDesktop.h"
#include "cocos/backend/sdl/SdlDrawing.h"
#include "cocos/backend/sdl/SdlSound.h"
#include "cocos/backend/sdl/SdlText.h"
#include "cocos/backend/sdl/SdlWindow.h"

namespace cocos2d::backend::sdl {

class SdlBackend final : public Backend {
 public:
  SdlWindow& window() override { return _window; }
  SdlDrawing& drawing() override { return _drawing; }
  SdlText& text() override { return _text; }
  SdlSound& sound() override { return _sound; }
  SdlDesktop& desktop() override { return _desktop; }

 private:
  // Declared so that they go in reverse: sound first, then the textures and glyphs, while the
  // renderer they belong to is still there, then the fonts, and the window and SDL last.
  SdlWindow _window;
  SdlText _text;
  SdlDrawing _drawing{_window, _text.fonts()};
  SdlSound _sound{_window};
  SdlDesktop _desktop{_window};
};

}  // namespace cocos2d::backend::sdl
