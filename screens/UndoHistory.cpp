#include "screens/UndoHistory.h"

#include <utility>

void UndoHistory::push(UndoStep step) {
  if (_done < _steps.size()) {
    _steps.erase(_steps.begin() + static_cast<std::ptrdiff_t>(_done), _steps.end());
    _heldKnown = false;
  }
  _steps.push_back(std::move(step));
  _done = _steps.size();
  _held = _heldKnown ? _held + _steps.back().heldBytes() : sumHeldBytes();
  _heldKnown = true;
  while (_steps.size() > kMaxSteps || (_held > kMaxHeldBytes && _steps.size() > 1)) {
    _held -= _steps.front().heldBytes();
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
  _heldKnown = false;  // the caller swaps what the step holds
  return &_steps[--_done];
}

UndoStep* UndoHistory::takeRedo() {
  if (_done == _steps.size()) return nullptr;
  _heldKnown = false;
  return &_steps[_done++];
}

std::size_t UndoHistory::heldBytes() const { return _heldKnown ? _held : sumHeldBytes(); }

std::size_t UndoHistory::sumHeldBytes() const {
  std::size_t held = 0;
  for (const UndoStep& step : _steps) held += step.heldBytes();
  return held;
}
