// The engine's two-step construction, finished in one place for every create function: a
// newly constructed object runs one of its init functions with the arguments; on success the
// creator's reference goes to the autorelease pool, otherwise the object is deleted and null
// is returned.
#pragma once

#include <functional>
#include <utility>

#include "cocos/base/Ref.h"

namespace cocos2d {

// object may be null (a failed allocation); init is a member function of T or of a base.
template <typename T, typename Init, typename... Args>
T* initAndAutorelease(T* object, Init init, Args&&... args) {
  if (object && std::invoke(init, object, std::forward<Args>(args)...)) {
    object->autorelease();
    return object;
  }
  // Through the base: the nodes' own destructors are protected.
  delete static_cast<Ref*>(object);
  return nullptr;
}

}  // namespace cocos2d
