// Pressing: the one action of a button or a list item, which the engine performs as a tap
// (or, on a list item, a double tap) would.
#include "cocos/accessibility/Bridge.h"
#include "cocos/backend/atk/AccessibleObject.h"

namespace cocos2d::accessibility::atk {
namespace {

// The names screen readers and scripts look for: buttons are clicked, list items activated.
constexpr const char* kPress = "click";
constexpr const char* kActivate = "activate";

const char* actionNameOf(const ObjectData& data) { return data.node.role == Role::ListItem ? kActivate : kPress; }

gboolean doAction(AtkAction* action, gint index) {
  ObjectData* data = dataOf(action);
  if (index != 0 || !data || !data->host) return FALSE;
  return data->host->press(data->node.id) ? TRUE : FALSE;
}

gint actionCount(AtkAction* action) {
  const ObjectData* data = dataOf(action);
  return data && data->node.hasAction ? 1 : 0;
}

const gchar* actionName(AtkAction* action, gint index) {
  const ObjectData* data = dataOf(action);
  return index == 0 && data ? actionNameOf(*data) : nullptr;
}

const gchar* actionDescription(AtkAction* action, gint index) {
  const ObjectData* data = dataOf(action);
  return index == 0 && data ? data->node.description.c_str() : nullptr;
}

}  // namespace

void initActionInterface(AtkActionIface* iface) {
  iface->do_action = doAction;
  iface->get_n_actions = actionCount;
  iface->get_name = actionName;
  iface->get_localized_name = actionName;
  iface->get_description = actionDescription;
}

}  // namespace cocos2d::accessibility::atk
