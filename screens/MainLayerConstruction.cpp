// Building the calculator screen, its refresh on return to the front, the key click, and
// what the screen has screen readers say.
#include <new>

#include "cocos/accessibility/Accessibility.h"
#include "cocos/audio/SimpleAudioEngine.h"
#include "cocos/base/Create.h"
#include "cocos/services/store/UserDefault.h"
#include "screens/AccessibleScreens.h"
#include "screens/CalculatorLayout.h"
#include "screens/MainLayer.h"
#include "screens/MemoryHandOver.h"
#include "screens/SettingsVocabulary.h"
#include "screens/UiHelpers.h"

using namespace cocos2d;

MainLayer* currentMainLayer = nullptr;
std::uint64_t startTicks = 0;

bool memoryStoreMode = false;
std::string memoryTransfer;
bool memoryPicked = false;

namespace {

using layout::kExpressionY;
using layout::kLineHeight;

struct PanelRect {
  Color3B color;
  Vec2 centre;
  float width, height;
};

// The grey panel behind the tape and the expression line, with light bottom and right edges
// and dark top and left edges so that it looks sunk into the background.
const PanelRect kPanel[] = {
    {{192, 192, 192}, {400, 1048.87048f}, 768.75f, 431.008972f},
    {{200, 200, 200}, {400, kExpressionY}, 768.75f, kLineHeight},
    {{224, 224, 224}, {400, 835.319153f}, 768.75f, 3.90625f},
    {{224, 224, 224}, {782.421875f, 1048.87048f}, 3.90625f, 431.008972f},
    {{128, 128, 128}, {400, 1262.42188f}, 768.75f, 3.90625f},
    {{128, 128, 128}, {17.578125f, 1048.87048f}, 3.90625f, 431.008972f},
};

}  // namespace

MainLayer* MainLayer::create() { return initAndAutorelease(new (std::nothrow) MainLayer(), &MainLayer::init); }

MainLayer::~MainLayer() = default;

bool MainLayer::init() {
  if (!Layer::init()) return false;
  currentMainLayer = this;
  startTicks = Director::getInstance()->getClockTicks100ns();
  _shifted = false;
  _shiftKeysDown = 0;

  UserDefault* store = UserDefault::getInstance();
  applyFirstStartLanguage(*store, Application::getInstance()->getCurrentLanguage() == LanguageType::JAPANESE);

  paintBackground();
  buildPanel();
  buildTape();
  buildExpressionLine();
  loadHistory();
  fillTapeFromHistory();
  // Off screen, in the line's font: the editor measures its text with it.
  _lineMeasure.setLabel(addLabel(this, "", Vec2(0, -100), 48, Color3B::BLACK, 0));
  _cursorBar = Sprite::create();
  _cursorBar->setTextureRect(Rect(0, 0, layout::kCursorWidth, layout::kCursorHeight));
  _cursorBar->setColor(Color3B::RED);
  _cursorBar->setVisibilityCosmetic(true);  // its blink tells a screen reader nothing new
  _cursorBar->setPosition(Vec2(static_cast<float>(layout::kLineLeft), kExpressionY));
  addChild(_cursorBar, 1);
  buildKeys();
  registerKeyboard();
  registerTouches();
  describeCalculator(this);
  scheduleUpdate();
  return true;
}

void MainLayer::paintBackground() {
  const int index = backgroundIndex(UserDefault::getInstance()->getIntegerForKey(kKeyBgix, kDefaultBgix));
  _backgroundSprite = addColorRect(this, bgColors[index], 800, Vec2(400, 640), 1280, 0);
  // A window of another shape shows the background colour around the design area too.
  const Color3B& c = bgColors[index];
  Director::getInstance()->setLetterboxColor(Color4B(c.r, c.g, c.b, 255));
}

void MainLayer::buildPanel() {
  for (const PanelRect& r : kPanel) addColorRect(this, r.color, r.width, r.centre, r.height, 1);
}

void MainLayer::buildTape() {
  _tapeView = ui::ScrollView::create();
  _tapeView->setContentSize(Size(layout::kTapeWidth, layout::kTapeHeight));
  _tapeView->setBounceEnabled(false);
  _tapeView->setDirection(ui::ScrollView::Direction::BOTH);
  _tapeView->setPosition(Vec2(layout::kTapeX, layout::kTapeY));
  _tapeView->setInnerContainerSize(Size(layout::kTapeInnerWidth, layout::kTapeInnerHeight));
  // A line a notch, either way: the six lines shown stay whole lines while the wheel clicks,
  // and the whole tape is fourteen notches away. (Three lines a notch, as long documents
  // scroll, would move half of this short view at once and lose the reader's place.)
  _tapeView->setMouseScrollStep(static_cast<float>(layout::kTapeLineStep));
  _tapeView->scrollToBottomLeft(0, false);
  addChild(_tapeView, 1);
}

void MainLayer::buildExpressionLine() {
  // A disabled scroll view only clips the line: the editor scrolls the text itself.
  auto* clip = ui::ScrollView::create();
  clip->setContentSize(Size(layout::kLineClipWidth, kLineHeight));
  clip->setBounceEnabled(false);
  clip->setDirection(ui::ScrollView::Direction::HORIZONTAL);
  clip->setPosition(Vec2(static_cast<float>(layout::kLineLeft), layout::kLineClipY));
  clip->setInnerContainerSize(Size(layout::kLineClipWidth, kLineHeight));
  clip->scrollToBottomLeft(0, false);
  clip->setEnabled(false);
  addChild(clip, 1);
  _exprLabel = addLabel(clip, "", Vec2(0, layout::kLineLabelY), 48, Color3B::BLACK, 0);
  _exprLabel->setAnchorPoint(Vec2::ANCHOR_MIDDLE_LEFT);
}

void MainLayer::fillTapeFromHistory() {
  double y = layout::kTapeFirstLineY;
  for (int i = 0; i < kTapeLines; ++i) {
    _historyTape[i] = addLabel(_tapeView, "", Vec2(layout::kTapeLineX, static_cast<float>(y)), 48, Color3B::BLACK, 0);
    _historyTape[i]->setAnchorPoint(Vec2::ANCHOR_MIDDLE_LEFT);
    if (static_cast<std::size_t>(i) < _history.size()) {
      if (i % 2 == 0) {
        _historyTape[i]->setString("=" + *_history[i]);
      } else {
        _historyTape[i]->setSharedString(_history[i]);
      }
    }
    y += layout::kTapeLineStep;
  }
}

void MainLayer::onEnterTransitionDidFinish() {
  Layer::onEnterTransitionDidFinish();
  if (memoryPicked && !memoryTransfer.empty()) insertText(memoryTransfer);
  memoryPicked = false;
  if (_backgroundSprite) {
    _backgroundSprite->removeFromParentAndCleanup(true);
    _backgroundSprite = nullptr;
  }
  paintBackground();
}

void MainLayer::playKeySound() {
  if (UserDefault::getInstance()->getIntegerForKey(kKeySoundEffect, kDefaultSoundEffect) != 0) {
    CocosDenshion::SimpleAudioEngine::getInstance()->playEffect("button45.mp3", false, 1.0f, 0.0f, 1.0f);
  }
}

void MainLayer::announce(const std::string& message) {
  _lastAnnouncement = message;
  accessibility::announce(message);
}
