// The module's only exported symbol: the engine finds it by name after loading the module.
#include "cocos/backend/atk/AtkBridge.h"

extern "C" __attribute__((visibility("default"))) cocos2d::accessibility::Bridge* pemtrixCreateAccessibilityBridge() {
  return new cocos2d::accessibility::atk::AtkBridge();
}
