#include "cocos/director/Scheduler.h"

#include <algorithm>

#include "cocos/2d/Node.h"

namespace cocos2d {

void Scheduler::scheduleUpdate(Node* target) {
  if (!target || isUpdateScheduled(target)) return;
  _updates.push_back({target, false});
}

void Scheduler::unscheduleUpdate(Node* target) {
  for (auto& e : _updates) {
    if (e.target == target) e.dead = true;
  }
  if (!_inUpdate) purgeDead();
}

bool Scheduler::isUpdateScheduled(const Node* target) const {
  return std::any_of(_updates.begin(), _updates.end(),
                     [target](const UpdateEntry& e) { return e.target == target && !e.dead; });
}

void Scheduler::schedule(const ccSchedulerFunc& callback, Node* target, float interval, unsigned int repeat,
                         float delay, const std::string& key) {
  if (!callback) return;
  unschedule(key, target);
  Timer t;
  t.target = target;
  t.key = key;
  t.callback = callback;
  t.interval = interval;
  t.delay = delay;
  t.remaining = repeat;
  t.waitingForDelay = delay > 0;
  _timers.push_back(std::move(t));
}

void Scheduler::unschedule(const std::string& key, const Node* target) {
  for (auto& t : _timers) {
    if (t.target == target && t.key == key) t.dead = true;
  }
  if (!_inUpdate) purgeDead();
}

bool Scheduler::isScheduled(const std::string& key, const Node* target) const {
  return std::any_of(_timers.begin(), _timers.end(),
                     [&](const Timer& t) { return t.target == target && t.key == key && !t.dead; });
}

void Scheduler::unscheduleAllForTarget(const Node* target) {
  for (auto& e : _updates) {
    if (e.target == target) e.dead = true;
  }
  for (auto& t : _timers) {
    if (t.target == target) t.dead = true;
  }
  if (!_inUpdate) purgeDead();
}

void Scheduler::unscheduleAll() {
  for (auto& e : _updates) e.dead = true;
  for (auto& t : _timers) t.dead = true;
  if (!_inUpdate) purgeDead();
}

void Scheduler::purgeDead() {
  _updates.erase(std::remove_if(_updates.begin(), _updates.end(), [](const UpdateEntry& e) { return e.dead; }),
                 _updates.end());
  _timers.erase(std::remove_if(_timers.begin(), _timers.end(), [](const Timer& t) { return t.dead; }),
                _timers.end());
}

bool Scheduler::hasTimers() const {
  for (const Timer& t : _timers) {
    if (!t.dead && (!t.target || t.target->isRunning())) return true;
  }
  return false;
}

void Scheduler::update(float dt) {
  if (_inUpdate) return;  // a nested frame from inside a callback would run entries twice
  _inUpdate = true;
  // Indexes, not iterators: callbacks may append entries, which reallocates the vectors.
  const std::size_t updateCount = _updates.size();
  for (std::size_t i = 0; i < updateCount; ++i) {
    if (_updates[i].dead) continue;
    Node* target = _updates[i].target;
    if (!target->isRunning()) continue;
    target->retain();
    target->update(dt);
    target->release();
  }
  const std::size_t timerCount = _timers.size();
  for (std::size_t i = 0; i < timerCount; ++i) {
    if (_timers[i].dead) continue;
    Node* target = _timers[i].target;
    if (target && !target->isRunning()) continue;
    _timers[i].elapsed += dt;
    if (_timers[i].waitingForDelay) {
      if (_timers[i].elapsed < _timers[i].delay) continue;
      _timers[i].waitingForDelay = false;
    } else if (_timers[i].elapsed < _timers[i].interval) {
      continue;
    }
    const float elapsed = _timers[i].elapsed;
    _timers[i].elapsed = 0;
    const bool last = _timers[i].remaining == 0;
    if (last) {
      _timers[i].dead = true;
    } else if (_timers[i].remaining != REPEAT_FOREVER) {
      --_timers[i].remaining;
    }
    // Copy: the callback may unschedule itself, and the vector may grow under it.
    ccSchedulerFunc callback = _timers[i].callback;
    if (target) target->retain();
    callback(elapsed);
    if (target) target->release();
  }
  _inUpdate = false;
  purgeDead();
}

}  // namespace cocos2d
