// A backend that records what the engine asks of it instead of touching any system: drawing
// calls go into a list, input comes from a queue the test fills, text has fixed metrics
// (advance 0.5 x size per code point, line height 1.15 x size) and images have the sizes the
// test registers (or those in a PNG file's header).
#pragma once

#include <deque>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "cocos/backend/Backend.h"

namespace pemtrix_test {

using namespace cocos2d;

class FakeBackend : public backend::Backend {
 public:
  struct Call {
    enum class Kind { BeginFrame, SetClip, ClearClip, Rect, Texture, Glyphs, EndFrame };
    bool partial = false;  // a BeginFrame or EndFrame of a region, given in rect
    explicit Call(Kind k) : kind(k) {}
    Kind kind;
    AffineTransform transform;
    float width = 0, height = 0;
    Color4B color;
    backend::TextureId texture = 0;
    Rect rect;  // the clip, or the texture's source rectangle
    backend::FontId font = 0;
    float size = 0;
    std::vector<backend::GlyphPlacement> glyphs;
  };

  // --- configuration by the test
  bool failOpen = false;
  std::string openError = "no display";
  std::string language = "en";
  std::uint64_t nanoseconds = 0;
  std::deque<backend::InputEvent> events;
  bool partialFrames = false;  // redraws of a region of the window are offered
  std::map<std::string, std::pair<int, int>> imageSizes;  // by path

  // --- what happened
  backend::WindowOptions window;
  bool windowOpen = false;
  std::vector<Call> calls;  // since the last clearCalls
  int frames = 0;
  std::vector<std::string> screenshots;
  int waits = 0;
  std::vector<std::string> effects;
  std::vector<std::string> urls;
  std::vector<std::pair<std::string, std::string>> fontsOpened;  // family, language
  std::string clipboard;
  bool hasClipboard = false;

  void clearCalls() { calls.clear(); }
  std::vector<const Call*> callsOf(Call::Kind kind) const;
  // Glyph placements over all glyph calls.
  std::size_t glyphCount() const;
  // The code points drawn, in call order, as UTF-32.
  std::u32string drawnText() const;

  bool openWindow(backend::WindowOptions& s) override;
  std::string lastError() const override { return failOpen ? openError : ""; }
  bool isHeadless() const override { return window.headless; }
  bool pollEvent(backend::InputEvent& event) override;
  // Time passes while waiting: the clock moves on by the whole timeout.
  void waitForEvent(int timeoutMilliseconds) override;
  void beginFrame(const Color4B& clear) override;
  void setClip(const Rect* pixelRect) override;
  void drawRect(const AffineTransform& t, float w, float h, const Color4B& c) override;
  void drawTexture(backend::TextureId texture, const Rect& source, const AffineTransform& t, float w, float h,
                   const Color4B& modulate) override;
  void drawGlyphs(backend::FontId font, float size, const backend::GlyphPlacement* glyphs, std::size_t count,
                  const AffineTransform& t, const Color4B& color) override;
  void endFrame() override;
  bool supportsPartialFrames() const override { return partialFrames; }
  void beginPartialFrame(const Color4B& clear, const Rect& region) override;
  void endPartialFrame(const Rect& region) override;
  bool saveScreenshot(const std::string& path) override;
  backend::TextureId loadImage(const std::string& path, int& width, int& height) override;
  backend::FontId openFont(const std::string& family, const std::string& lang) override;
  backend::FontMetrics fontMetrics(backend::FontId font, float size) override;
  float glyphAdvance(backend::FontId font, float size, char32_t codepoint) override;
  void playEffect(const std::string& path, bool, float, float, float) override { effects.push_back(path); }
  void setClipboardText(const std::string& bytes) override;
  bool getClipboardText(std::string& bytes) override;
  bool openURL(const std::string& url) override;
  std::string preferredLanguage() override { return language; }
  std::uint64_t monotonicNanoseconds() override { return nanoseconds; }

 private:
  std::vector<std::string> _texturePaths;
};

}  // namespace pemtrix_test
