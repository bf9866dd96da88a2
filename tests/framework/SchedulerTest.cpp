// Callbacks due once after a delay: they run on the first frame at or after their time on the
// director's clock, a key scheduled again starts its wait over, and the event-driven loop is
// asked to wake up for the next one.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/framework/FrameworkTestSupport.h"

namespace pemtrix_test {
namespace {

class CoreScheduler : public CoreTest {
 protected:
  void SetUp() override {
    CoreTest::SetUp();
    director()->setVirtualClock(true);
    runScene();
  }
  void TearDown() override {
    director()->setVirtualClock(false);
    CoreTest::TearDown();
  }

  Scheduler* scheduler() { return director()->getScheduler(); }
  // Schedules a callback that notes its name and the seconds it waited.
  void schedule(const std::string& name, void* target, float delay, const std::string& key = "k") {
    scheduler()->scheduleOnce([this, name](float waited) { ran.push_back(name + " " + std::to_string(waited)); },
                              target, delay, key);
  }

  std::vector<std::string> ran;
  int targetA = 0, targetB = 0;
};

// At 60 frames a second, half a second is exactly 30 frames on the virtual clock.
TEST_F(CoreScheduler, ACallbackRunsOnceOnTheFrameItIsDue) {
  schedule("a", &targetA, 0.5f);
  frames(29);
  EXPECT_TRUE(ran.empty());
  EXPECT_TRUE(scheduler()->isScheduled("k", &targetA));
  frames(1);
  EXPECT_EQ(ran, std::vector<std::string>{"a 0.500000"});
  EXPECT_FALSE(scheduler()->isScheduled("k", &targetA));
  frames(60);
  EXPECT_EQ(ran.size(), 1u);
}

TEST_F(CoreScheduler, SchedulingAKeyAgainStartsItsWaitOverAndOthersKeepTheirs) {
  struct Step {
    int framesBefore;
    const char* name;
    void* target;
    const char* key;
    float delay;
  };
  const Step steps[] = {
      {0, "a", &targetA, "k", 0.5f},
      {0, "b", &targetB, "k", 0.5f},   // another target, the same key
      {0, "c", &targetA, "j", 0.25f},  // the same target, another key
      {20, "a2", &targetA, "k", 0.5f}, // replaces a, due 30 frames from now
  };
  for (const Step& s : steps) {
    frames(s.framesBefore);
    schedule(s.name, s.target, s.delay, s.key);
  }
  frames(29);  // frame 49 since the start
  EXPECT_EQ(ran, (std::vector<std::string>{"c 0.250000", "b 0.500000"}));
  frames(1);
  EXPECT_EQ(ran.back(), "a2 0.500000");
  EXPECT_EQ(ran.size(), 3u) << "the replaced callback never runs";
}

TEST_F(CoreScheduler, UnscheduledAndResetCallbacksNeverRun) {
  schedule("a", &targetA, 0.1f);
  schedule("b", &targetB, 0.1f);
  scheduler()->unschedule("k", &targetA);
  scheduler()->unschedule("other", &targetB);  // no such key: nothing happens
  frames(10);
  EXPECT_EQ(ran, std::vector<std::string>{"b 0.100000"});
  schedule("c", &targetA, 0.1f);
  director()->reset();
  director()->setVirtualClock(true);
  frames(20);
  EXPECT_EQ(ran.size(), 1u) << "a reset lets every callback go";
}

TEST_F(CoreScheduler, CallbacksMayScheduleAndUnscheduleDuringThePass) {
  scheduler()->scheduleOnce(
      [this](float) {
        ran.push_back("first");
        scheduler()->unschedule("k", &targetB);  // due in the same frame, yet taken back
        schedule("again", &targetA, 0, "k");     // runs on the next frame
      },
      &targetA, 0.1f, "k");
  schedule("b", &targetB, 0.1f);
  frames(6);
  EXPECT_EQ(ran, std::vector<std::string>{"first"});
  frames(1);
  EXPECT_EQ(ran, (std::vector<std::string>{"first", "again 0.016667"}));
}

TEST_F(CoreScheduler, TheLoopIsAskedToWakeUpForTheNextOne) {
  const std::uint64_t now = director()->getClockTicks100ns();
  schedule("late", &targetA, 2);
  schedule("early", &targetB, 0.5f);
  EXPECT_EQ(director()->getRequestedUpdateTicks(), now + 5000000);
  frames(1);  // every frame asks afresh
  EXPECT_EQ(director()->getRequestedUpdateTicks(), now + 5000000);
  frames(30);
  EXPECT_EQ(director()->getRequestedUpdateTicks(), now + 20000000) << "the early one ran";
}

}  // namespace
}  // namespace pemtrix_test
