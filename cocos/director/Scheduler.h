// Calls the per-frame update of scheduled nodes and the timed callbacks they registered. A
// node's entries are paused while the node is not running; everything is safe against
// callbacks that schedule, unschedule or remove nodes during the pass.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "cocos/base/Ref.h"

namespace cocos2d {

class Node;

class Scheduler : public Ref {
 public:
  using ccSchedulerFunc = std::function<void(float)>;
  static constexpr unsigned int REPEAT_FOREVER = 0xfffffffe;

  Scheduler() = default;
  ~Scheduler() override = default;

  // Calls target->update(dt) once per frame; scheduling the same node twice does nothing.
  void scheduleUpdate(Node* target);
  void unscheduleUpdate(Node* target);
  bool isUpdateScheduled(const Node* target) const;

  // Calls callback every `interval` seconds (0: every frame), `repeat` more times after the
  // first call (REPEAT_FOREVER: until unscheduled), starting after `delay`. A callback with
  // the same target and key replaces the old one.
  void schedule(const ccSchedulerFunc& callback, Node* target, float interval, unsigned int repeat, float delay,
                const std::string& key);
  void unschedule(const std::string& key, const Node* target);
  bool isScheduled(const std::string& key, const Node* target) const;
  // Removes the update and every callback of the target.
  void unscheduleAllForTarget(const Node* target);
  void unscheduleAll();

  // Timed callbacks count time only while frames run, so any live one needs frames.
  bool hasTimers() const;

  // One frame: updates first, then the timed callbacks, each in the order they were added.
  // Entries added during the pass start on the next frame.
  void update(float dt);

 private:
  struct Timer {
    Node* target = nullptr;
    std::string key;
    ccSchedulerFunc callback;
    float interval = 0;
    float delay = 0;
    float elapsed = 0;
    unsigned int remaining = 0;  // calls left after the next one, unless REPEAT_FOREVER
    bool waitingForDelay = false;
    bool dead = false;
  };
  struct UpdateEntry {
    Node* target = nullptr;
    bool dead = false;
  };
  void purgeDead();

  std::vector<UpdateEntry> _updates;
  std::vector<Timer> _timers;
  bool _inUpdate = false;
};

}  // namespace cocos2d
