// A full-screen container node: the size of the visible area, positioned by its bottom-left
// corner. Screens derive from it.
#pragma once

#include "cocos/2d/Node.h"

namespace cocos2d {

class Layer : public Node {
 public:
  static Layer* create();
  bool init() override;

 protected:
  Layer();
};

}  // namespace cocos2d
