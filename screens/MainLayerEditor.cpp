// Editing the expression line: insertion, cursor moves, erasing, clearing, keypad pages, and
// the sideways-scrolling window that keeps the cursor on screen.
#include "screens/MainLayer.h"

using namespace cocos2d;

namespace {
constexpr double kLeftMargin = 23.4375;
constexpr float kRightLimit = 776.5625f;
constexpr double kUsableWidth = 776.5625 - 23.4375;
constexpr float kExpressionY = 864.152405f;

// x of a cursor standing after text of the given width: computed in double, kept as float.
float cursorXFor(float width) { return static_cast<float>(static_cast<double>(width) + kLeftMargin); }
}  // namespace

std::string MainLayer::visibleTail() const {
  if (static_cast<std::size_t>(viewStart) >= expression.size()) return std::string();
  return expression.substr(static_cast<std::size_t>(viewStart));
}

float MainLayer::measureWidth(const std::string& text) {
  measureLabel->setString(text);
  return measureLabel->getContentSize().width;
}

float MainLayer::characterAdvance(unsigned char c) {
  if (asciiAdvances[c] == 0) asciiAdvances[c] = measureWidth(std::string(1, static_cast<char>(c)));
  return asciiAdvances[c];
}

// The smallest window start, not before `from`, at which the text between it and the cursor
// fits the line. Scrolling one character at a time and measuring the whole text before the
// cursor each time would cost time quadratic in the line's length; instead the width is
// summed backwards from the cursor, then confirmed with the real measurement, whose result
// (the width of the text between the start and the cursor) is handed back.
std::int32_t MainLayer::firstFittingStart(std::int32_t from, float& widthBeforeCursor) {
  std::int32_t start = cursorPos;
  double width = 0;
  bool ascii = true;
  while (start > from) {
    const auto c = static_cast<unsigned char>(expression[static_cast<std::size_t>(start - 1)]);
    if (c >= 128) {
      ascii = false;
      break;
    }
    width += characterAdvance(c);
    if (width >= kUsableWidth) break;
    --start;
  }
  if (!ascii) {
    // Multi-byte characters measure differently from their bytes: search with the label.
    std::int32_t lo = from, hi = cursorPos;
    while (lo < hi) {
      const std::int32_t mid = lo + (hi - lo) / 2;
      const std::string part = expression.substr(static_cast<std::size_t>(mid), static_cast<std::size_t>(cursorPos - mid));
      if (cursorXFor(measureWidth(part)) >= kRightLimit) lo = mid + 1;
      else hi = mid;
    }
    start = lo;
  }
  widthBeforeCursor = 0;
  auto fits = [&](std::int32_t s) {
    const std::string part = expression.substr(static_cast<std::size_t>(s), static_cast<std::size_t>(cursorPos - s));
    const float width = measureWidth(part);
    if (cursorXFor(width) >= kRightLimit) return false;
    widthBeforeCursor = width;
    return true;
  };
  while (start < cursorPos && !fits(start)) ++start;
  if (start == cursorPos) widthBeforeCursor = 0;
  while (start > from && fits(start - 1)) --start;
  return start;
}

void MainLayer::refreshCursor() {
  if (cursorPos < viewStart) {
    viewStart = cursorPos;
    exprLabel->setString(visibleTail());
  }
  float widthBeforeCursor = 0;
  const std::int32_t start = firstFittingStart(viewStart, widthBeforeCursor);
  if (start != viewStart) {
    viewStart = start;
    exprLabel->setString(visibleTail());
  }
  cursorBar->setPosition(Vec2(cursorXFor(widthBeforeCursor), kExpressionY));
}

void MainLayer::insertText(const std::string& s) {
  expression.insert(static_cast<std::size_t>(cursorPos), s);
  exprLabel->setString(visibleTail());
  cursorPos += static_cast<std::int32_t>(s.size());
  refreshCursor();
}

void MainLayer::insertDigit(int n) {
  playKeySound();
  insertText(std::to_string(n));
}

void MainLayer::insertKeyText(const std::string& text, bool returnToPage1) {
  playKeySound();
  insertText(text);
  if (returnToPage1) {
    shifted = false;
    setShiftPage(false);
  }
}

void MainLayer::insertTemplate(const std::string& text, int stepsBack, bool returnToPage1) {
  playKeySound();
  insertText(text);
  for (int i = 0; i < stepsBack; ++i) cursorLeft();
  if (returnToPage1) {
    shifted = false;
    setShiftPage(false);
  }
}

void MainLayer::cursorLeft() {
  playKeySound();
  if (cursorPos > 0) {
    --cursorPos;
    refreshCursor();
  }
}

void MainLayer::cursorRight() {
  playKeySound();
  if (cursorPos < static_cast<std::int32_t>(expression.size())) {
    ++cursorPos;
    refreshCursor();
  }
}

void MainLayer::cursorHome() {
  playKeySound();
  viewStart = 0;
  cursorPos = 0;
  exprLabel->setString(expression);
  refreshCursor();
}

void MainLayer::cursorEnd() {
  playKeySound();
  cursorPos = static_cast<std::int32_t>(expression.size());
  refreshCursor();
}

void MainLayer::eraseBeforeCursor() {
  playKeySound();
  if (cursorPos == 0) return;
  const std::string erased(1, expression[static_cast<std::size_t>(cursorPos - 1)]);
  expression.erase(static_cast<std::size_t>(cursorPos - 1), 1);
  const auto length = static_cast<std::int32_t>(expression.size());
  while (viewStart > 0 && viewStart >= length) --viewStart;
  exprLabel->setString(visibleTail());
  --cursorPos;
  refreshCursor();
  spawnFallingGlyph(erased, cursorBar->getPosition());
}

void MainLayer::eraseAtCursor() {
  playKeySound();
  if (cursorPos == static_cast<std::int32_t>(expression.size())) return;
  const std::string erased(1, expression[static_cast<std::size_t>(cursorPos)]);
  expression.erase(static_cast<std::size_t>(cursorPos), 1);
  exprLabel->setString(visibleTail());
  spawnFallingGlyph(erased, cursorBar->getPosition());
}

void MainLayer::clearAll() {
  playKeySound();
  historyPos = -1;
  viewStart = 0;
  cursorPos = 0;
  expression.clear();
  restTape();
  // Each character still on the line falls from its share of the label's width. Characters
  // past the clipped right edge are not on screen, and a long line would otherwise start
  // thousands of labels at once.
  const std::string shown = exprLabel->getString();
  const float width = exprLabel->getContentSize().width;
  const float y = cursorBar->getPositionY();
  const std::size_t n = shown.size();
  constexpr double kClipRight = 760.9375;
  for (std::size_t i = 0; i < n; ++i) {
    const double x = static_cast<double>(i) * width / static_cast<double>(n) + kLeftMargin;
    if (x >= kClipRight) break;
    spawnFallingGlyph(std::string(1, shown[i]), Vec2(static_cast<float>(x), y));
  }
  exprLabel->setString("");
  refreshCursor();
  shifted = false;
  setShiftPage(false);
}

void MainLayer::setShiftPage(bool page2) {
  for (MenuItem* item : page1Items) item->setVisible(!page2);
  for (MenuItem* item : page2Items) item->setVisible(page2);
}

void MainLayer::toggleShift() {
  playKeySound();
  shifted = !shifted;
  setShiftPage(shifted);
}

void MainLayer::restTape() {
  if (tapeView->getInnerContainerPosition() != Vec2::ZERO) tapeView->scrollToBottomLeft(0, false);
}
