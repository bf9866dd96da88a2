// The message box's button sets, captions, result codes and Escape key, and the memory
// screen's rows, on the real headless backend.
#include <string>
#include <vector>

#include "CalculatorFixture.h"
#include "screens/MemoryLayer.h"
#include "screens/MessageBox.h"

using namespace cocos2d;

namespace {

struct Button {
  float x;
  MenuItem* item;
};

// The box's buttons, left to right.
std::vector<Button> buttonsOf(CMessageBox* box) {
  std::vector<Button> buttons;
  for (Node* child : box->getChildren()) {
    auto* menu = dynamic_cast<Menu*>(child);
    if (!menu) continue;
    for (Node* node : menu->getChildren()) {
      if (auto* item = dynamic_cast<MenuItem*>(node)) buttons.push_back({item->getPositionX(), item});
    }
  }
  return buttons;
}

class Dialog : public CalculatorTest {
 protected:
  CMessageBox* open(int type, const char* extra, int japanese) {
    UserDefault::getInstance()->setIntegerForKey("langJpn", japanese);
    CMessageBox::title = "Title";
    CMessageBox::message = "Body";
    CMessageBox::buttonType = type;
    CMessageBox::extraButtonLabel = extra;
    CMessageBox* box = CMessageBox::create();
    box->setCallback([this](int code) { codes.push_back(code); });
    calc->addChild(box, 4);
    return box;
  }
  void TearDown() override { UserDefault::getInstance()->setIntegerForKey("langJpn", 0); }
  std::vector<int> codes;
};

TEST_F(Dialog, ButtonSetsCaptionsPlacesAndCodes) {
  struct Case {
    int type;
    const char* extra;
    int japanese;
    std::vector<std::string> captions;
    std::vector<float> fractions;
    std::vector<int> codes;
  };
  const std::vector<Case> cases = {
      {5, nullptr, 0, {"Yes", "No", "After"}, {0.25f, 0.5f, 0.75f}, {1, 0, 2}},
      {5, nullptr, 1, {"はい", "いいえ", "後で"}, {0.25f, 0.5f, 0.75f}, {1, 0, 2}},
      {4, nullptr, 0, {"Yes", "No"}, {0.33f, 0.67f}, {1, 0}},
      {4, "Later", 1, {"はい", "いいえ", "Later"}, {0.25f, 0.5f, 0.75f}, {1, 0, 6}},
      {3, nullptr, 1, {"OK"}, {0.5f}, {3}},
      {0, "ignored", 0, {"OK"}, {0.5f}, {3}},
  };
  for (const Case& c : cases) {
    codes.clear();
    CMessageBox* box = open(c.type, c.extra, c.japanese);
    EXPECT_EQ(box->getButtonCaptions(), c.captions) << c.type;
    const std::vector<Button> buttons = buttonsOf(box);
    ASSERT_EQ(buttons.size(), c.fractions.size());
    for (std::size_t i = 0; i < buttons.size(); ++i) {
      EXPECT_FLOAT_EQ(buttons[i].x, 800 * c.fractions[i]);
      EXPECT_FLOAT_EQ(buttons[i].item->getScaleX() * buttons[i].item->getContentSize().width, 160);
      buttons[i].item->activate();
    }
    EXPECT_EQ(codes, c.codes) << c.type;
    box->removeFromParentAndCleanup(true);
  }
}

TEST_F(Dialog, EscapeAnswersNoAndEveryReportConsumesTheMessage) {
  CMessageBox* box = open(3, nullptr, 0);
  Director::getInstance()->getOpenGLView()->injectKey(EventKeyboard::KeyCode::KEY_ESCAPE, true);
  Director::getInstance()->getOpenGLView()->injectKey(EventKeyboard::KeyCode::KEY_ESCAPE, false);
  EXPECT_EQ(codes, std::vector<int>{0});
  EXPECT_EQ(CMessageBox::message, "");
  box->removeFromParentAndCleanup(true);
  // A second box without a new message has an empty body: 160 wide plus nothing.
  CMessageBox* empty = CMessageBox::create();
  calc->addChild(empty, 4);
  EXPECT_FLOAT_EQ(empty->getBoxRect().size.width, 160);
  empty->removeFromParentAndCleanup(true);
}

TEST_F(Dialog, OwnerMayRemoveTheBoxFromItsCallback) {
  CMessageBox* box = open(3, nullptr, 0);
  box->setCallback([box](int) { box->removeFromParentAndCleanup(true); });
  buttonsOf(box).front().item->activate();  // must not touch the freed box
  SUCCEED();
}

TEST(MemoryRows, RowUnderAPoint) {
  const std::vector<std::pair<float, int>> cases = {
      {1160.625f, -1}, {1200, -1}, {1160.6f, 0}, {1108.5625f, 0}, {1056.5f, 0}, {1056.49f, 1},
      {640, 4},        {119.375f, 9}, {119.37f, -1}, {0, -1},     {-5, -1},
  };
  for (const auto& [y, row] : cases) EXPECT_EQ(MemoryLayer::rowAt(y), row) << y;
}

}  // namespace
