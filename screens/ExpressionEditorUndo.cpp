// The line's changes and their undo: every change goes through replace, which keeps what it
// took out in the open step, and undo and redo swap those bytes back through replace.
#include <algorithm>
#include <utility>

#include "screens/ExpressionEditor.h"

namespace {

std::size_t at(std::int32_t i) { return static_cast<std::size_t>(i); }

// Replaces bytes [from, to) of the line by text and returns the bytes taken out. A change of
// the whole line moves the old text out (and an rvalue text in) instead of copying.
template <typename Text>
std::string splice(std::string& line, std::size_t from, std::size_t to, Text&& text) {
  std::string removed;
  if (from == 0 && to == line.size()) {
    removed = std::move(line);
    line = std::forward<Text>(text);
  } else {
    removed = line.substr(from, to - from);
    line.replace(from, to - from, text);
  }
  return removed;
}

}  // namespace

std::string& ExpressionEditor::replace(std::int32_t from, std::int32_t to, const std::string& text,
                                       std::int32_t cursor) {
  const std::int32_t cursorBefore = _cursorPos;
  std::string removed = splice(_expression, at(from), at(to), text);
  _cursorPos = cursor;
  return record(from, std::move(removed), text.size(), cursorBefore);
}

std::string& ExpressionEditor::replace(std::int32_t from, std::int32_t to, std::string&& text, std::int32_t cursor) {
  const std::int32_t cursorBefore = _cursorPos;
  const std::size_t inserted = text.size();
  std::string removed = splice(_expression, at(from), at(to), std::move(text));
  _cursorPos = cursor;
  return record(from, std::move(removed), inserted, cursorBefore);
}

std::string& ExpressionEditor::record(std::int32_t from, std::string removed, std::size_t insertedLength,
                                      std::int32_t cursorBefore) {
  if (removed.empty() && insertedLength == 0) {
    _removed.clear();
    return _removed;
  }
  _shownChanged = true;
  if (_replaying) {
    _removed = std::move(removed);
    return _removed;
  }
  // Every operation that changes the text opens a step around its changes, so that the bytes
  // returned stay where they are until it ends.
  if (!_openStep) {
    UndoStep& step = _openStep.emplace();
    step.at = from;
    step.outside = std::move(removed);
    step.insideLength = insertedLength;
    step.cursorBefore = _stepCursorBefore;
    step.recallBefore = _stepRecallBefore;
    return step.outside;
  }
  UndoStep& step = *_openStep;
  const std::size_t end = at(step.at) + step.insideLength;
  if (from >= step.at && at(from) + removed.size() <= end) {
    // Within what the step put in so far (a recall replacing the one before it): the step
    // still takes out what it took, and now puts in this much. The bytes removed here were
    // never in the line before the step, so the step need not keep them.
    step.insideLength = step.insideLength - removed.size() + insertedLength;
    _removed = std::move(removed);
    return _removed;
  }
  // Elsewhere in the line: a record of its own, undone and redone with the one before.
  step.cursorAfter = cursorBefore;
  step.recallAfter = recallState();
  _undo.push(std::move(step));
  UndoStep& next = _openStep.emplace();
  next.at = from;
  next.outside = std::move(removed);
  next.insideLength = insertedLength;
  next.cursorBefore = cursorBefore;
  next.recallBefore = recallState();
  next.withPrevious = true;
  return next.outside;
}

void ExpressionEditor::beginStep(bool typing) {
  if (_stepDepth++ > 0) return;
  _stepTyping = typing;
  if (!typing) _typingRunOpen = false;
  _stepCursorBefore = _cursorPos;
  _stepRecallBefore = recallState();
  _openStep.reset();
}

void ExpressionEditor::endStep() {
  if (--_stepDepth > 0 || !_openStep) return;
  UndoStep step = std::move(*_openStep);
  _openStep.reset();
  step.cursorAfter = _cursorPos;
  step.recallAfter = recallState();
  step.typing = _stepTyping;
  UndoStep* last = _undo.lastDone();
  // Typed text joins the typed text before it when it goes in where that one ended.
  const bool joins = step.typing && _typingRunOpen && last && last->typing && !step.withPrevious &&
                     step.outside.empty() && last->outside.empty() && !last->sharedOutside &&
                     at(last->at) + last->insideLength == at(step.at) && last->cursorAfter == step.cursorBefore;
  if (joins) {
    last->insideLength += step.insideLength;
    last->cursorAfter = step.cursorAfter;
    last->recallAfter = std::move(step.recallAfter);
  } else {
    _undo.push(std::move(step));
  }
  _typingRunOpen = _stepTyping;
}

void ExpressionEditor::swapStep(UndoStep& step, std::int32_t cursor, const RecallState& recall) {
  std::string text = step.sharedOutside ? std::string(*step.sharedOutside) : std::move(step.outside);
  step.sharedOutside.reset();
  const std::size_t length = text.size();
  // Never past the line's end, whatever happened to it: a wrong record costs a wrong undo, not
  // a crash.
  const std::size_t from = std::min(at(step.at), _expression.size());
  const std::size_t to = std::min(from + step.insideLength, _expression.size());
  _replaying = true;
  replace(static_cast<std::int32_t>(from), static_cast<std::int32_t>(to), std::move(text), cursor);
  _replaying = false;
  step.outside = std::move(_removed);
  _removed = std::string();
  step.insideLength = length;
  _historyPos = recall.position;
  _recalledText = recall.text;
}

void ExpressionEditor::showReplayed() {
  if (_viewStart > _cursorPos) setViewStart(0);
  refreshCursor();
}

bool ExpressionEditor::undo() {
  if (_stepDepth > 0) return false;
  _typingRunOpen = false;
  UndoStep* step = _undo.takeUndo();
  if (!step) return false;
  for (;;) {
    swapStep(*step, step->cursorBefore, step->recallBefore);
    if (!step->withPrevious) break;
    step = _undo.takeUndo();
    if (!step) break;
  }
  showReplayed();
  return true;
}

bool ExpressionEditor::redo() {
  if (_stepDepth > 0) return false;
  _typingRunOpen = false;
  UndoStep* step = _undo.takeRedo();
  if (!step) return false;
  for (;;) {
    swapStep(*step, step->cursorAfter, step->recallAfter);
    if (!_undo.redoContinues()) break;
    step = _undo.takeRedo();
  }
  showReplayed();
  return true;
}
