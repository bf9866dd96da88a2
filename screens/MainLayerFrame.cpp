// The per-frame step of the calculator: the cursor blink and the falling erased characters.
#include "cocos/services/store/UserDefault.h"
#include "cocos/base/Utf8.h"
#include "engine/RandomEngine.h"
#include "screens/CalculatorLayout.h"
#include "screens/MainLayer.h"
#include "screens/SettingsVocabulary.h"

using namespace cocos2d;

namespace {
constexpr double kGravity = 0.4;  // design units per frame, per frame
constexpr int kFallingZOrder = 3;
}  // namespace

void MainLayer::update(float /*dt*/) {
  updateCursorBlink();
  updateFallingGlyphs();
  if (!_fallingGlyphs.empty()) Director::getInstance()->requestAnimationFrame();
}

void MainLayer::updateCursorBlink() {
  Director* director = Director::getInstance();
  const std::uint64_t now = director->getClockTicks100ns();
  const std::uint64_t milliseconds = now >= startTicks ? (now - startTicks) / 10000 : 0;
  const bool shown = (milliseconds / 500) % 2 == 0;
  if (shown != _cursorShown || _cursorBar->isVisible() != shown) {
    _cursorShown = shown;
    _cursorBar->setVisible(shown);
  }
  // Nothing else changes until the next turn of the blink: the loop may sleep until then.
  director->requestUpdateAt(startTicks + (milliseconds / 500 + 1) * 500 * 10000);
}

void MainLayer::spawnFallingGlyph(const std::string& text, const Vec2& position) {
  if (UserDefault::getInstance()->getIntegerForKey(kKeyFallingChar, kDefaultFallingChar) == 0) return;
  launchFallingGlyph(text, position, true);
}

void MainLayer::launchFallingGlyph(const std::string& text, const Vec2& position, bool withLabel) {
  Label* label = nullptr;
  if (withLabel) {
    label = Label::createWithSystemFont(text, "Arial", 48, Size::ZERO, TextHAlignment::LEFT, TextVAlignment::TOP);
    label->setPosition(position);
    label->setColor(Color3B::GRAY);
    addChild(label, kFallingZOrder);
  }
  const std::uint32_t r1 = static_cast<std::uint32_t>(randomEngine());
  const std::uint32_t r2 = static_cast<std::uint32_t>(randomEngine());
  const std::uint32_t r3 = static_cast<std::uint32_t>(randomEngine());
  if (!label) return;
  const int drift = static_cast<int>(r1 % 101) + static_cast<int>(r2 % 101) - 100;
  const int turn = static_cast<int>(r3 % 201) - 100;
  _fallingGlyphs.push_back({label, static_cast<float>(drift) / 50, 0.0f, static_cast<float>(turn) / 30});
  Director::getInstance()->requestAnimationFrame();
}

namespace {

// The x beyond which a character started at height y can never reach the screen before it
// falls off the bottom: it drifts at most 2 units a frame sideways for as many frames as it
// falls, and turning, it reaches at most 1.5 font sizes from its centre.
double farthestVisibleStart(double y) {
  constexpr double kMaxDrift = 2.0;
  constexpr double kReach = 1.5 * 48;
  constexpr double kScreenWidth = 800;
  double fallen = 0;
  int frames = 0;
  while (fallen <= y) fallen += kGravity * ++frames;
  return kScreenWidth + kMaxDrift * frames + kReach;
}

}  // namespace

void MainLayer::dropShownCharacters() {
  if (UserDefault::getInstance()->getIntegerForKey(kKeyFallingChar, kDefaultFallingChar) == 0) return;
  const std::string& shown = _exprLabel->getString();
  const std::size_t count = countUtf8CodePoints(shown);
  if (count == 0) return;
  const double width = _exprLabel->getContentSize().width;
  const float y = _cursorBar->getPositionY();
  const double farthest = farthestVisibleStart(y);
  // Characters far past the right edge get no label, but still take their random numbers, so
  // that everything drawn afterwards is what it would have been.
  std::size_t begin = 0, i = 0;
  for (; i < count; ++i) {
    const double x = static_cast<double>(i) * width / static_cast<double>(count) + layout::kLineLeft;
    if (x >= farthest) break;  // shares grow with i: none after this one can be seen either
    const std::size_t end = nextUtf8Boundary(shown, begin);
    launchFallingGlyph(shown.substr(begin, end - begin), Vec2(static_cast<float>(x), y), true);
    begin = end;
  }
  randomEngine.discard(3 * static_cast<unsigned long long>(count - i));
}

void MainLayer::updateFallingGlyphs() {
  // Characters in flight move all over the screen: a whole frame, without working out where.
  if (!_fallingGlyphs.empty()) Director::getInstance()->setNeedsRedraw();
  // One pass that moves every record and closes the gaps of those that left the screen, so
  // that many characters landing in the same frame cost no more than one move each.
  std::size_t kept = 0;
  for (std::size_t i = 0; i < _fallingGlyphs.size(); ++i) {
    FallingGlyph g = _fallingGlyphs[i];
    g.label->setRotation(g.label->getRotation() + g.spin);
    const Vec2 at = g.label->getPosition();
    const float x = at.x + g.vx;
    g.vy = static_cast<float>(g.vy - kGravity);
    const float y = at.y + g.vy;
    if (y >= 0) {
      g.label->setPosition(Vec2(x, y));
      _fallingGlyphs[kept++] = g;
    } else {
      g.label->removeFromParentAndCleanup(true);
    }
  }
  _fallingGlyphs.resize(kept);
}
