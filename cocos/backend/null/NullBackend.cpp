#include "cocos/backend/null/NullBackend.h"

#include <vector>

#include "cocos/backend/PngHeader.h"

namespace cocos2d::backend::null {

bool NullWindow::openWindow(WindowOptions& options) {
  _options = options;
  if (options.displayOpened) options.displayOpened();
  return true;
}

bool NullWindow::pollEvent(InputEvent& event) {
  if (_events.empty()) return false;
  event = std::move(_events.front());
  _events.pop_front();
  return true;
}

void NullWindow::waitForEvent(int timeoutMilliseconds) {
  // The sources are asked and told as on any backend; none of their descriptors is watched,
  // so nothing happened on them.
  std::vector<WaitDescriptor> descriptors;
  for (WaitSource* source : waitSources()) {
    descriptors.clear();
    const int limit = source->prepareWait(descriptors);
    if (limit >= 0 && (timeoutMilliseconds < 0 || limit < timeoutMilliseconds)) timeoutMilliseconds = limit;
    source->finishWait(descriptors.data(), descriptors.size());
  }
  if (timeoutMilliseconds > 0) _nanoseconds += static_cast<std::uint64_t>(timeoutMilliseconds) * 1000000;
}

TextureId NullDrawing::loadImage(const std::string& path, int& width, int& height) {
  return readPngSize(path, width, height) ? nextTexture() : 0;
}

FontId NullText::openFont(const std::string&, const std::string&) { return ++_lastFont; }

FontMetrics NullText::fontMetrics(FontId, float size) {
  FontMetrics metrics;
  metrics.ascent = 0.9f * size;
  metrics.descent = 0.2f * size;
  metrics.lineHeight = 1.15f * size;
  return metrics;
}

float NullText::glyphAdvance(FontId, float size, char32_t) { return 0.5f * size; }

bool NullDesktop::getClipboardText(std::string& bytes) {
  if (_clipboard.empty()) return false;
  bytes = _clipboard;
  return true;
}

}  // namespace cocos2d::backend::null
