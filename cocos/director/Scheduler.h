// Calls the per-frame update of scheduled nodes. A node's update is paused while the node is
// not running; everything is safe against updates that schedule, unschedule or remove nodes
// during the pass.
#pragma once

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
  void unscheduleAll();

  // One frame: the updates, in the order they were scheduled. Nodes scheduled during the
  // pass start on the next frame.
  void update(float dt);

 private:
  struct UpdateEntry {
    Node* target = nullptr;
    bool dead = false;
  };
  bool isUpdateScheduled(const Node* target) const;
  void purgeDead();

  std::vector<UpdateEntry> _updates;
  bool _inUpdate = false;
};

}  // namespace cocos2d
