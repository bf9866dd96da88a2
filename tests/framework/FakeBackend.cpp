#include "tests/framework/FakeBackend.h"

#include <fstream>

namespace pemtrix_test {
namespace {

// Width and height from a PNG's IHDR chunk, which always comes first.
bool pngSize(const std::string& path, int& width, int& height) {
  std::ifstream in(path, std::ios::binary);
  unsigned char header[24];
  if (!in.read(reinterpret_cast<char*>(header), sizeof header)) return false;
  static const unsigned char kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  for (int i = 0; i < 8; ++i) {
    if (header[i] != kSignature[i]) return false;
  }
  auto be32 = [&header](int at) {
    return static_cast<int>((header[at] << 24) | (header[at + 1] << 16) | (header[at + 2] << 8) | header[at + 3]);
  };
  width = be32(16);
  height = be32(20);
  return width > 0 && height > 0;
}

}  // namespace

std::vector<const FakeBackend::Call*> FakeBackend::callsOf(Call::Kind kind) const {
  std::vector<const Call*> found;
  for (const Call& c : calls) {
    if (c.kind == kind) found.push_back(&c);
  }
  return found;
}

std::size_t FakeBackend::glyphCount() const {
  std::size_t n = 0;
  for (const Call& c : calls) n += c.glyphs.size();
  return n;
}

std::u32string FakeBackend::drawnText() const {
  std::u32string text;
  for (const Call& c : calls) {
    for (const auto& g : c.glyphs) text.push_back(g.codepoint);
  }
  return text;
}

bool FakeBackend::openWindow(backend::WindowOptions& s) {
  window = s;
  windowOpen = !failOpen;
  return windowOpen;
}

bool FakeBackend::pollEvent(backend::InputEvent& event) {
  if (events.empty()) return false;
  event = events.front();
  events.pop_front();
  return true;
}

void FakeBackend::waitForEvent(int timeoutMilliseconds) {
  ++waits;
  if (timeoutMilliseconds > 0) nanoseconds += static_cast<std::uint64_t>(timeoutMilliseconds) * 1000000;
}

void FakeBackend::beginFrame(const Color4B& clear) {
  Call c(Call::Kind::BeginFrame);
  c.color = clear;
  calls.push_back(c);
}

void FakeBackend::beginPartialFrame(const Color4B& clear, const Rect& region) {
  Call c(Call::Kind::BeginFrame);
  c.color = clear;
  c.partial = true;
  c.rect = region;
  calls.push_back(c);
}

void FakeBackend::endPartialFrame(const Rect& region) {
  Call c(Call::Kind::EndFrame);
  c.partial = true;
  c.rect = region;
  calls.push_back(c);
  ++frames;
}

void FakeBackend::setClip(const Rect* pixelRect) {
  Call c(pixelRect ? Call::Kind::SetClip : Call::Kind::ClearClip);
  if (pixelRect) c.rect = *pixelRect;
  calls.push_back(c);
}

void FakeBackend::drawRect(const AffineTransform& t, float w, float h, const Color4B& color) {
  Call c(Call::Kind::Rect);
  c.transform = t;
  c.width = w;
  c.height = h;
  c.color = color;
  calls.push_back(c);
}

void FakeBackend::drawTexture(backend::TextureId texture, const Rect& source, const AffineTransform& t, float w,
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

void FakeBackend::drawGlyphs(backend::FontId font, float size, const backend::GlyphPlacement* glyphs,
                             std::size_t count, const AffineTransform& t, const Color4B& color) {
  Call c(Call::Kind::Glyphs);
  c.font = font;
  c.size = size;
  c.glyphs.assign(glyphs, glyphs + count);
  c.transform = t;
  c.color = color;
  calls.push_back(std::move(c));
}

void FakeBackend::endFrame() {
  calls.push_back(Call(Call::Kind::EndFrame));
  ++frames;
}

bool FakeBackend::saveScreenshot(const std::string& path) {
  screenshots.push_back(path);
  return true;
}

backend::TextureId FakeBackend::loadImage(const std::string& path, int& width, int& height) {
  auto known = imageSizes.find(path);
  if (known != imageSizes.end()) {
    width = known->second.first;
    height = known->second.second;
  } else if (!pngSize(path, width, height)) {
    return 0;
  }
  _texturePaths.push_back(path);
  return static_cast<backend::TextureId>(_texturePaths.size());
}

backend::FontId FakeBackend::openFont(const std::string& family, const std::string& lang) {
  fontsOpened.emplace_back(family, lang);
  return static_cast<backend::FontId>(fontsOpened.size());
}

backend::FontMetrics FakeBackend::fontMetrics(backend::FontId, float size) {
  backend::FontMetrics m;
  m.ascent = 0.9f * size;
  m.descent = 0.2f * size;
  m.lineHeight = 1.15f * size;
  return m;
}

float FakeBackend::glyphAdvance(backend::FontId, float size, char32_t) { return 0.5f * size; }

void FakeBackend::setClipboardText(const std::string& bytes) {
  clipboard = bytes;
  hasClipboard = !bytes.empty();
}

bool FakeBackend::getClipboardText(std::string& bytes) {
  if (!hasClipboard) return false;
  bytes = clipboard;
  return true;
}

bool FakeBackend::openURL(const std::string& url) {
  urls.push_back(url);
  return true;
}

}  // namespace pemtrix_test
