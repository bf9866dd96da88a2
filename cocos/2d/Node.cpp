// The node tree, the life cycle and scheduling; geometry and drawing are in NodeGeometry.cpp.
#include "cocos/2d/Node.h"

#include <algorithm>
#include <utility>

#include "cocos/accessibility/Accessible.h"
#include "cocos/base/Create.h"
#include "cocos/director/Director.h"
#include "cocos/director/EventDispatcher.h"
#include "cocos/director/Scheduler.h"

namespace cocos2d {
namespace {

std::uint64_t g_nextOrderOfArrival = 1;

// A snapshot of the children that stays valid while callbacks add or remove children.
class RetainedChildren {
 public:
  explicit RetainedChildren(const std::vector<Node*>& children) : _nodes(children) {
    for (Node* n : _nodes) n->retain();
  }
  ~RetainedChildren() {
    for (Node* n : _nodes) n->release();
  }
  RetainedChildren(const RetainedChildren&) = delete;
  RetainedChildren& operator=(const RetainedChildren&) = delete;
  const std::vector<Node*>& nodes() const { return _nodes; }

 private:
  std::vector<Node*> _nodes;
};

}  // namespace

Node::Node() = default;

Node::~Node() {
  for (Node* child : _children) {
    child->_parent = nullptr;
    child->release();
  }
  _children.clear();
  // A node deleted without cleanup (never added, or removed with cleanup = false) must not
  // leave dangling entries behind.
  if (Director* director = Director::peekInstance()) {
    director->getScheduler()->unscheduleAllForTarget(this);
    director->getEventDispatcher()->removeEventListenersForTarget(this);
  }
}

Node* Node::create() { return initAndAutorelease(new Node(), &Node::init); }

bool Node::init() { return true; }

void Node::setAccessible(std::unique_ptr<accessibility::Accessible> accessible) { _accessible = std::move(accessible); }

void Node::requestRedraw() { Director::getInstance()->setNeedsRedraw(); }

EventDispatcher* Node::getEventDispatcher() const { return Director::getInstance()->getEventDispatcher(); }

// --- tree

void Node::insertChild(Node* child, int localZOrder) {
  child->_localZOrder = localZOrder;
  child->_orderOfArrival = g_nextOrderOfArrival++;
  // The newcomer arrived last, so it goes after every child with a z-order not above its own.
  auto pos = std::upper_bound(_children.begin(), _children.end(), localZOrder,
                              [](int z, const Node* n) { return z < n->_localZOrder; });
  _children.insert(pos, child);
}

void Node::addChild(Node* child) { addChild(child, child ? child->_localZOrder : 0); }

void Node::addChild(Node* child, int localZOrder) {
  if (!child || child == this) return;
  // This reference becomes the new parent's; taking it first keeps a node that moves between
  // parents alive across its removal from the old one.
  child->retain();
  if (child->_parent) child->_parent->removeChild(child, false);
  child->_parent = this;
  insertChild(child, localZOrder);
  if (_running) {
    child->onEnter();
    if (_isTransitionFinished) child->onEnterTransitionDidFinish();
  }
  requestRedraw();
}

void Node::removeChild(Node* child, bool cleanup) {
  auto it = std::find(_children.begin(), _children.end(), child);
  if (it == _children.end()) return;
  // The child may be removed again by its own exit callbacks; hold it until we are done.
  child->retain();
  if (child->_running) {
    child->onExitTransitionDidStart();
    child->onExit();
  }
  if (cleanup) child->cleanup();
  it = std::find(_children.begin(), _children.end(), child);
  if (it != _children.end()) {
    _children.erase(it);
    child->_parent = nullptr;
    child->release();
  }
  child->release();
  requestRedraw();
}

void Node::removeFromParentAndCleanup(bool cleanup) {
  if (_parent) _parent->removeChild(this, cleanup);
}

// --- life cycle

void Node::onEnter() {
  _isTransitionFinished = false;
  _running = true;
  RetainedChildren snapshot(_children);
  for (Node* child : snapshot.nodes()) {
    if (child->_parent == this && !child->_running) child->onEnter();
  }
}

void Node::onEnterTransitionDidFinish() {
  _isTransitionFinished = true;
  RetainedChildren snapshot(_children);
  for (Node* child : snapshot.nodes()) {
    if (child->_parent == this) child->onEnterTransitionDidFinish();
  }
}

void Node::onExitTransitionDidStart() {
  RetainedChildren snapshot(_children);
  for (Node* child : snapshot.nodes()) {
    if (child->_parent == this) child->onExitTransitionDidStart();
  }
}

void Node::onExit() {
  _running = false;
  RetainedChildren snapshot(_children);
  for (Node* child : snapshot.nodes()) {
    if (child->_parent == this && child->_running) child->onExit();
  }
}

void Node::cleanup() {
  Director::getInstance()->getScheduler()->unscheduleAllForTarget(this);
  getEventDispatcher()->removeEventListenersForTarget(this);
  RetainedChildren snapshot(_children);
  for (Node* child : snapshot.nodes()) child->cleanup();
}

// --- scheduling

void Node::scheduleUpdate() { Director::getInstance()->getScheduler()->scheduleUpdate(this); }

void Node::update(float) {}

}  // namespace cocos2d
