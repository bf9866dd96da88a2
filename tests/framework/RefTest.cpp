// Reference counting and the autorelease pool: who keeps an object alive, and when it dies.
#include <gtest/gtest.h>

#include "tests/framework/FrameworkTestSupport.h"

namespace pemtrix_test {
namespace {

// Counts destructions so tests can see exactly when an object dies.
class Probe : public Node {
 public:
  static Probe* create(int* deaths) {
    auto* p = new Probe(deaths);
    p->autorelease();
    return p;
  }
  ~Probe() override { ++*_deaths; }

 private:
  explicit Probe(int* deaths) : _deaths(deaths) {}
  int* _deaths;
};

TEST(CoreRef, ReleaseToZeroDeletesAndRetainKeepsAlive) {
  int deaths = 0;
  Probe* p = Probe::create(&deaths);
  p->retain();
  p->retain();
  AutoreleasePool::getInstance()->clear();  // gives up the creator's reference
  p->release();
  EXPECT_EQ(deaths, 0);
  p->release();
  EXPECT_EQ(deaths, 1);
}

TEST(CoreRef, AutoreleasedObjectDiesAtEndOfFrameUnlessAdopted) {
  int deaths = 0;
  Node* parent = Node::create();
  parent->retain();
  Probe::create(&deaths);                     // nobody adopts it
  parent->addChild(Probe::create(&deaths));  // the parent adopts this one
  Director::getInstance()->mainLoop(1.0f / 60);
  EXPECT_EQ(deaths, 1);
  parent->removeChild(parent->getChildren().front());
  EXPECT_EQ(deaths, 2);
  parent->release();
  Director::getInstance()->reset();
}

TEST(CoreRef, RemovalReleasesAndMovingBetweenParentsKeepsAlive) {
  int deaths = 0;
  Node* a = Node::create();
  Node* b = Node::create();
  a->retain();
  b->retain();
  Probe* child = Probe::create(&deaths);
  a->addChild(child);
  AutoreleasePool::getInstance()->clear();  // a alone holds the child now
  b->addChild(child);  // moves: leaves a, joins b
  EXPECT_EQ(deaths, 0);
  EXPECT_EQ(child->getParent(), b);
  EXPECT_TRUE(a->getChildren().empty());
  child->removeFromParentAndCleanup(true);
  EXPECT_EQ(deaths, 1);
  a->release();
  b->release();
}

TEST(CoreRef, DestroyingAParentReleasesItsChildren) {
  int deaths = 0;
  Node* parent = Node::create();
  parent->addChild(Probe::create(&deaths));
  parent->addChild(Probe::create(&deaths));
  AutoreleasePool::getInstance()->clear();  // parent dies, and with it both children
  EXPECT_EQ(deaths, 2);
}

}  // namespace
}  // namespace pemtrix_test
