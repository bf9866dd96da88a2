// Double taps told from single taps and drags, by time, distance, target and movement.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "screens/DoubleTap.h"

using cocos2d::Vec2;

namespace {

constexpr std::uint64_t kMs = 10000;  // clock ticks of 100 ns

struct Touch {
  std::uint64_t time;
  Vec2 at;
  int target;
  Vec2 end;  // where it is released (moving there on the way)
};

TEST(DoubleTap, TwoQuickNearTapsOnOneTargetWithoutADrag) {
  struct Case {
    const char* what;
    std::vector<Touch> touches;
    std::vector<int> results;  // of each release
  };
  const Vec2 p(100, 100);
  const std::vector<Case> cases = {
      {"two taps", {{0, p, 3, p}, {100 * kMs, p, 3, p}}, {-1, 3}},
      {"half a second apart", {{0, p, 3, p}, {500 * kMs, p, 3, p}}, {-1, 3}},
      {"a little more", {{0, p, 3, p}, {500 * kMs + 1, p, 3, p}}, {-1, -1}},
      {"other targets", {{0, p, 3, p}, {100 * kMs, p, 4, p}}, {-1, -1}},
      {"no target", {{0, p, -1, p}, {100 * kMs, p, -1, p}}, {-1, -1}},
      {"a second tap a little away", {{0, p, 3, p}, {100 * kMs, Vec2(112, 116), 3, Vec2(112, 116)}}, {-1, 3}},
      {"a second tap too far", {{0, p, 3, p}, {100 * kMs, Vec2(121, 100), 3, Vec2(121, 100)}}, {-1, -1}},
      {"a first touch dragged", {{0, p, 3, Vec2(100, 130)}, {100 * kMs, p, 3, p}}, {-1, -1}},
      {"a second touch dragged", {{0, p, 3, p}, {100 * kMs, p, 3, Vec2(100, 130)}}, {-1, -1}},
      {"a drag between", {{0, p, 3, p}, {50 * kMs, p, 3, Vec2(160, 100)}, {100 * kMs, p, 3, p}}, {-1, -1, -1}},
      {"a third tap starts afresh", {{0, p, 3, p}, {100 * kMs, p, 3, p}, {200 * kMs, p, 3, p}}, {-1, 3, -1}},
      {"a slow pair, then a quick third", {{0, p, 3, p}, {900 * kMs, p, 3, p}, {1000 * kMs, p, 3, p}}, {-1, -1, 3}},
  };
  for (const Case& c : cases) {
    DoubleTap taps;
    std::vector<int> results;
    for (const Touch& t : c.touches) {
      taps.began(t.time, t.at, t.target);
      taps.moved(t.end);
      results.push_back(taps.ended(t.end));
    }
    EXPECT_EQ(results, c.results) << c.what;
  }
}

TEST(DoubleTap, ACancelledTouchIsNoTap) {
  DoubleTap taps;
  taps.began(0, Vec2(10, 10), 1);
  EXPECT_EQ(taps.ended(Vec2(10, 10)), -1);
  taps.began(kMs, Vec2(10, 10), 1);
  taps.cancelled();
  taps.began(2 * kMs, Vec2(10, 10), 1);
  EXPECT_EQ(taps.ended(Vec2(10, 10)), -1);
}

}  // namespace
