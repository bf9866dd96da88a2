#include "screens/MessageBox.h"

#include <new>

#include "cocos/base/Create.h"
#include "cocos/services/store/UserDefault.h"
#include "screens/AccessibleScreens.h"
#include "screens/SettingsVocabulary.h"

using namespace cocos2d;

std::string CMessageBox::title;
std::string CMessageBox::message;
int CMessageBox::buttonType = 3;
const char* CMessageBox::extraButtonLabel = nullptr;

namespace {
constexpr int kDimZ = 200, kBoxZ = 205, kTextZ = 210, kCaptionZ = 212;
}

CMessageBox* CMessageBox::create() { return initAndAutorelease(new (std::nothrow) CMessageBox(), &CMessageBox::init); }

CMessageBox::~CMessageBox() = default;

bool CMessageBox::init() {
  if (!Layer::init()) return false;
  const Size visible = Director::getInstance()->getVisibleSize();
  const Vec2 origin = Director::getInstance()->getVisibleOrigin();
  const float W = visible.width, H = visible.height;
  const bool japanese = UserDefault::getInstance()->getIntegerForKey(kKeyLangJpn, kDefaultLangJpn) != 0;

  _titleText = title;
  _bodyText = message;
  _messageLabel = Label::createWithSystemFont(message, "Meiryo", 34, Size::ZERO, TextHAlignment::CENTER,
                                              TextVAlignment::TOP);
  _messageLabel->setColor(Color3B::BLACK);
  addChild(_messageLabel, kTextZ);
  const Size body = _messageLabel->getContentSize();
  const float boxW = body.width + 160, boxH = body.height + 250;
  const float bx = origin.x + (W - boxW) / 2, by = origin.y + (H - boxH) / 2;
  _boxRect = Rect(bx, by, boxW, boxH);
  _buttonY = by + 60;
  _messageLabel->setPosition(Vec2(W / 2, by + 150 + body.height / 2));

  auto* dim = LayerColor::create(Color4B(0, 0, 0, 160), W, H);
  dim->setPosition(Vec2::ZERO);
  addChild(dim, kDimZ);
  auto* panel = LayerColor::create(Color4B::WHITE, boxW, boxH);
  panel->setPosition(Vec2(bx, by));
  addChild(panel, kBoxZ);
  auto* bar = LayerColor::create(Color4B(56, 142, 60, 255), boxW, 40);
  bar->setPosition(Vec2(bx, by + boxH - 40));
  addChild(bar, kBoxZ);
  auto* titleLabel = Label::createWithSystemFont(title, "Arial", 28, Size::ZERO, TextHAlignment::LEFT,
                                                 TextVAlignment::TOP);
  titleLabel->setPosition(Vec2(W / 2, by + boxH - 20));
  addChild(titleLabel, kTextZ);

  auto button = [this](int code) {
    return MenuItemImage::create("button-white.png", "button-pushed.png", [this, code](Ref*) { report(code); });
  };
  const char* yes = japanese ? "はい" : "Yes";
  const char* no = japanese ? "いいえ" : "No";
  const char* after = japanese ? "後で" : "After";
  std::vector<MenuItem*> items;
  auto place = [&](float fraction, int code, const std::string& caption) {
    MenuItem* item = button(code);
    addButton(W * fraction, item, caption);
    items.push_back(item);
  };
  if (buttonType == 5) {
    place(0.25f, kYes, yes);
    place(0.5f, kNo, no);
    place(0.75f, kAfter, after);
  } else if (buttonType == 4 && extraButtonLabel) {
    place(0.25f, kYes, yes);
    place(0.5f, kNo, no);
    place(0.75f, kExtra, extraButtonLabel);
  } else if (buttonType == 4) {
    place(0.33f, kYes, yes);
    place(0.67f, kNo, no);
  } else {
    place(0.5f, kOk, "OK");
  }
  auto* menu = Menu::createWithArray(items);
  menu->setPosition(Vec2::ZERO);
  addChild(menu, kTextZ);
  describeMessageBox(this, _messageLabel, items, _captions);

  auto* keys = EventListenerKeyboard::create();
  keys->onKeyReleased = [this](EventKeyboard::KeyCode code, Event*) {
    if (code == EventKeyboard::KeyCode::KEY_ESCAPE) report(kNo);
  };
  getEventDispatcher()->addEventListenerWithSceneGraphPriority(keys, this);
  return true;
}

void CMessageBox::addButton(float x, MenuItem* item, const std::string& caption) {
  item->setPosition(Vec2(x, _buttonY));
  const Size size = item->getContentSize();
  if (size.width > 0 && size.height > 0) item->setScale(160 / size.width, 60 / size.height);
  auto* label = Label::createWithSystemFont(caption, "Arial", 24, Size::ZERO, TextHAlignment::LEFT,
                                            TextVAlignment::TOP);
  label->setColor(Color3B::BLACK);
  label->setPosition(Vec2(x, _buttonY));
  addChild(label, kCaptionZ);
  _captions.push_back(caption);
}

void CMessageBox::report(int code) {
  // The owner usually removes the box from inside the callback; the box and the callable
  // being run must outlive the call.
  retain();
  const std::function<void(int)> callback = _callback;
  if (callback) callback(code);
  message.clear();
  release();
}
