// The equal key: the line goes to the engine, expression and result go onto the tape and into
// the history, and the line is emptied for the next expression.
#include "cocos/accessibility/Accessibility.h"
#include "engine/ResultFormatter.h"
#include "screens/MainLayer.h"

using namespace cocos2d;

void MainLayer::pushTapeLines(int count) {
  for (int i = kTapeLines - 1; i >= count; --i) historyTape[i]->setSharedString(historyTape[i - count]->getSharedString());
}

void MainLayer::evaluate() {
  playKeySound();
  const Vec2 offsetBefore = tapeView->getInnerContainerPosition();
  historyPos = -1;
  if (!expression.empty()) {
    pushTapeLines(2);
    const std::string result = evaluateAndFormat(expression);
    auto line = std::make_shared<const std::string>(std::move(expression));
    historyTape[1]->setSharedString(line);
    history.push_front(std::move(line));
    history.push_front(std::make_shared<const std::string>(result));
    historyTape[0]->setString("=" + result);
    accessibility::announce(historyTape[0]->getString());
    exprLabel->setString("");
    expression.clear();
    viewStart = 0;
    cursorPos = 0;
  } else {
    pushTapeLines(1);
    historyTape[0]->setString("");
    history.push_front(std::make_shared<const std::string>());
  }
  while (history.size() > kHistoryCapacity) history.pop_back();
  saveHistory();
  if (offsetBefore != Vec2::ZERO) tapeView->scrollToBottomLeft(0, false);
  refreshCursor();
  shifted = false;
  setShiftPage(false);
}
