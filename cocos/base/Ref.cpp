#include "cocos/base/Ref.h"

#include <cstdio>
#include <cstdlib>

#include "cocos/base/AutoreleasePool.h"

namespace cocos2d {

Ref::~Ref() = default;

void Ref::retain() { ++_referenceCount; }

void Ref::release() {
  if (_referenceCount == 0) {
    // A release without a matching reference is memory corruption in the making; stop here
    // rather than free the object twice.
    std::fprintf(stderr, "Ref::release: reference count already zero\n");
    std::abort();
  }
  if (--_referenceCount == 0) delete this;
}

Ref* Ref::autorelease() {
  AutoreleasePool::getInstance()->addObject(this);
  return this;
}

}  // namespace cocos2d
