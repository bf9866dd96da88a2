// The null backend with a record of what the engine asks of it: drawing calls go into a list,
// fonts opened, effects played and links opened are kept, and a test can make the window fail
// to open, give images sizes without files, offer partial frames and pick the language. Input
// comes from the null window's queue and text has the null backend's fixed metrics (advance
// 0.5 x size per code point, line height 1.15 x size).
#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "cocos/backend/null/NullBackend.h"

namespace pemtrix_test {

using namespace cocos2d;

class RecordingWindow : public backend::null::NullWindow {
 public:
  bool failOpen = false;
  std::string openError = "no display";

  bool openWindow(backend::WindowOptions& options) override;
  std::string lastError() const override { return failOpen ? openError : ""; }
  std::size_t waitSourceCount() const { return waitSources().size(); }
};

class RecordingDrawing : public backend::null::NullDrawing {
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

  bool partialFrames = false;  // redraws of a region of the window are offered
  std::map<std::string, std::pair<int, int>> imageSizes;  // by path, for files that are no PNG

  std::vector<Call> calls;  // since the last clearCalls
  int frames = 0;
  std::vector<std::string> screenshots;

  void clearCalls() { calls.clear(); }
  std::vector<const Call*> callsOf(Call::Kind kind) const;
  // Glyph placements over all glyph calls.
  std::size_t glyphCount() const;
  // The code points drawn, in call order, as UTF-32.
  std::u32string drawnText() const;

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
};

class RecordingText : public backend::null::NullText {
 public:
  std::vector<std::pair<std::string, std::string>> fontsOpened;  // family, language

  backend::FontId openFont(const std::string& family, const std::string& language) override {
    fontsOpened.emplace_back(family, language);
    return NullText::openFont(family, language);
  }
};

class RecordingSound : public backend::null::NullSound {
 public:
  std::vector<std::string> effects;

  void playEffect(const std::string& path, bool, float, float, float) override { effects.push_back(path); }
};

class RecordingDesktop : public backend::null::NullDesktop {
 public:
  std::string language = "en";
  std::vector<std::string> urls;

  bool openURL(const std::string& url) override {
    urls.push_back(url);
    return true;
  }
  std::string preferredLanguage() override { return language; }
};

class FakeBackend : public backend::Backend {
 public:
  using Call = RecordingDrawing::Call;

  RecordingWindow& window() override { return _window; }
  RecordingDrawing& drawing() override { return _drawing; }
  RecordingText& text() override { return _text; }
  RecordingSound& sound() override { return _sound; }
  RecordingDesktop& desktop() override { return _desktop; }

 private:
  RecordingWindow _window;
  RecordingDrawing _drawing;
  RecordingText _text;
  RecordingSound _sound;
  RecordingDesktop _desktop;
};

}  // namespace pemtrix_test
