#include "screens/SettingsLayer.h"

#include <new>

#include "cocos/base/Create.h"
#include "cocos/services/store/UserDefault.h"
#include "screens/AccessibleScreens.h"
#include "screens/SettingsVocabulary.h"
#include "screens/UiHelpers.h"

using namespace cocos2d;

namespace {
bool japanese() { return UserDefault::getInstance()->getIntegerForKey(kKeyLangJpn, kDefaultLangJpn) != 0; }
}  // namespace

SettingsLayer* SettingsLayer::create() {
  return initAndAutorelease(new (std::nothrow) SettingsLayer(), &SettingsLayer::init);
}

SettingsLayer::~SettingsLayer() = default;

bool SettingsLayer::init() {
  if (!Layer::init()) return false;
  _swatch = nullptr;
  addChild(LayerColor::create(Color4B(205, 237, 200, 255), 800, 1280), 0);
  addLabel(this, "Settings", Vec2(400, 1225.625f), 48, Color3B::BLACK, 0);
  auto* back = Menu::create(createBackButton([](Ref*) { Director::getInstance()->popScene(); }), nullptr);
  back->setPosition(Vec2::ZERO);
  addChild(back);

  _langItem = createRow("", &_langLabel, [this](Ref*) {
    UserDefault* store = UserDefault::getInstance();
    store->setIntegerForKey(kKeyLangJpn, store->getIntegerForKey(kKeyLangJpn, kDefaultLangJpn) == 0 ? 1 : 0);
    updateAllLabels();
  });
  _bgItem = createRow("", &_bgLabel, [this](Ref*) {
    UserDefault* store = UserDefault::getInstance();
    const int next = store->getIntegerForKey(kKeyBgix, kDefaultBgix) + 1;
    store->setIntegerForKey(kKeyBgix, next >= kBackgroundCount || next < 0 ? 0 : next);
    updateBgLabel();
  });
  _soundItem = createRow("", &_soundLabel, [this](Ref*) {
    toggle(kKeySoundEffect, kDefaultSoundEffect);
    updateSoundLabel();
  });
  _commaItem = createRow("", &_commaLabel, [this](Ref*) {
    toggle(kKeyCommaSep, kDefaultCommaSep);
    updateCommaLabel();
  });
  _fallItem = createRow("", &_fallLabel, [this](Ref*) {
    toggle(kKeyFallingChar, kDefaultFallingChar);
    updateFallLabel();
  });
  auto* rows = Menu::create(_langItem, _bgItem, _soundItem, _commaItem, _fallItem, nullptr);
  rows->alignItemsVertically();
  addChild(rows);
  updateAllLabels();
  describeSettingsScreen(this, {{_langItem, _langLabel}, {_bgItem, _bgLabel}, {_soundItem, _soundLabel},
                                {_commaItem, _commaLabel}, {_fallItem, _fallLabel}});

  auto* keys = EventListenerKeyboard::create();
  keys->onKeyReleased = [](EventKeyboard::KeyCode code, Event*) {
    if (code == EventKeyboard::KeyCode::KEY_ESCAPE) Director::getInstance()->popScene();
  };
  getEventDispatcher()->addEventListenerWithSceneGraphPriority(keys, this);
  return true;
}

MenuItemImage* SettingsLayer::createRow(const std::string& caption, Label** label, const ccMenuCallback& callback) {
  auto* item = MenuItemImage::create("white-800x90.png", "white-800x90-pushed.png", callback);
  Label* text = Label::createWithSystemFont(caption, "Arial", 36, Size::ZERO, TextHAlignment::LEFT, TextVAlignment::TOP);
  text->setAnchorPoint(Vec2::ANCHOR_MIDDLE_LEFT);
  text->setPosition(Vec2(42, item->getContentSize().height / 2));
  text->setColor(Color3B::BLACK);
  item->addChild(text);
  *label = text;
  return item;
}

void SettingsLayer::toggle(const char* key, int defaultValue) {
  UserDefault* store = UserDefault::getInstance();
  store->setIntegerForKey(key, store->getIntegerForKey(key, defaultValue) == 0 ? 1 : 0);
}

void SettingsLayer::updateAllLabels() {
  updateLangLabel();
  updateBgLabel();
  updateSoundLabel();
  updateCommaLabel();
  updateFallLabel();
}

void SettingsLayer::updateLangLabel() {
  _langLabel->setString(japanese() ? "【日本語】 / English" : "日本語 / 【English】");
}

void SettingsLayer::updateBgLabel() {
  const int index = backgroundIndex(UserDefault::getInstance()->getIntegerForKey(kKeyBgix, kDefaultBgix));
  _bgLabel->setString(std::string(japanese() ? "背景色: " : "BG Color: ") + bgColorNames[index]);
  Vec2 at = _bgLabel->getPosition();
  at.x = 710;
  if (_swatch) _swatch->removeFromParentAndCleanup(true);
  _swatch = Sprite::create();
  _swatch->setTextureRect(Rect(0, 0, 120, 60));
  _swatch->setColor(bgColors[index]);
  _swatch->setPosition(at);
  _bgItem->addChild(_swatch, 0);
}

void SettingsLayer::updateSwitchLabel(Label* label, const char* key, const char* japaneseName, const char* englishName) {
  const bool on = UserDefault::getInstance()->getIntegerForKey(key, 1) != 0;
  label->setString(std::string(japanese() ? japaneseName : englishName) + (on ? "ON" : "OFF"));
}

void SettingsLayer::updateSoundLabel() { updateSwitchLabel(_soundLabel, kKeySoundEffect, "効果音: ", "Sound Effect: "); }
void SettingsLayer::updateCommaLabel() { updateSwitchLabel(_commaLabel, kKeyCommaSep, "3桁区切り: ", "Comma Separated: "); }
void SettingsLayer::updateFallLabel() { updateSwitchLabel(_fallLabel, kKeyFallingChar, "削除文字落下: ", "Erased Chars Fall: "); }

std::vector<std::string> SettingsLayer::getCaptions() const {
  return {_langLabel->getString(), _bgLabel->getString(), _soundLabel->getString(), _commaLabel->getString(),
          _fallLabel->getString()};
}

int SettingsLayer::countSwatches() const {
  int count = 0;
  for (Node* child : _bgItem->getChildren()) {
    const bool itemImage = child == _bgItem->getNormalImage() || child == _bgItem->getSelectedImage();
    if (!itemImage && dynamic_cast<Sprite*>(child)) ++count;
  }
  return count;
}
