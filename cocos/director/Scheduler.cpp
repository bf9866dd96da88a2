#include "cocos/director/Scheduler.h"

#include <algorithm>

#include "cocos/2d/Node.h"

namespace cocos2d {

void Scheduler::scheduleUpdate(Node* target) {
  if (!target || isUpdateScheduled(target)) return;
  _updates.push_back({target, false});
}

bool Scheduler::isUpdateScheduled(const Node* target) const {
  return std::any_of(_updates.begin(), _updates.end(),
                     [target](const UpdateEntry& e) { return e.target == target && !e.dead; });
}

void Scheduler::unscheduleAllForTarget(const Node* target) {
  for (auto& e : _updates) {
    if (e.target == target) e.dead = true;
  }
  if (!_inUpdate) purgeDead();
}

void Scheduler::unscheduleAll() {
  for (auto& e : _updates) e.dead = true;
  if (!_inUpdate) purgeDead();
}

void Scheduler::purgeDead() {
  _updates.erase(std::remove_if(_updates.begin(), _updates.end(), [](const UpdateEntry& e) { return e.dead; }),
                 _updates.end());
}

void Scheduler::update(float dt) {
  if (_inUpdate) return;  // a nested frame from inside an update would run entries twice
  _inUpdate = true;
  // Indexes, not iterators: updates may schedule nodes, which reallocates the vector.
  const std::size_t updateCount = _updates.size();
  for (std::size_t i = 0; i < updateCount; ++i) {
    if (_updates[i].dead) continue;
    Node* target = _updates[i].target;
    if (!target->isRunning()) continue;
    target->retain();
    target->update(dt);
    target->release();
  }
  _inUpdate = false;
  purgeDead();
}

}  // namespace cocos2d
