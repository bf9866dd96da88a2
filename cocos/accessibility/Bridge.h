// The meeting point of the engine and the accessibility module (GLib, ATK and the AT-SPI
// bridge), which is loaded at run time only when an accessibility bus is there. The engine
// hands the module each publication of the tree and its changes; the module answers the bus
// from them and calls back into the engine for what must happen in the scene.
#pragma once

#include <cstdint>
#include <string>

#include "cocos/accessibility/PublishedTree.h"
#include "cocos/accessibility/TreeDiff.h"
#include "cocos/backend/Window.h"

namespace cocos2d::accessibility {

// The engine's side, called on the main thread while the loop serves the module's wait source.
class BridgeHost {
 public:
  virtual ~BridgeHost() = default;
  // Presses the published object as a tap would; false when it cannot be pressed now.
  virtual bool press(std::uint64_t id) = 0;
  // Where the window's top-left corner is on the screen; false when unknown.
  virtual bool windowScreenPosition(int& x, int& y) = 0;
};

// The module's side.
class Bridge {
 public:
  virtual ~Bridge() = default;
  // Connects to the accessibility bus and registers the application; false with the reason
  // when it cannot. The host outlives the bridge.
  virtual bool start(BridgeHost* host, const std::string& applicationName, std::string& error) = 0;
  // The events the module waits for (its bus connection), served by the loop.
  virtual backend::WaitSource* waitSource() = 0;
  // The tree as it is now and how it differs from the previous publication (the first one
  // differs from an empty tree).
  virtual void publish(const Snapshot& tree, const TreeDelta& delta) = 0;
  // Has a screen reader speak a message once (a new result).
  virtual void announce(const std::string& message) = 0;
  // Withdraws the application from the bus.
  virtual void stop() = 0;
};

}  // namespace cocos2d::accessibility

// The entry point that the accessibility module exports.
extern "C" cocos2d::accessibility::Bridge* pemtrixCreateAccessibilityBridge();
