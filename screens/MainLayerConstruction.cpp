// Building the calculator screen, its refresh on return to the front, and the key click.
#include <new>

#include "cocos/audio/SimpleAudioEngine.h"
#include "cocos/base/Create.h"
#include "cocos/services/store/UserDefault.h"
#include "screens/AccessibleScreens.h"
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

// Layout of the display half of the screen, in design units.
constexpr float kLineHeight = 61.5727081f;
constexpr double kTapeLineStep = 61.57270959671541;
constexpr float kExpressionY = 864.152405f;
constexpr float kLeftMargin = 23.4375f;

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
  shifted = false;
  shiftKeysDown = 0;
  viewStart = 0;
  cursorPos = 0;
  historyPos = -1;

  UserDefault* store = UserDefault::getInstance();
  applyFirstStartLanguage(*store, Application::getInstance()->getCurrentLanguage() == LanguageType::JAPANESE);

  paintBackground();
  buildPanel();
  buildTape();
  buildExpressionLine();
  loadHistory();
  fillTapeFromHistory();
  measureLabel = addLabel(this, "", Vec2(0, -100), 48, Color3B::BLACK, 0);
  cursorBar = Sprite::create();
  cursorBar->setTextureRect(Rect(0, 0, 4, 49.2581673f));
  cursorBar->setColor(Color3B::RED);
  cursorBar->setVisibilityCosmetic(true);  // its blink tells a screen reader nothing new
  cursorBar->setPosition(Vec2(kLeftMargin, kExpressionY));
  addChild(cursorBar, 1);
  buildKeys();
  registerKeyboard();
  describeCalculator(this);
  scheduleUpdate();
  return true;
}

void MainLayer::paintBackground() {
  const int index = backgroundIndex(UserDefault::getInstance()->getIntegerForKey(kKeyBgix, kDefaultBgix));
  backgroundSprite = addColorRect(this, bgColors[index], 800, Vec2(400, 640), 1280, 0);
  // A window of another shape shows the background colour around the design area too.
  const Color3B& c = bgColors[index];
  Director::getInstance()->setLetterboxColor(Color4B(c.r, c.g, c.b, 255));
}

void MainLayer::buildPanel() {
  for (const PanelRect& r : kPanel) addColorRect(this, r.color, r.width, r.centre, r.height, 1);
}

void MainLayer::buildTape() {
  tapeView = ui::ScrollView::create();
  tapeView->setContentSize(Size(753.125f, 369.436249f));
  tapeView->setBounceEnabled(false);
  tapeView->setDirection(ui::ScrollView::Direction::BOTH);
  tapeView->setPosition(Vec2(15.625f, 894.938721f));
  tapeView->setInnerContainerSize(Size(3012.5f, 1231.45422f));
  tapeView->scrollToBottomLeft(0, false);
  addChild(tapeView, 1);
}

void MainLayer::buildExpressionLine() {
  // A disabled scroll view only clips the line: the editor scrolls the text itself.
  auto* clip = ui::ScrollView::create();
  clip->setContentSize(Size(737.5f, kLineHeight));
  clip->setBounceEnabled(false);
  clip->setDirection(ui::ScrollView::Direction::HORIZONTAL);
  clip->setPosition(Vec2(kLeftMargin, 833.366028f));
  clip->setInnerContainerSize(Size(737.5f, kLineHeight));
  clip->scrollToBottomLeft(0, false);
  clip->setEnabled(false);
  addChild(clip, 1);
  exprLabel = addLabel(clip, "", Vec2(0, 30.7863541f), 48, Color3B::BLACK, 0);
  exprLabel->setAnchorPoint(Vec2::ANCHOR_MIDDLE_LEFT);
}

void MainLayer::fillTapeFromHistory() {
  double y = 30.7863541;
  for (int i = 0; i < kTapeLines; ++i) {
    historyTape[i] = addLabel(tapeView, "", Vec2(7.8125f, static_cast<float>(y)), 48, Color3B::BLACK, 0);
    historyTape[i]->setAnchorPoint(Vec2::ANCHOR_MIDDLE_LEFT);
    if (static_cast<std::size_t>(i) < history.size()) {
      if (i % 2 == 0) {
        historyTape[i]->setString("=" + *history[i]);
      } else {
        historyTape[i]->setSharedString(history[i]);
      }
    }
    y += kTapeLineStep;
  }
}

void MainLayer::onEnterTransitionDidFinish() {
  Layer::onEnterTransitionDidFinish();
  if (memoryPicked && !memoryTransfer.empty()) insertText(memoryTransfer);
  memoryPicked = false;
  if (backgroundSprite) {
    backgroundSprite->removeFromParentAndCleanup(true);
    backgroundSprite = nullptr;
  }
  paintBackground();
}

void MainLayer::playKeySound() {
  if (UserDefault::getInstance()->getIntegerForKey(kKeySoundEffect, kDefaultSoundEffect) != 0) {
    CocosDenshion::SimpleAudioEngine::getInstance()->playEffect("button45.mp3", false, 1.0f, 0.0f, 1.0f);
  }
}
