// The per-frame step of the calculator: the cursor blink and the falling erased characters.
#include "cocos/base/UserDefault.h"
#include "engine/RandomEngine.h"
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
}

void MainLayer::updateCursorBlink() {
  const std::uint64_t now = Director::getInstance()->getClockTicks100ns();
  const std::uint64_t milliseconds = now >= startTicks ? (now - startTicks) / 10000 : 0;
  const bool shown = (milliseconds / 500) % 2 == 0;
  if (shown != cursorShown || cursorBar->isVisible() != shown) {
    cursorShown = shown;
    cursorBar->setVisible(shown);
  }
}

void MainLayer::spawnFallingGlyph(const std::string& text, const Vec2& position) {
  if (UserDefault::getInstance()->getIntegerForKey(kKeyFallingChar, kDefaultFallingChar) == 0) return;
  Label* label = Label::createWithSystemFont(text, "Arial", 48, Size::ZERO, TextHAlignment::LEFT, TextVAlignment::TOP);
  label->setPosition(position);
  label->setColor(Color3B::GRAY);
  addChild(label, kFallingZOrder);
  const std::uint32_t r1 = static_cast<std::uint32_t>(randomEngine());
  const std::uint32_t r2 = static_cast<std::uint32_t>(randomEngine());
  const std::uint32_t r3 = static_cast<std::uint32_t>(randomEngine());
  const int drift = static_cast<int>(r1 % 101) + static_cast<int>(r2 % 101) - 100;
  const int turn = static_cast<int>(r3 % 201) - 100;
  fallingGlyphs.push_back({label, static_cast<float>(drift) / 50, 0.0f, static_cast<float>(turn) / 30});
}

void MainLayer::updateFallingGlyphs() {
  // One pass that moves every record and closes the gaps of those that left the screen, so
  // that many characters landing in the same frame cost no more than one move each.
  std::size_t kept = 0;
  for (std::size_t i = 0; i < fallingGlyphs.size(); ++i) {
    FallingGlyph g = fallingGlyphs[i];
    g.label->setRotation(g.label->getRotation() + g.spin);
    const Vec2 at = g.label->getPosition();
    const float x = at.x + g.vx;
    g.vy = static_cast<float>(g.vy - kGravity);
    const float y = at.y + g.vy;
    if (y >= 0) {
      g.label->setPosition(Vec2(x, y));
      fallingGlyphs[kept++] = g;
    } else {
      g.label->removeFromParentAndCleanup(true);
    }
  }
  fallingGlyphs.resize(kept);
}
