// The expression line's undo and redo steps: each change kept as the bytes it took out of the
// line and the length of what it put in, never as a copy of the line, so that undoing and
// redoing move bytes in and out of the line. Bounded in steps and in the bytes it holds.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <string>

// A line's text as the history and the tape share it.
using SharedLine = std::shared_ptr<const std::string>;

// Where the walk through the history stood: the entry recalled last and the text it put in.
struct RecallState {
  std::int32_t position = -1;
  SharedLine text;  // null when the last step put nothing in
};

// One change of the line. While it is done, `outside` holds the bytes it took out from `at`
// and `insideLength` counts those it put in there; undoing swaps the two (the bytes taken back
// out become `outside`), and redoing swaps them again.
struct UndoStep {
  std::int32_t at = 0;
  std::string outside;
  // Stands for `outside` while it is the line that the equal key handed to the history: kept
  // once, there, and copied only if the step is undone.
  SharedLine sharedOutside;
  std::size_t insideLength = 0;
  std::int32_t cursorBefore = 0;
  std::int32_t cursorAfter = 0;
  RecallState recallBefore;
  RecallState recallAfter;
  bool typing = false;        // keyboard text: text typed right after it may join it
  bool withPrevious = false;  // undone and redone together with the step before it

  std::size_t heldBytes() const { return outside.capacity() + (sharedOutside ? sharedOutside->size() : 0); }
};

class UndoHistory {
 public:
  // The oldest steps are forgotten beyond this many, or while the text they hold out of the
  // line passes the byte limit (the newest step is always kept: one clear of a huge line can
  // be undone).
  static constexpr std::size_t kMaxSteps = 100;
  static constexpr std::size_t kMaxHeldBytes = std::size_t{64} << 20;

  // Adds a step after the last one done; the steps undone before it cannot be redone any more.
  void push(UndoStep step);
  // The last step done, if no undone step waits to be redone: the one typing may extend.
  UndoStep* lastDone();
  // The step to undo, now counted as undone; null when there is none.
  UndoStep* takeUndo();
  // The step to redo, now counted as done; null when there is none.
  UndoStep* takeRedo();
  // Whether the next step to redo goes with the one just redone.
  bool redoContinues() const { return _done < _steps.size() && _steps[_done].withPrevious; }

  std::size_t undoDepth() const { return _done; }
  std::size_t redoDepth() const { return _steps.size() - _done; }
  // The text the steps keep out of the line, in bytes.
  std::size_t heldBytes() const;

 private:
  std::size_t sumHeldBytes() const;

  std::deque<UndoStep> _steps;  // oldest first
  std::size_t _done = 0;        // the steps before this index are done, the rest undone
  // The bytes held, kept up to date as steps come and go, so that a key does not sum them all;
  // undo and redo change what their steps hold, so after them they are summed afresh.
  std::size_t _held = 0;
  bool _heldKnown = true;
};
