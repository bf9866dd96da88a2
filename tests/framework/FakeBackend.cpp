#include "tests/framework/FakeBackend.h"

namespace pemtrix_test {

bool RecordingWindow::openWindow(backend::WindowOptions& options) {
  if (failOpen) {
    backend::WindowOptions withoutDisplay = options;
    withoutDisplay.displayOpened = nullptr;
    NullWindow::openWindow(withoutDisplay);
    return false;
  }
  return NullWindow::openWindow(options);
}

std::vector<const RecordingDrawing::Call*> RecordingDrawing::callsOf(Call::Kind kind) const {
  std::vector<const Call*> found;
  for (const Call& c : calls) {
    if (c.kind == kind) found.push_back(&c);
  }
  return found;
}

std::size_t RecordingDrawing::glyphCount() const {
  std::size_t n = 0;
  for (const Call& c : calls) n += c.glyphs.size();
  return n;
}

std::u32string RecordingDrawing::drawnText() const {
  std::u32string text;
  for (const Call& c : calls) {
    for (const auto& g : c.glyphs) text.push_back(g.codepoint);
  }
  return text;
}

void RecordingDrawing::beginFrame(const Color4B& clear) {
  Call c(Call::Kind::BeginFrame);
  c.color = clear;
  calls.push_back(c);
}

void RecordingDrawing::beginPartialFrame(const Color4B& clear, const Rect& region) {
  Call c(Call::Kind::BeginFrame);
  c.color = clear;
  c.partial = true;
  c.rect = region;
  calls.push_back(c);
}

void RecordingDrawing::endPartialFrame(const Rect& region) {
  Call c(Call::Kind::EndFrame);
  c.partial = true;
  c.rect = region;
  calls.push_back(c);
  ++frames;
}

void RecordingDrawing::setClip(const Rect* pixelRect) {
  Call c(pixelRect ? Call::Kind::SetClip : Call::Kind::ClearClip);
  if (pixelRect) c.rect = *pixelRect;
  calls.push_back(c);
}

void RecordingDrawing::drawRect(const AffineTransform& t, float w, float h, const Color4B& color) {
  Call c(Call::Kind::Rect);
  c.transform = t;
  c.width = w;
  c.height = h;
  c.color = color;
  calls.push_back(c);
}

void RecordingDrawing::drawTexture(backend::TextureId texture, const Rect& source, const AffineTransform& t, float w,
                                   float h, const Color4B& modulate) {
  Call c(Call::Kind::Texture);
  c.texture = texture;
  c.rect = source;
  c.transform = t;
  c.width = w;
  c.height = h;
  c.color = modulate;
  calls.push_back(c);
}

void RecordingDrawing::drawGlyphs(backend::FontId font, float size, const backend::GlyphPlacement* glyphs,
                                  std::size_t count, const AffineTransform& t, const Color4B& color) {
  Call c(Call::Kind::Glyphs);
  c.font = font;
  c.size = size;
  c.glyphs.assign(glyphs, glyphs + count);
  c.transform = t;
  c.color = color;
  calls.push_back(std::move(c));
}

void RecordingDrawing::endFrame() {
  calls.push_back(Call(Call::Kind::EndFrame));
  ++frames;
}

bool RecordingDrawing::saveScreenshot(const std::string& path) {
  screenshots.push_back(path);
  return true;
}

backend::TextureId RecordingDrawing::loadImage(const std::string& path, int& width, int& height) {
  const auto known = imageSizes.find(path);
  if (known == imageSizes.end()) return NullDrawing::loadImage(path, width, height);
  width = known->second.first;
  height = known->second.second;
  return nextTexture();
}

}  // namespace pemtrix_test
