#include "cocos/director/Scheduler.h"

#include <algorithm>
#include <utility>

#include "cocos/2d/Node.h"
#include "cocos/director/Director.h"

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
  _timers.clear();
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
  runDueTimers();
}

void Scheduler::scheduleOnce(const std::function<void(float)>& callback, void* target, float delay,
                             const std::string& key) {
  unschedule(key, target);
  if (!callback) return;
  Director* director = Director::getInstance();
  Timer timer;
  timer.callback = callback;
  timer.target = target;
  timer.key = key;
  timer.id = _nextTimerId++;
  timer.scheduledAt = director->getClockTicks100ns();
  const double ticks = std::max(0.0, static_cast<double>(delay)) * 1e7;
  timer.dueAt = timer.scheduledAt + static_cast<std::uint64_t>(std::min(ticks, 1e18));
  director->requestUpdateAt(timer.dueAt);
  _timers.push_back(std::move(timer));
}

void Scheduler::unschedule(const std::string& key, void* target) {
  _timers.erase(std::remove_if(_timers.begin(), _timers.end(),
                               [&](const Timer& t) { return t.target == target && t.key == key; }),
                _timers.end());
}

bool Scheduler::isScheduled(const std::string& key, void* target) const {
  return std::any_of(_timers.begin(), _timers.end(), [&](const Timer& t) { return t.target == target && t.key == key; });
}

void Scheduler::runDueTimers() {
  if (_timers.empty()) return;
  Director* director = Director::getInstance();
  const std::uint64_t now = director->getClockTicks100ns();
  // One at a time, each taken out before it runs: a callback may unschedule one that is due as
  // well, or schedule others, which wait for the next frame.
  const std::uint64_t scheduledBefore = _nextTimerId;
  for (;;) {
    const auto due = std::find_if(_timers.begin(), _timers.end(),
                                  [&](const Timer& t) { return t.id < scheduledBefore && t.dueAt <= now; });
    if (due == _timers.end()) break;
    Timer timer = std::move(*due);
    _timers.erase(due);
    timer.callback(static_cast<float>(static_cast<double>(now - timer.scheduledAt) / 1e7));
  }
  // The loop sleeps until the next one is due; each frame asks afresh.
  for (const Timer& t : _timers) director->requestUpdateAt(t.dueAt);
}

}  // namespace cocos2d
