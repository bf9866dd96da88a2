#include "cocos/backend/software/WindowFit.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace cocos2d::backend::software {
namespace {

bool readNumber(const char* text, double& value) {
  if (!text || !*text) return false;
  char* end = nullptr;
  value = std::strtod(text, &end);
  return end && *end == '\0' && std::isfinite(value) && value > 0;
}

}  // namespace

double desktopScale(const char* gdkScale, const char* qtScale, double xftDpi) {
  double scale = 0;
  if (readNumber(gdkScale, scale)) {
    scale = std::floor(scale);
  } else if (!readNumber(qtScale, scale)) {
    scale = std::isfinite(xftDpi) && xftDpi > 0 ? xftDpi / 96.0 : 1.0;
  }
  // Eighths, as desktops offer them: 120 dpi gives 1.25.
  scale = std::round(scale * 8) / 8;
  return std::clamp(scale, 1.0, 4.0);
}

WindowSize fitWindow(int width, int height, double scale, int usableWidth, int usableHeight, WindowSize frame) {
  double w = width * scale, h = height * scale;
  const double roomW = static_cast<double>(usableWidth) - frame.width;
  const double roomH = static_cast<double>(usableHeight) - frame.height;
  if (roomW > 0 && roomH > 0 && (w > roomW || h > roomH)) {
    const double shrink = std::min(roomW / w, roomH / h);
    w *= shrink;
    h *= shrink;
  }
  // Whole pixels with the proportions kept as closely as they can be.
  const double smallest = 0.25;
  if (w < width * smallest) {
    w = width * smallest;
    h = height * smallest;
  }
  const int outH = static_cast<int>(std::floor(h));
  const int outW = static_cast<int>(std::lround(outH * static_cast<double>(width) / height));
  return WindowSize{std::max(1, outW), std::max(1, outH)};
}

WindowSize minimumWindowSize(int width, int height) { return WindowSize{std::max(1, width / 4), std::max(1, height / 4)}; }

WindowSize chooseWindowSize(int width, int height, double scale, int usableWidth, int usableHeight, int keptWidth,
                            int keptHeight, WindowSize frame) {
  const WindowSize least = minimumWindowSize(width, height);
  const bool fits = keptWidth >= least.width && keptHeight >= least.height &&
                    keptWidth <= static_cast<long long>(usableWidth) - frame.width &&
                    keptHeight <= static_cast<long long>(usableHeight) - frame.height;
  if (fits) return WindowSize{keptWidth, keptHeight};
  return fitWindow(width, height, scale, usableWidth, usableHeight, frame);
}

}  // namespace cocos2d::backend::software
