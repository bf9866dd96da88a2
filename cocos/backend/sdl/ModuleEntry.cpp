// The module's only exported symbol: the engine finds it by name after loading the module.
#include "cocos/backend/sdl/SdlBackend.h"

extern "C" __attribute__((visibility("default"))) cocos2d::backend::Backend* pemtrixCreateBackend() {
  return new cocos2d::backend::sdl::SdlBackend();
}
