#include "screens/MemoryLayer.h"

#include <cmath>
#include <new>

#include "cocos/base/Create.h"
#include "cocos/services/store/UserDefault.h"
#include "screens/AccessibleScreens.h"
#include "screens/MemoryHandOver.h"
#include "screens/SettingsVocabulary.h"
#include "screens/UiHelpers.h"

using namespace cocos2d;

namespace {
constexpr double kListBottom = 119.375;
constexpr double kListTop = 1160.625;
constexpr double kRowHeight = 104.125;

float rowCentreY(int row) { return static_cast<float>(kListBottom + (9 - row + 0.5) * kRowHeight); }
}  // namespace

MemoryLayer* MemoryLayer::create() { return initAndAutorelease(new (std::nothrow) MemoryLayer(), &MemoryLayer::init); }

MemoryLayer::~MemoryLayer() = default;

int MemoryLayer::rowAt(float y) {
  if (!(y >= kListBottom) || y >= kListTop) return -1;
  return 9 - static_cast<int>(std::trunc((y - kListBottom) / kRowHeight));
}

bool MemoryLayer::init() {
  if (!Layer::init()) return false;
  memoryPicked = false;
  _highlight = nullptr;

  addChild(LayerColor::create(Color4B(240, 244, 195, 255), 800, 1280), 0);
  auto* back = Menu::create(createBackButton([](Ref*) { Director::getInstance()->popScene(); }), nullptr);
  back->setPosition(Vec2::ZERO);
  addChild(back);
  _title = memoryStoreMode ? "set to Memory" : "get from Memory";
  addLabel(this, _title, Vec2(400, 1225.625f), 48, Color3B::BLACK, 0);
  addColorRect(this, Color3B::WHITE, 800, Vec2(400, 640), 1041.25f, 0);

  auto* lines = DrawNode::create(2);
  for (int n = 9; n >= 0; --n) {
    const float y = static_cast<float>(kListBottom + n * kRowHeight);
    lines->drawSegment(Vec2(0, y), Vec2(800, y), 0.8f, Color4F(0.75f, 0.75f, 0.75f, 0.8f));
  }
  addChild(lines, 0);

  UserDefault* store = UserDefault::getInstance();
  _valueLabels.clear();
  double y = 1108.5625;
  for (int slot = 1; slot <= kMemorySlots; ++slot, y -= kRowHeight) {
    const Vec2 captionAt(187.5f, static_cast<float>(y));
    Label* caption = addLabel(this, "Mem" + std::to_string(slot) + ":", captionAt, 40, Color3B::BLACK, 2);
    caption->setAnchorPoint(Vec2::ANCHOR_MIDDLE_RIGHT);
    Label* value = addLabel(this, store->getStringForKey(memoryKey(slot).c_str()), Vec2(197.5f, static_cast<float>(y)),
                            40, Color3B::BLACK, 2);
    value->setAnchorPoint(Vec2::ANCHOR_MIDDLE_LEFT);
    _valueLabels.push_back(value);
  }
  describeMemoryScreen(this, _title, _valueLabels);

  auto* touches = EventListenerTouchOneByOne::create();
  touches->onTouchBegan = [this](Touch* t, Event* e) { return onTouchBegan(t, e); };
  touches->onTouchMoved = [this](Touch* t, Event* e) { onTouchMoved(t, e); };
  touches->onTouchEnded = [this](Touch* t, Event* e) { onTouchEnded(t, e); };
  // A touch the system cancels drops its highlight and acts on nothing.
  touches->onTouchCancelled = [this](Touch*, Event*) {
    dropHighlight();
    _selectedRow = -1;
  };
  getEventDispatcher()->addEventListenerWithSceneGraphPriority(touches, this);

  auto* keys = EventListenerKeyboard::create();
  keys->onKeyReleased = [](EventKeyboard::KeyCode code, Event*) {
    if (code == EventKeyboard::KeyCode::KEY_ESCAPE) Director::getInstance()->popScene();
  };
  getEventDispatcher()->addEventListenerWithSceneGraphPriority(keys, this);
  return true;
}

std::vector<std::string> MemoryLayer::getValues() const {
  std::vector<std::string> values;
  for (Label* label : _valueLabels) values.push_back(label->getString());
  return values;
}

void MemoryLayer::showHighlight(int row) {
  if (_highlight) {
    _highlight->setPosition(Vec2(400, rowCentreY(row)));
  } else {
    _highlight = addColorRect(this, Color3B(224, 224, 224), 800, Vec2(400, rowCentreY(row)),
                              static_cast<float>(kRowHeight), 1);
  }
}

void MemoryLayer::dropHighlight() {
  if (_highlight) {
    _highlight->removeFromParentAndCleanup(true);
    _highlight = nullptr;
  }
}

bool MemoryLayer::onTouchBegan(Touch* touch, Event*) {
  _selectedRow = rowAt(touch->getLocation().y);
  if (_selectedRow >= 0) showHighlight(_selectedRow);
  return true;
}

void MemoryLayer::onTouchMoved(Touch* touch, Event*) {
  const int row = rowAt(touch->getLocation().y);
  if (row == _selectedRow) return;
  if (row < 0) dropHighlight();
  else showHighlight(row);
  _selectedRow = row;
}

void MemoryLayer::onTouchEnded(Touch*, Event*) {
  if (_selectedRow < 0) return;
  dropHighlight();
  pickRow(_selectedRow);
}

Rect MemoryLayer::rowRect(int row) {
  return Rect(0, static_cast<float>(kListBottom + (9 - row) * kRowHeight), 800, static_cast<float>(kRowHeight));
}

void MemoryLayer::pickRow(int row) {
  if (row < 0 || row >= static_cast<int>(_valueLabels.size())) return;
  Label* label = _valueLabels[static_cast<std::size_t>(row)];
  if (memoryStoreMode) {
    UserDefault::getInstance()->setStringForKey(memoryKey(row + 1).c_str(), memoryTransfer);
    label->setString(memoryTransfer);
  } else {
    memoryTransfer = label->getString();
    memoryPicked = true;
    Director::getInstance()->popScene();
  }
}
