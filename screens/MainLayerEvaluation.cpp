// The equal key: the line goes to the engine, expression and result go onto the tape and into
// the history, and the line is emptied for the next expression.
#include "cocos/accessibility/Accessibility.h"
#include "engine/ResultFormatter.h"
#include "screens/MainLayer.h"

using namespace cocos2d;

void MainLayer::pushTapeLines(int count) {
  for (int i = kTapeLines - 1; i >= count; --i) historyTape[i]->setString(historyTape[i - count]->getString());
}

void MainLayer::evaluate() {
  playKeySound();
  const Vec2 offsetBefore = tapeView->getInnerContainerPosition();
  historyPos = -1;
  if (!expression.empty()) {
    pushTapeLines(2);
    historyTape[1]->setString(expression);
    history.push_front(expression);
    const std::string result = evaluateAndFormat(expression);
    history.push_front(result);
    historyTape[0]->setString("=" + result);
    accessibility::announce(historyTape[0]->getString());
    exprLabel->setString("");
    expression.clear();
    viewStart = 0;
    cursorPos = 0;
  } else {
    pushTapeLines(1);
    historyTape[0]->setString("");
    history.push_front(std::string());
  }
  while (history.size() > kHistoryCapacity) history.pop_back();
  saveHistory();
  if (offsetBefore != Vec2::ZERO) tapeView->scrollToBottomLeft(0, false);
  refreshCursor();
  shifted = false;
  setShiftPage(false);
}
