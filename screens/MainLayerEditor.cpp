// Editing the expression line: insertion, cursor moves, erasing, clearing, keypad pages, and
// the sideways-scrolling window that keeps the cursor on screen.
#include "screens/MainLayer.h"

#include <algorithm>

#include "cocos/base/Utf8.h"

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

std::int32_t MainLayer::nextCharacter(std::int32_t i) const {
  return static_cast<std::int32_t>(nextUtf8Boundary(expression, static_cast<std::size_t>(i)));
}

std::int32_t MainLayer::previousCharacter(std::int32_t i) const {
  return static_cast<std::int32_t>(previousUtf8Boundary(expression, static_cast<std::size_t>(i)));
}

void MainLayer::settleIndexes() {
  const auto length = static_cast<std::int32_t>(expression.size());
  cursorPos = std::clamp(cursorPos, 0, length);
  // Bytes joined by an edit may form one character around an index: the cursor moves past
  // it, the window start to its beginning.
  cursorPos = static_cast<std::int32_t>(utf8BoundaryAtOrAfter(expression, static_cast<std::size_t>(cursorPos)));
  viewStart = std::clamp(viewStart, 0, cursorPos);
  viewStart = static_cast<std::int32_t>(utf8BoundaryAtOrBefore(expression, static_cast<std::size_t>(viewStart)));
}

float MainLayer::measureWidth(const std::string& text) {
  measureLabel->setString(text);
  return measureLabel->getContentSize().width;
}

float MainLayer::characterAdvance(std::int32_t begin, std::int32_t end) {
  const auto first = static_cast<unsigned char>(expression[static_cast<std::size_t>(begin)]);
  if (first < 128) {
    if (asciiAdvances[first] == 0) asciiAdvances[first] = measureWidth(std::string(1, static_cast<char>(first)));
    return asciiAdvances[first];
  }
  const std::string character = expression.substr(static_cast<std::size_t>(begin), static_cast<std::size_t>(end - begin));
  auto it = otherAdvances.find(character);
  if (it == otherAdvances.end()) it = otherAdvances.emplace(character, measureWidth(character)).first;
  return it->second;
}

// The smallest window start, not before `from`, at which the text between it and the cursor
// fits the line. Scrolling one character at a time and measuring the whole text before the
// cursor each time would cost time quadratic in the line's length; instead the width is
// summed backwards from the cursor, character by character, then confirmed with the real
// measurement, whose result (the width of the text between the start and the cursor) is
// handed back. `from` and the cursor are character boundaries, and so is every start tried.
std::int32_t MainLayer::firstFittingStart(std::int32_t from, float& widthBeforeCursor) {
  std::int32_t start = cursorPos;
  double width = 0;
  while (start > from) {
    const std::int32_t previous = previousCharacter(start);
    width += characterAdvance(previous, start);
    if (width >= kUsableWidth) break;
    start = previous;
  }
  widthBeforeCursor = 0;
  auto fits = [&](std::int32_t s) {
    const std::string part = expression.substr(static_cast<std::size_t>(s), static_cast<std::size_t>(cursorPos - s));
    const float w = measureWidth(part);
    if (cursorXFor(w) >= kRightLimit) return false;
    widthBeforeCursor = w;
    return true;
  };
  while (start < cursorPos && !fits(start)) start = nextCharacter(start);
  if (start == cursorPos) widthBeforeCursor = 0;
  while (start > from && fits(previousCharacter(start))) start = previousCharacter(start);
  return start;
}

void MainLayer::refreshCursor() {
  const std::int32_t shownStart = viewStart;
  settleIndexes();
  float widthBeforeCursor = 0;
  viewStart = firstFittingStart(viewStart, widthBeforeCursor);
  // A million-character line costs a layout: set the label only when what it shows changed.
  if (lineEdited || viewStart != shownStart) exprLabel->setString(visibleTail());
  lineEdited = false;
  cursorBar->setPosition(Vec2(cursorXFor(widthBeforeCursor), kExpressionY));
}

void MainLayer::insertText(const std::string& s) {
  expression.insert(static_cast<std::size_t>(cursorPos), s);
  cursorPos += static_cast<std::int32_t>(s.size());
  lineEdited = true;
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
    cursorPos = previousCharacter(cursorPos);
    refreshCursor();
  }
}

void MainLayer::cursorRight() {
  playKeySound();
  if (cursorPos < static_cast<std::int32_t>(expression.size())) {
    cursorPos = nextCharacter(cursorPos);
    refreshCursor();
  }
}

void MainLayer::cursorHome() {
  playKeySound();
  viewStart = 0;
  cursorPos = 0;
  lineEdited = true;  // the label shows the whole line again
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
  const std::int32_t from = previousCharacter(cursorPos);
  const std::string erased = expression.substr(static_cast<std::size_t>(from), static_cast<std::size_t>(cursorPos - from));
  expression.erase(static_cast<std::size_t>(from), erased.size());
  lineEdited = true;
  const auto length = static_cast<std::int32_t>(expression.size());
  // The only visible character went: show the last one that is left.
  if (viewStart > 0 && viewStart >= length) viewStart = previousCharacter(length);
  cursorPos = from;
  refreshCursor();
  spawnFallingGlyph(erased, cursorBar->getPosition());
}

void MainLayer::eraseAtCursor() {
  playKeySound();
  if (cursorPos == static_cast<std::int32_t>(expression.size())) return;
  const std::int32_t to = nextCharacter(cursorPos);
  const std::string erased = expression.substr(static_cast<std::size_t>(cursorPos), static_cast<std::size_t>(to - cursorPos));
  expression.erase(static_cast<std::size_t>(cursorPos), erased.size());
  // The window and the bar stay; only bytes joined into one character may move the indexes.
  const std::int32_t cursorBefore = cursorPos;
  settleIndexes();
  if (cursorPos != cursorBefore) {
    lineEdited = true;
    refreshCursor();
  } else {
    exprLabel->setString(visibleTail());
  }
  spawnFallingGlyph(erased, cursorBar->getPosition());
}

void MainLayer::clearAll() {
  playKeySound();
  historyPos = -1;
  viewStart = 0;
  cursorPos = 0;
  expression.clear();
  restTape();
  dropShownCharacters();
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
