// Menus: which item a touch reaches, what it shows while held, when its callback fires, and
// the vertical layout.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/framework/FrameworkTestSupport.h"

namespace pemtrix_test {
namespace {

class CoreMenu : public CoreTest {
 protected:
  void SetUp() override {
    CoreTest::SetUp();
    for (const char* name : {"a.png", "a-pushed.png", "b.png", "b-pushed.png"}) addImage(name, 100, 60);
    scene = runScene();
  }

  // An item whose callback logs its name.
  MenuItemImage* item(const std::string& name) {
    return MenuItemImage::create(name + ".png", name + "-pushed.png",
                                 [this, name](Ref*) { journal.push_back(name); });
  }

  static bool showsSelectedImage(MenuItemImage* i) {
    return i->getSelectedImage()->isVisible() && !i->getNormalImage()->isVisible();
  }

  Scene* scene = nullptr;
};

// The menu sits at the centre (400, 640); items at its origin cover (350..450, 610..670).

TEST_F(CoreMenu, OfTwoStackedItemsOnlyTheVisibleOneFires) {
  MenuItemImage* a = item("a");
  MenuItemImage* b = item("b");
  b->setVisible(false);  // b is on top, but hidden
  scene->addChild(Menu::create(a, b, nullptr));
  tap(400, 640);
  EXPECT_EQ(journal, (std::vector<std::string>{"a"}));
  a->setVisible(false);
  b->setVisible(true);
  tap(400, 640);
  EXPECT_EQ(journal, (std::vector<std::string>{"a", "b"}));
}

TEST_F(CoreMenu, TheSelectionFollowsTheFingerAndReleaseFiresWhatIsUnderIt) {
  MenuItemImage* a = item("a");
  MenuItemImage* b = item("b");
  b->setPosition(0, 100);
  scene->addChild(Menu::create(a, b, nullptr));
  view->injectTouch(TouchPhase::BEGAN, Vec2(400, 640));
  EXPECT_TRUE(showsSelectedImage(a));
  view->injectTouch(TouchPhase::MOVED, Vec2(600, 640));  // off every item
  EXPECT_FALSE(showsSelectedImage(a));
  view->injectTouch(TouchPhase::MOVED, Vec2(400, 740));  // onto b
  EXPECT_TRUE(showsSelectedImage(b));
  view->injectTouch(TouchPhase::ENDED, Vec2(400, 740));
  EXPECT_FALSE(showsSelectedImage(b));
  EXPECT_EQ(journal, (std::vector<std::string>{"b"}));
}

TEST_F(CoreMenu, ReleasingAwayFromTheItemFiresNothing) {
  MenuItemImage* a = item("a");
  scene->addChild(Menu::create(a, nullptr));
  struct Case {
    const char* what;
    bool drag;
  };
  for (const Case& c : {Case{"dragged off", true}, Case{"released elsewhere", false}}) {
    view->injectTouch(TouchPhase::BEGAN, Vec2(400, 640));
    if (c.drag) view->injectTouch(TouchPhase::MOVED, Vec2(400, 900));
    view->injectTouch(TouchPhase::ENDED, Vec2(400, 900));
    EXPECT_TRUE(journal.empty()) << c.what;
    EXPECT_FALSE(showsSelectedImage(a)) << c.what;
  }
}

TEST_F(CoreMenu, DisabledOrHiddenMenusClaimNothing) {
  struct Case {
    const char* what;
    bool menuEnabled, parentVisible;
  };
  const Case cases[] = {
      {"menu disabled", false, true},
      {"menu's parent hidden", true, false},
  };
  for (const Case& c : cases) {
    Node* holder = Node::create();
    scene->addChild(holder);
    MenuItemImage* a = item("a");
    Menu* menu = Menu::create(a, nullptr);
    holder->addChild(menu);
    menu->setEnabled(c.menuEnabled);
    holder->setVisible(c.parentVisible);
    // A listener behind everything learns whether the touch got past the menu.
    Node* back = Node::create();
    holder->addChild(back, -1);
    auto* behind = EventListenerTouchOneByOne::create();
    bool reachedBehind = false;
    behind->onTouchBegan = [&reachedBehind](Touch*, Event*) {
      reachedBehind = true;
      return false;
    };
    director()->getEventDispatcher()->addEventListenerWithSceneGraphPriority(behind, back);
    journal.clear();
    tap(400, 640);
    EXPECT_TRUE(journal.empty()) << c.what;
    EXPECT_TRUE(reachedBehind) << c.what;
    holder->removeFromParentAndCleanup(true);
  }
}

TEST_F(CoreMenu, AlignItemsVerticallyStacksAroundTheCentre) {
  addImage("wide.png", 800, 90);
  std::vector<MenuItem*> items;
  for (int i = 0; i < 5; ++i) items.push_back(MenuItemImage::create("wide.png", "wide.png", nullptr));
  Menu* menu = Menu::createWithArray(items);
  scene->addChild(menu);
  menu->alignItemsVertically();
  const float expected[] = {830, 735, 640, 545, 450};
  for (int i = 0; i < 5; ++i) {
    const Vec2 centre = items[i]->convertToWorldSpace(Vec2(400, 45));
    EXPECT_FLOAT_EQ(centre.x, 400) << i;
    EXPECT_FLOAT_EQ(centre.y, expected[i]) << i;
  }
  // Scaled items take their scaled height.
  items[0]->setScale(1, 2);
  menu->alignItemsVertically();
  EXPECT_FLOAT_EQ(items[0]->getPositionY(), 190);  // H = 560, top at 280, 90 tall scaled twice
  EXPECT_FLOAT_EQ(items[1]->getPositionY(), 50);
}

TEST_F(CoreMenu, ACallbackMayRemoveItsOwnMenu) {
  Menu* menu = Menu::create();
  auto* a = MenuItemImage::create("a.png", "a-pushed.png", [this, &menu](Ref* sender) {
    journal.push_back(static_cast<MenuItemImage*>(sender)->getNormalImageFileName());
    menu->removeFromParentAndCleanup(true);
  });
  menu->addChild(a);
  scene->addChild(menu);
  frames(1);  // the menu now lives only through the scene
  tap(400, 640);
  EXPECT_EQ(journal, (std::vector<std::string>{"a.png"}));
  EXPECT_TRUE(scene->getChildren().empty());
  tap(400, 640);
  EXPECT_EQ(journal.size(), 1u);
}

TEST_F(CoreMenu, ItemsTakeTheirNormalImageSize) {
  MenuItemImage* a = item("a");
  EXPECT_EQ(a->getContentSize(), Size(100, 60));
  EXPECT_EQ(a->getNormalImageFileName(), "a.png");
  MenuItemImage* missing = MenuItemImage::create("nowhere.png", "nowhere.png", nullptr);
  EXPECT_EQ(missing->getContentSize(), Size(0, 0));
}

}  // namespace
}  // namespace pemtrix_test
