// The ATK objects that stand for the published nodes, the window and the application. Each
// reads what it shows from data that the bridge keeps up to date; an object that is withdrawn
// loses its data and answers as defunct to anyone still holding it.
#pragma once

#include <atk/atk.h>

#include <string>
#include <vector>

#include "cocos/accessibility/PublishedTree.h"

namespace cocos2d::accessibility {
class BridgeHost;
}

namespace cocos2d::accessibility::atk {

enum class ObjectKind {
  Node,       // a published node
  Window,     // the frame: the window, parent of the screens
  Announcer,  // a notification that speaks new results
};

struct ObjectData {
  ObjectKind kind = ObjectKind::Node;
  PublishedNode node;  // the window and the announcer use its name, states and bounds
  std::vector<AtkObject*> children;
  AtkObject* object = nullptr;  // the bridge holds one reference
  BridgeHost* host = nullptr;
};

// A new object for the data, of the type that offers what the data can do: an action for
// nodes that can be pressed, text for nodes with text, the window interface for the window.
AtkObject* newAccessibleObject(ObjectData* data);
// The application: the root that the bridge publishes, with the window as its only child.
AtkObject* newApplicationObject(const std::string& name, AtkObject* window);
// The data behind one of our objects; null once withdrawn or for any other object.
ObjectData* dataOf(gpointer object);
// Cuts the object from its data and tells listeners it is defunct.
void withdrawObject(AtkObject* object);

// The interfaces, each in its own file.
void initComponentInterface(AtkComponentIface* iface);
void initActionInterface(AtkActionIface* iface);
void initTextInterface(AtkTextIface* iface);

}  // namespace cocos2d::accessibility::atk
