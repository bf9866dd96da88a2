// The sound part of a backend: sound effects, fire and forget.
#pragma once

#include <string>

namespace cocos2d::backend {

class Sound {
 public:
  virtual ~Sound() = default;

  // pan -1 (left) .. 1 (right); gain 0 .. 1. A backend without sound ignores it.
  virtual void playEffect(const std::string& path, bool loop, float pitch, float pan, float gain) = 0;
};

}  // namespace cocos2d::backend
