// The equal key: the line goes to the engine, expression and result go onto the tape and into
// the history, and the line is emptied for the next expression.
#include "engine/ResultFormatter.h"
#include "screens/MainLayer.h"

using namespace cocos2d;

void MainLayer::pushTapeLines(int count) {
  for (int i = kTapeLines - 1; i >= count; --i) _historyTape[i]->setSharedString(_historyTape[i - count]->getSharedString());
}

void MainLayer::evaluate() {
  playKeySound();
  const Vec2 offsetBefore = _tapeView->getInnerContainerPosition();
  _editor.resetHistoryPos();
  if (!_editor.getText().empty()) {
    pushTapeLines(2);
    const std::string result = evaluateAndFormat(_editor.getText());
    // The line moves onto the tape and into the history without a copy: it may be megabytes.
    // Undo shares it from there.
    SharedText line = _editor.takeText();
    _historyTape[1]->setSharedString(line);
    _history.push_front(std::move(line));
    _history.push_front(std::make_shared<const std::string>(result));
    _historyTape[0]->setString("=" + result);
    announce(_historyTape[0]->getString());
  } else {
    pushTapeLines(1);
    _historyTape[0]->setString("");
    _history.push_front(std::make_shared<const std::string>());
  }
  while (_history.size() > kHistoryCapacity) _history.pop_back();
  saveHistory();
  if (offsetBefore != Vec2::ZERO) _tapeView->scrollToBottomLeft(0, false);
  refreshCursor();
  showPage1();
}
