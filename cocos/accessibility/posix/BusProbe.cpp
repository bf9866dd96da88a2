#include "cocos/accessibility/BusProbe.h"

#include <cstdlib>
#include <cstring>

#include "cocos/accessibility/SessionBus.h"
#include "cocos/backend/Desktop.h"

namespace cocos2d::accessibility {
namespace {
// A local bus answers in well under a millisecond; a wedged one must not stall the window.
constexpr int kSessionBusTimeoutMs = 200;
}  // namespace

bool accessibilityBusPresent(backend::Desktop& desktop) {
  if (const char* off = std::getenv("NO_AT_BRIDGE"); off && std::strcmp(off, "1") == 0) return false;
  if (const char* address = std::getenv("AT_SPI_BUS_ADDRESS"); address && *address) return true;
  if (!desktop.accessibilityBusAddress().empty()) return true;
  const std::string session = sessionBusAddress();
  return !session.empty() && busNameHasOwner(session, "org.a11y.Bus", kSessionBusTimeoutMs);
}

}  // namespace cocos2d::accessibility
