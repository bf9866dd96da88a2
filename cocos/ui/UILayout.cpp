#include "cocos/ui/UILayout.h"

namespace cocos2d {
namespace ui {

Layout* Layout::create() {
  auto* layout = new Layout();
  layout->autorelease();
  return layout;
}

}  // namespace ui
}  // namespace cocos2d
