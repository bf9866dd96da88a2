#include "cocos/base/AutoreleasePool.h"

#include "cocos/base/Ref.h"

namespace cocos2d {

AutoreleasePool* AutoreleasePool::getInstance() {
  static AutoreleasePool pool;
  return &pool;
}

void AutoreleasePool::addObject(Ref* object) { _objects.push_back(object); }

void AutoreleasePool::clear() {
  while (!_objects.empty()) {
    std::vector<Ref*> batch;
    batch.swap(_objects);
    for (Ref* object : batch) object->release();
  }
}

}  // namespace cocos2d
