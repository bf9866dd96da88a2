// The bridge on ATK and the AT-SPI bridge library: keeps one ATK object per published node
// under the window and the application, turns each change of the published tree into the ATK
// signals that the AT-SPI bridge relays to screen readers, and speaks announcements through a
// notification object.
#pragma once

#include <atk/atk.h>

#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

#include "cocos/accessibility/Bridge.h"
#include "cocos/backend/atk/AccessibleObject.h"
#include "cocos/backend/atk/MainContextSource.h"

namespace cocos2d::accessibility::atk {

class AtkBridge final : public Bridge {
 public:
  AtkBridge() = default;
  ~AtkBridge() override;

  bool start(BridgeHost* host, const std::string& applicationName, std::string& error) override;
  backend::WaitSource* waitSource() override { return _source.get(); }
  void publish(const Snapshot& tree, const TreeDelta& delta) override;
  void announce(const std::string& message) override;
  void stop() override;

  // Tells listeners that the window is there and active, and where the focus is: once the
  // AT-SPI bridge has listeners to tell, which happens some time after start.
  void presentWindow();

 private:
  ObjectData* find(std::uint64_t id);
  void createObject(const PublishedNode& node);
  // Brings a parent's children to the wanted list, with an event for each child that goes
  // or comes (none when the parent itself is new: listeners read its children when it comes).
  void setChildren(ObjectData& parent, const std::vector<AtkObject*>& wanted, bool tell);
  void applyChange(const NodeChange& change, const PublishedNode& now);
  void releaseAll();

  BridgeHost* _host = nullptr;
  std::unique_ptr<MainContextSource> _source;
  ObjectData _window;
  ObjectData _announcer;
  AtkObject* _application = nullptr;
  std::unordered_map<std::uint64_t, std::unique_ptr<ObjectData>> _objects;
  std::uint64_t _focused = kWindowId;
  bool _bridgeStarted = false;
};

}  // namespace cocos2d::accessibility::atk
