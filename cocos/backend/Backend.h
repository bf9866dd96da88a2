// The engine core's only door to the system: window, input, drawing, images, text, sound,
// clipboard, links, language and clock. The SDL implementation lives in a module that is
// loaded at run time, so that modes without a window never load SDL.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "cocos/base/ccTypes.h"
#include "cocos/math/AffineTransform.h"

namespace cocos2d::backend {

using TextureId = std::uint32_t;  // 0: none
using FontId = std::uint32_t;     // 0: none

struct WindowOptions {
  std::string title;
  // Asked for; a windowed backend may scale them for the desktop (HiDPI) or to fit the
  // display, keeping their proportions, and writes back the size it chose.
  int width = 480;
  int height = 768;
  bool resizable = false;
  bool headless = false;  // offscreen video driver, software renderer, no audio device
};

// Input in window pixels, origin at the top-left corner of the window.
struct InputEvent {
  enum class Type {
    Quit,
    MouseDown,
    MouseMove,  // only reported while the left button is held
    MouseUp,
    KeyDown,
    KeyUp,
    Exposed,  // the window must be redrawn
    Hidden,   // minimised or fully covered: drawing and scheduling may stop
    Shown,
    FocusGained,
    Text,     // text typed without a key press of its own (an input method's result)
    Resized,  // the window's size changed; width and height give the new one
  };
  Type type = Type::Quit;
  float x = 0, y = 0;
  int keyCode = 0;  // an EventKeyboard::KeyCode value; 0 for keys that have none
  bool repeat = false;
  std::string text;          // KeyDown: what the layout made of the key (UTF-8); Text: the text
  unsigned modifiers = 0;    // EventKeyboard::Modifier bits held at the time
  char32_t layoutKey = 0;    // the layout's character for the key without modifiers, or 0
  int width = 0, height = 0;  // Resized
};

struct FontMetrics {
  float ascent = 0;      // above the baseline, in units of the size asked for
  float descent = 0;     // below the baseline, positive
  float lineHeight = 0;  // baseline-to-baseline distance
};

// One glyph of a text run, placed in the run's local coordinates (y up, baseline at y).
struct GlyphPlacement {
  char32_t codepoint;
  float x;
  float baseline;
};

// A descriptor the loop watches while it waits, as poll() takes it.
struct WaitDescriptor {
  int fd = -1;
  short events = 0;
  short revents = 0;
};

// Another source of events, besides the window, that the loop serves on its own thread while
// it waits for input (the accessibility bus): asked before every wait, told after it.
class WaitSource {
 public:
  virtual ~WaitSource() = default;
  // Appends the descriptors to watch and returns the longest wait it allows in milliseconds:
  // 0 when it has work now, -1 when it sets no limit.
  virtual int prepareWait(std::vector<WaitDescriptor>& descriptors) = 0;
  // After the wait: the descriptors it appended, with what happened on them.
  virtual void finishWait(const WaitDescriptor* descriptors, std::size_t count) = 0;
};

class Backend {
 public:
  virtual ~Backend() = default;

  // --- window
  virtual bool openWindow(WindowOptions& options) = 0;  // false: see lastError()
  virtual std::string lastError() const = 0;
  virtual bool isHeadless() const = 0;

  // --- input: pollEvent never blocks; waitForEvent blocks until an event, a wait source's
  // descriptor or the timeout (negative: no timeout), and serves the wait sources.
  virtual bool pollEvent(InputEvent& event) = 0;
  virtual void waitForEvent(int timeoutMilliseconds) = 0;
  // Wait sources are not owned; a source stays registered until removed.
  virtual void addWaitSource(WaitSource* source) { waitSources_.push_back(source); }
  virtual void removeWaitSource(WaitSource* source);

  // --- drawing; every transform maps local coordinates to window pixels (top-left origin).
  virtual void beginFrame(const Color4B& clear) = 0;
  // Clip to a window-pixel rectangle (x, y from the top-left), or none when null.
  virtual void setClip(const Rect* pixelRect) = 0;
  // A solid rectangle (0, 0)-(width, height) in local coordinates.
  virtual void drawRect(const AffineTransform& toPixels, float width, float height, const Color4B& color) = 0;
  // The texture's sub-rectangle `source` (texels, top-left origin) drawn onto the local
  // rectangle (0, 0)-(width, height); the texel row 0 lands at local y = height.
  virtual void drawTexture(TextureId texture, const Rect& source, const AffineTransform& toPixels, float width,
                           float height, const Color4B& modulate) = 0;
  // Glyphs of one font at one size (in local units); the backend rasterises them at the
  // size they take on screen and skips glyphs outside the window and the clip.
  virtual void drawGlyphs(FontId font, float size, const GlyphPlacement* glyphs, std::size_t count,
                          const AffineTransform& toPixels, const Color4B& color) = 0;
  virtual void endFrame() = 0;  // presents the frame
  // A frame that redraws only a region of the last one (window pixels, whole numbers): the
  // region is cleared, drawn with everything clipped to it, and only it is presented.
  virtual bool supportsPartialFrames() const { return false; }
  virtual void beginPartialFrame(const Color4B& clear, const Rect& region) {
    (void)region;
    beginFrame(clear);
  }
  virtual void endPartialFrame(const Rect& region) {
    (void)region;
    endFrame();
  }
  // The last frame drawn, as a PNG of the window's size.
  virtual bool saveScreenshot(const std::string& pngPath) = 0;

  // --- images
  virtual TextureId loadImage(const std::string& path, int& width, int& height) = 0;  // 0 on failure

  // --- text
  // family such as "Arial" or "Meiryo", resolved through the system's font matching; the
  // language ("ja", "en") steers the choice and the fallback for missing glyphs.
  virtual FontId openFont(const std::string& family, const std::string& language) = 0;
  virtual FontMetrics fontMetrics(FontId font, float size) = 0;
  virtual float glyphAdvance(FontId font, float size, char32_t codepoint) = 0;

  // --- sound: fire and forget; the headless backend only counts.
  virtual void playEffect(const std::string& path, bool loop, float pitch, float pan, float gain) = 0;

  // --- system
  virtual void setClipboardText(const std::string& bytes) = 0;
  virtual bool getClipboardText(std::string& bytes) = 0;  // false: no text
  virtual bool openURL(const std::string& url) = 0;
  virtual std::string preferredLanguage() = 0;  // two-letter code such as "ja" or "en"
  virtual std::uint64_t monotonicNanoseconds() = 0;

  // --- desktop services for assistive technologies
  // Where the window's top-left corner is on the screen; false when unknown.
  virtual bool windowScreenPosition(int& x, int& y) {
    x = y = 0;
    return false;
  }
  // The accessibility bus address that the display publishes (the X root window's AT_SPI_BUS
  // property); empty when it publishes none.
  virtual std::string accessibilityBusAddress() { return {}; }

 protected:
  const std::vector<WaitSource*>& waitSources() const { return waitSources_; }

 private:
  std::vector<WaitSource*> waitSources_;
};

inline void Backend::removeWaitSource(WaitSource* source) {
  for (auto it = waitSources_.begin(); it != waitSources_.end(); ++it) {
    if (*it == source) {
      waitSources_.erase(it);
      return;
    }
  }
}

// Loads the backend module and creates its backend; null with a reason when it cannot.
std::unique_ptr<Backend> loadBackend(std::string& error);

}  // namespace cocos2d::backend

// The entry point that the backend module exports.
extern "C" cocos2d::backend::Backend* pemtrixCreateBackend();
