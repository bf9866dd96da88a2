#include "cocos/accessibility/Accessible.h"

#include <memory>
#include <utility>

#include "cocos/2d/Node.h"

namespace cocos2d::accessibility {
namespace {
// Identities are never reused, so that an assistive technology holding a stale object can
// never reach a newer node through it. 0 stands for the window.
std::uint64_t g_nextId = 1;
}  // namespace

Accessible::Accessible(Role role, std::string name, std::string description)
    : role(role), name(std::move(name)), description(std::move(description)), _id(g_nextId++) {}

Accessible& makeAccessible(Node* node, Role role, std::string name, std::string description) {
  auto accessible = std::make_unique<Accessible>(role, std::move(name), std::move(description));
  Accessible& result = *accessible;
  node->setAccessible(std::move(accessible));
  return result;
}

}  // namespace cocos2d::accessibility
