// A node that calls a function at each of its per-frame updates, for tests that need something
// done every frame.
#pragma once

#include <functional>
#include <utility>

#include "cocos/2d/Node.h"

namespace pemtrix_test {

class Ticker : public cocos2d::Node {
 public:
  static Ticker* create(std::function<void(float)> tick) {
    auto* ticker = new Ticker(std::move(tick));
    ticker->scheduleUpdate();
    ticker->autorelease();
    return ticker;
  }
  void update(float dt) override { _tick(dt); }

 private:
  explicit Ticker(std::function<void(float)> tick) : _tick(std::move(tick)) {}
  std::function<void(float)> _tick;
};

}  // namespace pemtrix_test
