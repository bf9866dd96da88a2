// Touches on the calculator beyond its keys: a touch on the expression line puts the cursor
// where it lands, and a double tap on a tape line inserts that line's text at the cursor. The
// tape keeps scrolling by dragging: this listener claims touches without keeping them from it.
#include "cocos/base/EventListenerTouch.h"
#include "cocos/base/Touch.h"
#include "screens/AccessibleNames.h"
#include "screens/CalculatorLayout.h"
#include "screens/MainLayer.h"

using namespace cocos2d;

namespace {

const Rect kLineStrip(static_cast<float>(layout::kLineLeft), layout::kLineClipY, layout::kLineClipWidth,
                      layout::kLineHeight);
const Rect kTapeArea(layout::kTapeX, layout::kTapeY, layout::kTapeWidth, layout::kTapeHeight);

}  // namespace

void MainLayer::registerTouches() {
  // A node of its own, added after the tape and the line, so that its listener comes before
  // the tape's (which takes the touches it claims for itself).
  Node* area = Node::create();
  addChild(area, 1);
  auto* listener = EventListenerTouchOneByOne::create();
  listener->setSwallowTouches(false);
  listener->onTouchBegan = [this](Touch* touch, Event*) { return touchBegan(touch->getLocation()); };
  listener->onTouchMoved = [this](Touch* touch, Event*) { touchMoved(touch->getLocation()); };
  listener->onTouchEnded = [this](Touch* touch, Event*) { touchEnded(touch->getLocation()); };
  listener->onTouchCancelled = [this](Touch*, Event*) { _tapeTaps.cancelled(); };
  getEventDispatcher()->addEventListenerWithSceneGraphPriority(listener, area);
}

bool MainLayer::touchBegan(const Vec2& at) {
  // The information box has the screen to itself.
  if (_infoBox) return false;
  if (kLineStrip.containsPoint(at)) {
    _touchOnTape = false;
    _tapeTaps.cancelled();
    placeCursorAt(at.x);
    return true;
  }
  if (kTapeArea.containsPoint(at)) {
    _touchOnTape = true;
    _tapeTaps.began(Director::getInstance()->getClockTicks100ns(), at, tapeLineAt(at));
    return true;
  }
  return false;
}

void MainLayer::touchMoved(const Vec2& at) {
  if (_touchOnTape) _tapeTaps.moved(at);
}

void MainLayer::touchEnded(const Vec2& at) {
  if (!_touchOnTape) return;
  const int line = _tapeTaps.ended(at);
  if (line >= 0) insertTapeLine(line);
}

int MainLayer::tapeLineAt(const Vec2& at) const {
  // Line i fills the band of the tape's container from i to i + 1 line steps above its bottom.
  const double y = static_cast<double>(at.y) - layout::kTapeY - _tapeView->getInnerContainerPosition().y;
  if (y < 0) return -1;
  const auto line = static_cast<int>(y / layout::kTapeLineStep);
  return line < kTapeLines ? line : -1;
}

void MainLayer::insertTapeLine(int line) {
  // The information box has the screen to itself, also for a screen reader's action.
  if (line < 0 || line >= kTapeLines || _infoBox) return;
  const std::string& text = _historyTape[line]->getString();
  // A result line shows its result after "="; an empty line has nothing to give.
  const bool result = !text.empty() && text[0] == '=';
  if (text.size() == (result ? 1u : 0u)) return;
  const std::string inserted = result ? text.substr(1) : text;
  playKeySound();
  insertText(inserted);
  announce(spokenLine("Inserted", inserted));
}
