#include "screens/UndoHistory.h"

#include <utility>

void UndoHistory::push(UndoStep step) {
  _steps.erase(_steps.begin() + static_cast<std::ptrdiff_t>(_done), _steps.end());
  _steps.push_back(std::move(step));
  _done = _steps.size();
  // Counted afresh each time: at most a hundred small sums, and undoing changes what each
  // step holds.
  std::size_t held = heldBytes();
  while (_steps.size() > kMaxSteps || (held > kMaxHeldBytes && _steps.size() > 1)) {
    held -= _steps.front().heldBytes();
    _steps.pop_front();
    --_done;
  }
}

UndoStep* UndoHistory::lastDone() {
  if (_done == 0 || _done != _steps.size()) return nullptr;
  return &_steps.back();
}

UndoStep* UndoHistory::takeUndo() {
  if (_done == 0) return nullptr;
  return &_steps[--_done];
}

UndoStep* UndoHistory::takeRedo() {
  if (_done == _steps.size()) return nullptr;
  return &_steps[_done++];
}

std::size_t UndoHistory::heldBytes() const {
  std::size_t held = 0;
  for (const UndoStep& step : _steps) held += step.heldBytes();
  return held;
}
