// The root of a tree that the director runs: a node the size of the visible area whose
// position is its bottom-left corner.
#pragma once

#include "cocos/2d/Node.h"

namespace cocos2d {

class Scene : public Node {
 public:
  static Scene* create();
  bool init() override;

 protected:
  Scene();
};

}  // namespace cocos2d
