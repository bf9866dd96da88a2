// The pool of objects whose creator's reference is given up at the end of the current frame;
// the director drains it once per frame.
#pragma once

#include <cstddef>
#include <vector>

namespace cocos2d {

class Ref;

class AutoreleasePool {
 public:
  static AutoreleasePool* getInstance();

  void addObject(Ref* object);
  // Releases every pooled object once. Objects autoreleased by destructors while draining are
  // drained too, so the pool is empty afterwards.
  void clear();

 private:
  AutoreleasePool() = default;
  std::vector<Ref*> _objects;
};

}  // namespace cocos2d
