// The expression line apart from how it is shown: its text, the cursor, the window of text
// that the line shows (scrolled so that the cursor stays visible), edits by whole UTF-8
// characters, the stepping through the history, and undo and redo of its changes. It
// measures text through TextMeasure and knows nothing of labels, nodes or fonts; the screen
// shows what it holds.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>

#include "screens/CalculatorLayout.h"
#include "screens/TextMeasure.h"
#include "screens/UndoHistory.h"

class ExpressionEditor {
 public:
  explicit ExpressionEditor(TextMeasure& measure) : _measure(measure) {}
  ExpressionEditor(const ExpressionEditor&) = delete;
  ExpressionEditor& operator=(const ExpressionEditor&) = delete;

  // --- editing. Unless said otherwise, each edit ends with refreshCursor, and each is one
  // step of undo.
  void insertText(const std::string& s);
  // Keyboard text: inserted as insertText does, but text typed right after it, at the cursor
  // it left, joins its step, as in text fields.
  void typeText(const std::string& s);
  // Backspace and Delete: the character taken out, or "" when there is none to take.
  std::string eraseBeforeCursor();
  // The window and the cursor stay where they are: the text before the cursor is unchanged.
  std::string eraseAtCursor();
  void cursorLeft();
  void cursorRight();
  void cursorHome();
  void cursorEnd();
  // The cursor goes to the character boundary nearest to x (design units across the screen)
  // among those the line shows: a touch in the left half of a character puts it before the
  // character, in the right half after it.
  void placeCursorAt(float x);
  // Empties the line, with the cursor and the window at its start, and ends any recall.
  void clear();
  // Hands the whole text over (moved, not copied) and leaves an empty line with the cursor
  // and the window at 0, without a refresh. Undoing it puts a copy of the text back.
  SharedLine takeText();
  // Scrolls the window right until the text between its start and the cursor fits the line
  // (and left to the cursor when the cursor went before it), and finds where the cursor stands.
  void refreshCursor();

  // --- the history. Positions run from 0 (the newest entry) to count - 1, and -1 for none.
  // Takes the text that the last step recalled out of the line again, if it still stands just
  // before the cursor (or is the whole line); text edited since then is left alone.
  void removeRecalled();
  // One step through a history of `count` entries: older (step +1) or newer (step -1), passing
  // through -1 between the oldest and the newest. The text of the last step goes, and the
  // entry at the new position is inserted at the cursor.
  using EntryReader = std::function<SharedLine(std::size_t)>;
  void stepHistory(int step, std::size_t count, const EntryReader& entry);
  void resetHistoryPos() { _historyPos = -1; }

  // --- undo and redo: the text, the cursor and the walk through the history as they were
  // before the last step, or after the step last undone. False when there is none.
  bool undo();
  bool redo();
  // The edits between these make one step (they nest): a key that inserts and then moves the
  // cursor back is undone in one, and redone with the cursor where the key left it.
  void beginStep(bool typing = false);
  void endStep();
  std::size_t undoDepth() const { return _undo.undoDepth(); }
  std::size_t redoDepth() const { return _undo.redoDepth(); }
  std::size_t undoHeldBytes() const { return _undo.heldBytes(); }

  // --- state
  const std::string& getText() const { return _expression; }
  std::int32_t getCursorPos() const { return _cursorPos; }
  std::int32_t getViewStart() const { return _viewStart; }
  std::int32_t getHistoryPos() const { return _historyPos; }
  const std::string& getRecalledText() const;
  // Where the cursor stood at the last refresh: the left margin plus the width of the text
  // between the window start and the cursor.
  float getCursorX() const { return _cursorX; }
  // The text the line shows: from the window start to the end.
  std::string visibleTail() const;
  // Whether what the line shows changed since the last call. Setting a label to a line of a
  // million characters costs a layout, so the screen sets it only when this says so.
  bool takeShownChange();

 private:
  // Opens a step for the span of an operation.
  class StepScope {
   public:
    explicit StepScope(ExpressionEditor& editor, bool typing = false) : _editor(editor) { editor.beginStep(typing); }
    ~StepScope() { _editor.endStep(); }
    StepScope(const StepScope&) = delete;
    StepScope& operator=(const StepScope&) = delete;

   private:
    ExpressionEditor& _editor;
  };

  // The one place where the text changes: the bytes [from, to) become `text` and the cursor
  // moves to `cursor`; the change is recorded for undo as what it removed and what it put in.
  // Returns the bytes taken out, where the record keeps them (valid until the next change):
  // the whole text is moved, not copied. Text given as an rvalue is moved in when it makes
  // the whole line.
  std::string& replace(std::int32_t from, std::int32_t to, const std::string& text, std::int32_t cursor);
  std::string& replace(std::int32_t from, std::int32_t to, std::string&& text, std::int32_t cursor);
  // Keeps a change made by replace in the step that is open: the bytes it took out and the
  // length of those it put in. Returns where the removed bytes are kept.
  std::string& record(std::int32_t from, std::string removed, std::size_t insertedLength, std::int32_t cursorBefore);
  RecallState recallState() const { return {_historyPos, _recalledText}; }
  // Undoes or redoes one step: the bytes it keeps go into the line, and those they replace
  // come out into it. The cursor and the walk through the history become those given.
  void swapStep(UndoStep& step, std::int32_t cursor, const RecallState& recall);
  // After undo or redo: a window left past the cursor starts afresh, then the refresh.
  void showReplayed();
  void insertAtCursor(const std::string& s, bool typing);
  void setViewStart(std::int32_t start);
  // Character steps over the line's UTF-8 (an invalid byte is one character).
  std::int32_t nextCharacter(std::int32_t i) const;
  std::int32_t previousCharacter(std::int32_t i) const;
  // Puts the cursor and the window start back on character boundaries within the line, with
  // the window start not after the cursor, whatever an edit did to the bytes around them.
  void settleIndexes();
  // The width of the character between two boundaries of the line, measured once per
  // character and kept.
  float characterAdvance(std::int32_t begin, std::int32_t end);
  std::int32_t firstFittingStart(std::int32_t from, float& widthBeforeCursor);

  TextMeasure& _measure;
  std::string _expression;
  std::int32_t _cursorPos = 0;
  std::int32_t _viewStart = 0;
  std::int32_t _historyPos = -1;
  SharedLine _recalledText;  // null when the last step recalled nothing
  float _cursorX = static_cast<float>(layout::kLineLeft);
  bool _shownChanged = false;
  float _asciiAdvances[128] = {};              // 0 = not measured yet
  std::map<std::string, float> _otherAdvances;  // characters outside ASCII

  UndoHistory _undo;
  int _stepDepth = 0;
  bool _stepTyping = false;
  std::int32_t _stepCursorBefore = 0;
  RecallState _stepRecallBefore;
  std::optional<UndoStep> _openStep;  // the changes of the step that is open, if any
  bool _typingRunOpen = false;         // the last step was typing, and nothing happened since
  bool _replaying = false;             // undo or redo is changing the text: nothing is recorded
  std::string _removed;                // removed bytes that no record keeps
};
