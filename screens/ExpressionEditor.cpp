#include "screens/ExpressionEditor.h"

#include <algorithm>
#include <utility>

#include "cocos/base/Utf8.h"

using cocos2d::nextUtf8Boundary;
using cocos2d::previousUtf8Boundary;
using cocos2d::utf8BoundaryAtOrAfter;
using cocos2d::utf8BoundaryAtOrBefore;

namespace {

// x of a cursor standing after text of the given width: computed in double, kept as float.
float cursorXFor(float width) { return static_cast<float>(static_cast<double>(width) + layout::kLineLeft); }

std::size_t at(std::int32_t i) { return static_cast<std::size_t>(i); }

}  // namespace

std::string ExpressionEditor::replace(std::int32_t from, std::int32_t to, const std::string& text,
                                      std::int32_t cursor) {
  std::string removed;
  if (from == 0 && at(to) == _expression.size()) {
    removed = std::move(_expression);
    _expression = text;
  } else {
    removed = _expression.substr(at(from), at(to - from));
    _expression.replace(at(from), at(to - from), text);
  }
  _cursorPos = cursor;
  if (from != to || !text.empty()) _shownChanged = true;
  return removed;
}

void ExpressionEditor::setViewStart(std::int32_t start) {
  if (start == _viewStart) return;
  _viewStart = start;
  _shownChanged = true;
}

bool ExpressionEditor::takeShownChange() { return std::exchange(_shownChanged, false); }

std::string ExpressionEditor::visibleTail() const {
  if (at(_viewStart) >= _expression.size()) return std::string();
  return _expression.substr(at(_viewStart));
}

std::int32_t ExpressionEditor::nextCharacter(std::int32_t i) const {
  return static_cast<std::int32_t>(nextUtf8Boundary(_expression, at(i)));
}

std::int32_t ExpressionEditor::previousCharacter(std::int32_t i) const {
  return static_cast<std::int32_t>(previousUtf8Boundary(_expression, at(i)));
}

void ExpressionEditor::settleIndexes() {
  const auto length = static_cast<std::int32_t>(_expression.size());
  _cursorPos = std::clamp(_cursorPos, 0, length);
  // Bytes joined by an edit may form one character around an index: the cursor moves past
  // it, the window start to its beginning.
  _cursorPos = static_cast<std::int32_t>(utf8BoundaryAtOrAfter(_expression, at(_cursorPos)));
  const std::int32_t start = std::clamp(_viewStart, 0, _cursorPos);
  setViewStart(static_cast<std::int32_t>(utf8BoundaryAtOrBefore(_expression, at(start))));
}

float ExpressionEditor::characterAdvance(std::int32_t begin, std::int32_t end) {
  const auto first = static_cast<unsigned char>(_expression[at(begin)]);
  if (first < 128) {
    if (_asciiAdvances[first] == 0) _asciiAdvances[first] = _measure.width(std::string(1, static_cast<char>(first)));
    return _asciiAdvances[first];
  }
  const std::string character = _expression.substr(at(begin), at(end - begin));
  auto it = _otherAdvances.find(character);
  if (it == _otherAdvances.end()) it = _otherAdvances.emplace(character, _measure.width(character)).first;
  return it->second;
}

// The smallest window start, not before `from`, at which the text between it and the cursor
// fits the line. Scrolling one character at a time and measuring the whole text before the
// cursor each time would cost time quadratic in the line's length; instead the width is
// summed backwards from the cursor, character by character, then confirmed with the real
// measurement, whose result (the width of the text between the start and the cursor) is
// handed back. `from` and the cursor are character boundaries, and so is every start tried.
std::int32_t ExpressionEditor::firstFittingStart(std::int32_t from, float& widthBeforeCursor) {
  std::int32_t start = _cursorPos;
  double width = 0;
  while (start > from) {
    const std::int32_t previous = previousCharacter(start);
    width += characterAdvance(previous, start);
    if (width >= layout::kLineUsableWidth) break;
    start = previous;
  }
  widthBeforeCursor = 0;
  auto fits = [&](std::int32_t s) {
    const float w = _measure.width(_expression.substr(at(s), at(_cursorPos - s)));
    if (cursorXFor(w) >= layout::kLineRightLimit) return false;
    widthBeforeCursor = w;
    return true;
  };
  while (start < _cursorPos && !fits(start)) start = nextCharacter(start);
  if (start == _cursorPos) widthBeforeCursor = 0;
  while (start > from && fits(previousCharacter(start))) start = previousCharacter(start);
  return start;
}

void ExpressionEditor::refreshCursor() {
  settleIndexes();
  float widthBeforeCursor = 0;
  setViewStart(firstFittingStart(_viewStart, widthBeforeCursor));
  _cursorX = cursorXFor(widthBeforeCursor);
}

void ExpressionEditor::insertText(const std::string& s) {
  replace(_cursorPos, _cursorPos, s, _cursorPos + static_cast<std::int32_t>(s.size()));
  refreshCursor();
}

std::string ExpressionEditor::eraseBeforeCursor() {
  if (_cursorPos == 0) return std::string();
  const std::int32_t from = previousCharacter(_cursorPos);
  std::string erased = replace(from, _cursorPos, std::string(), from);
  const auto length = static_cast<std::int32_t>(_expression.size());
  // The only visible character went: show the last one that is left.
  if (_viewStart > 0 && _viewStart >= length) setViewStart(previousCharacter(length));
  refreshCursor();
  return erased;
}

std::string ExpressionEditor::eraseAtCursor() {
  if (at(_cursorPos) == _expression.size()) return std::string();
  std::string erased = replace(_cursorPos, nextCharacter(_cursorPos), std::string(), _cursorPos);
  // Only bytes joined into one character may move the indexes; then the window follows.
  const std::int32_t cursorBefore = _cursorPos;
  settleIndexes();
  if (_cursorPos != cursorBefore) refreshCursor();
  return erased;
}

void ExpressionEditor::cursorLeft() {
  if (_cursorPos == 0) return;
  _cursorPos = previousCharacter(_cursorPos);
  refreshCursor();
}

void ExpressionEditor::cursorRight() {
  if (at(_cursorPos) == _expression.size()) return;
  _cursorPos = nextCharacter(_cursorPos);
  refreshCursor();
}

void ExpressionEditor::cursorHome() {
  setViewStart(0);
  _cursorPos = 0;
  refreshCursor();
}

void ExpressionEditor::cursorEnd() {
  _cursorPos = static_cast<std::int32_t>(_expression.size());
  refreshCursor();
}

void ExpressionEditor::clear() {
  _historyPos = -1;
  setViewStart(0);
  replace(0, static_cast<std::int32_t>(_expression.size()), std::string(), 0);
  refreshCursor();
}

std::string ExpressionEditor::takeText() {
  setViewStart(0);
  return replace(0, static_cast<std::int32_t>(_expression.size()), std::string(), 0);
}

void ExpressionEditor::removeRecalled() {
  const auto length = static_cast<std::int32_t>(_recalledText.size());
  if (_cursorPos < length) return;
  if (_expression == _recalledText) {
    _recalledText.clear();
    setViewStart(0);
    replace(0, length, std::string(), 0);
  } else if (_expression.compare(at(_cursorPos - length), at(length), _recalledText) == 0) {
    const std::int32_t from = _cursorPos - length;
    replace(from, _cursorPos, std::string(), from);
    // A long recall scrolled the window past what is left: start it afresh, so that the
    // next refresh shows the text before the cursor rather than an empty line.
    if (_viewStart > _cursorPos) setViewStart(0);
    settleIndexes();
  }
}

void ExpressionEditor::stepHistory(int step, std::size_t count, const EntryReader& entry) {
  removeRecalled();
  refreshCursor();
  const auto entries = static_cast<std::int32_t>(count);
  if (step > 0) {
    _historyPos += 1;
    if (_historyPos == entries) _historyPos = -1;
  } else {
    if (_historyPos < 0) _historyPos = entries;
    _historyPos -= 1;
  }
  _recalledText = _historyPos < 0 ? std::string() : entry(at(_historyPos));
  if (!_recalledText.empty()) insertText(_recalledText);
}
