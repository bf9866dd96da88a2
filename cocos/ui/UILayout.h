// A plain container node of the ui namespace; the scroll view's inner container is one.
#pragma once

#include "cocos/2d/Node.h"

namespace cocos2d {
namespace ui {

class Layout : public Node {
 public:
  static Layout* create();

 protected:
  Layout() = default;
};

}  // namespace ui
}  // namespace cocos2d
