// Touches on the calculator beyond its keys: a touch on the expression line puts the cursor
// where it lands.
#include "cocos/base/EventListenerTouch.h"
#include "cocos/base/Touch.h"
#include "screens/CalculatorLayout.h"
#include "screens/MainLayer.h"

using namespace cocos2d;

namespace {

const Rect kLineStrip(static_cast<float>(layout::kLineLeft), layout::kLineClipY, layout::kLineClipWidth,
                      layout::kLineHeight);

}  // namespace

void MainLayer::registerTouches() {
  // A node of its own, added after the line, so that its listener comes before those behind.
  Node* area = Node::create();
  addChild(area, 1);
  auto* listener = EventListenerTouchOneByOne::create();
  listener->setSwallowTouches(false);
  listener->onTouchBegan = [this](Touch* touch, Event*) { return touchBegan(touch->getLocation()); };
  getEventDispatcher()->addEventListenerWithSceneGraphPriority(listener, area);
}

bool MainLayer::touchBegan(const Vec2& at) {
  // The information box has the screen to itself.
  if (_infoBox) return false;
  if (kLineStrip.containsPoint(at)) {
    placeCursorAt(at.x);
    return true;
  }
  return false;
}
