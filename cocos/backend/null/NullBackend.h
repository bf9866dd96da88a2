// A backend that does nothing with the system: a window that is never shown, drawing that
// draws nothing, fonts with fixed metrics, no sound, a clipboard in memory. It runs the engine
// where no system is wanted, and other backends (the tests' recording one) build on its parts.
#pragma once

#include <cstdint>
#include <deque>
#include <string>

#include "cocos/backend/Backend.h"

namespace cocos2d::backend::null {

// Opens whatever is asked and delivers only the input queued for it. Its clock moves only
// while the loop waits, by the whole timeout, since nothing can arrive: a loop on it runs as
// fast as it can and still sees time pass.
class NullWindow : public Window {
 public:
  bool openWindow(WindowOptions& options) override;
  std::string lastError() const override { return {}; }
  bool isHeadless() const override { return _options.headless; }
  bool pollEvent(InputEvent& event) override;
  void waitForEvent(int timeoutMilliseconds) override;
  std::uint64_t monotonicNanoseconds() override { return _nanoseconds; }

  void queueEvent(const InputEvent& event) { _events.push_back(event); }
  void setClock(std::uint64_t nanoseconds) { _nanoseconds = nanoseconds; }
  // What the last openWindow asked for.
  const WindowOptions& options() const { return _options; }

 private:
  WindowOptions _options;
  std::deque<InputEvent> _events;
  std::uint64_t _nanoseconds = 0;
};

// Draws nothing; images are sized from their PNG header and never decoded.
class NullDrawing : public Drawing {
 public:
  void beginFrame(const Color4B&) override {}
  void setClip(const Rect*) override {}
  void drawRect(const AffineTransform&, float, float, const Color4B&) override {}
  void drawTexture(TextureId, const Rect&, const AffineTransform&, float, float, const Color4B&) override {}
  void drawGlyphs(FontId, float, const GlyphPlacement*, std::size_t, const AffineTransform&, const Color4B&) override {}
  void endFrame() override {}
  bool saveScreenshot(const std::string&) override { return false; }
  TextureId loadImage(const std::string& path, int& width, int& height) override;

 protected:
  // A fresh id for each image loaded.
  TextureId nextTexture() { return ++_lastTexture; }

 private:
  TextureId _lastTexture = 0;
};

// Every font has the same metrics, in units of the size: ascent 0.9, descent 0.2, lines 1.15
// apart, and every character advances by 0.5.
class NullText : public Text {
 public:
  FontId openFont(const std::string& family, const std::string& language) override;
  FontMetrics fontMetrics(FontId font, float size) override;
  float glyphAdvance(FontId font, float size, char32_t codepoint) override;

 private:
  FontId _lastFont = 0;
};

class NullSound : public Sound {
 public:
  void playEffect(const std::string&, bool, float, float, float) override {}
};

// The clipboard is a string of its own (empty: no text); links are not opened; the language
// is English.
class NullDesktop : public Desktop {
 public:
  void setClipboardText(const std::string& bytes) override { _clipboard = bytes; }
  bool getClipboardText(std::string& bytes) override;
  bool openURL(const std::string&) override { return false; }
  std::string preferredLanguage() override { return "en"; }

 private:
  std::string _clipboard;
};

class NullBackend final : public Backend {
 public:
  NullWindow& window() override { return _window; }
  NullDrawing& drawing() override { return _drawing; }
  NullText& text() override { return _text; }
  NullSound& sound() override { return _sound; }
  NullDesktop& desktop() override { return _desktop; }

 private:
  NullWindow _window;
  NullDrawing _drawing;
  NullText _text;
  NullSound _sound;
  NullDesktop _desktop;
};

}  // namespace cocos2d::backend::null
