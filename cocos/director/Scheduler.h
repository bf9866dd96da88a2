// Calls the per-frame update of scheduled nodes, and callbacks due once after a delay. A node's
// update is paused while the node is not running; everything is safe against updates and
// callbacks that schedule, unschedule or remove nodes during the pass.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "cocos/base/Ref.h"

namespace cocos2d {

class Node;

class Scheduler : public Ref {
 public:
  Scheduler() = default;
  ~Scheduler() override = default;

  // Calls target->update(dt) once per frame; scheduling the same node twice does nothing.
  void scheduleUpdate(Node* target);
  void unscheduleAllForTarget(const Node* target);
  // Every update and every callback.
  void unscheduleAll();

  // Calls the callback once, `delay` seconds from now on the director's clock: on the first
  // frame at or after then, which an event-driven loop wakes up for. The callback gets the
  // seconds since it was scheduled. Scheduling a key that is still pending for the target
  // replaces it and starts its wait over (a callback that waits for quiet).
  void scheduleOnce(const std::function<void(float)>& callback, void* target, float delay, const std::string& key);
  void unschedule(const std::string& key, void* target);
  bool isScheduled(const std::string& key, void* target) const;

  // One frame: the updates, in the order they were scheduled, then the callbacks that are
  // due. Nodes scheduled during the pass start on the next frame.
  void update(float dt);

 private:
  struct UpdateEntry {
    Node* target = nullptr;
    bool dead = false;
  };
  bool isUpdateScheduled(const Node* target) const;
  void purgeDead();

  struct Timer {
    std::function<void(float)> callback;
    void* target = nullptr;
    std::string key;
    std::uint64_t id = 0;  // in the order they were scheduled
    std::uint64_t scheduledAt = 0, dueAt = 0;  // director clock ticks (100 ns)
  };
  void runDueTimers();

  std::vector<UpdateEntry> _updates;
  std::vector<Timer> _timers;
  std::uint64_t _nextTimerId = 0;
  bool _inUpdate = false;
};

}  // namespace cocos2d
