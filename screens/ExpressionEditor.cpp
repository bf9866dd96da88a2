#include "screens/ExpressionEditor.h"

#include <algorithm>
#include <cmath>
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

void ExpressionEditor::insertAtCursor(const std::string& s, bool typing) {
  StepScope step(*this, typing);
  replace(_cursorPos, _cursorPos, s, _cursorPos + static_cast<std::int32_t>(s.size()));
  refreshCursor();
}

void ExpressionEditor::insertText(const std::string& s) { insertAtCursor(s, false); }

void ExpressionEditor::typeText(const std::string& s) { insertAtCursor(s, true); }

std::string ExpressionEditor::eraseBeforeCursor() {
  if (_cursorPos == 0) return std::string();
  StepScope step(*this);
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
  StepScope step(*this);
  std::string erased = replace(_cursorPos, nextCharacter(_cursorPos), std::string(), _cursorPos);
  // Only bytes joined into one character may move the indexes; then the window follows.
  const std::int32_t cursorBefore = _cursorPos;
  settleIndexes();
  if (_cursorPos != cursorBefore) refreshCursor();
  return erased;
}

void ExpressionEditor::cursorLeft() {
  StepScope step(*this);  // changes no text, but ends a typing run
  if (_cursorPos == 0) return;
  _cursorPos = previousCharacter(_cursorPos);
  refreshCursor();
}

void ExpressionEditor::cursorRight() {
  StepScope step(*this);
  if (at(_cursorPos) == _expression.size()) return;
  _cursorPos = nextCharacter(_cursorPos);
  refreshCursor();
}

void ExpressionEditor::cursorHome() {
  StepScope step(*this);
  setViewStart(0);
  _cursorPos = 0;
  refreshCursor();
}

void ExpressionEditor::cursorEnd() {
  StepScope step(*this);
  _cursorPos = static_cast<std::int32_t>(_expression.size());
  refreshCursor();
}

void ExpressionEditor::placeCursorAt(float x) {
  StepScope step(*this);
  const double target = static_cast<double>(x) - layout::kLineLeft;
  const auto length = static_cast<std::int32_t>(_expression.size());
  // Summed advances find the character under x without measuring the text before it each
  // time; it is walked only as far as the line shows.
  std::int32_t boundary = _viewStart;
  double width = 0;
  while (boundary < length) {
    const std::int32_t next = nextCharacter(boundary);
    const double advance = characterAdvance(boundary, next);
    if (width + advance / 2 > target) break;
    width += advance;
    boundary = next;
  }
  // Pairs of characters may sit closer than their advances say: the real widths of the text
  // before the neighbouring boundaries decide between them.
  auto offset = [&](std::int32_t b) {
    return std::abs(_measure.width(_expression.substr(at(_viewStart), at(b - _viewStart))) - target);
  };
  double here = offset(boundary);
  while (boundary > _viewStart) {
    const std::int32_t previous = previousCharacter(boundary);
    const double there = offset(previous);
    if (there >= here) break;
    boundary = previous;
    here = there;
  }
  while (boundary < length) {
    const std::int32_t next = nextCharacter(boundary);
    const double there = offset(next);
    if (there >= here) break;
    boundary = next;
    here = there;
  }
  _cursorPos = boundary;
  refreshCursor();
}

void ExpressionEditor::clear() {
  StepScope step(*this);
  _historyPos = -1;
  setViewStart(0);
  replace(0, static_cast<std::int32_t>(_expression.size()), std::string(), 0);
  refreshCursor();
}

SharedLine ExpressionEditor::takeText() {
  StepScope step(*this);
  setViewStart(0);
  std::string& removed = replace(0, static_cast<std::int32_t>(_expression.size()), std::string(), 0);
  const bool recorded = _openStep && &removed == &_openStep->outside;
  auto taken = std::make_shared<const std::string>(std::move(removed));
  // The history keeps the line now; the step shares it rather than keep a second copy.
  if (recorded) _openStep->sharedOutside = taken;
  return taken;
}

const std::string& ExpressionEditor::getRecalledText() const {
  static const std::string kNone;
  return _recalledText ? *_recalledText : kNone;
}

void ExpressionEditor::removeRecalled() {
  if (!_recalledText) return;
  const std::string& recalled = *_recalledText;
  const auto length = static_cast<std::int32_t>(recalled.size());
  if (_cursorPos < length) return;
  StepScope step(*this);
  if (_expression == recalled) {
    _recalledText.reset();
    setViewStart(0);
    replace(0, length, std::string(), 0);
  } else if (_expression.compare(at(_cursorPos - length), at(length), recalled) == 0) {
    const std::int32_t from = _cursorPos - length;
    replace(from, _cursorPos, std::string(), from);
    // A long recall scrolled the window past what is left: start it afresh, so that the
    // next refresh shows the text before the cursor rather than an empty line.
    if (_viewStart > _cursorPos) setViewStart(0);
    settleIndexes();
  }
}

void ExpressionEditor::stepHistory(int step, std::size_t count, const EntryReader& entry) {
  // The removal of the last recall and the insertion of the next are one step.
  StepScope scope(*this);
  removeRecalled();
  refreshCursor();
  const auto entries = static_cast<std::int32_t>(count);
  // A position that undo brought back may lie past a history that has changed since.
  if (_historyPos >= entries) _historyPos = -1;
  if (step > 0) {
    _historyPos += 1;
    if (_historyPos == entries) _historyPos = -1;
  } else {
    if (_historyPos < 0) _historyPos = entries;
    _historyPos -= 1;
  }
  _recalledText = _historyPos < 0 ? nullptr : entry(at(_historyPos));
  if (_recalledText && _recalledText->empty()) _recalledText.reset();
  if (_recalledText) insertText(*_recalledText);
}
