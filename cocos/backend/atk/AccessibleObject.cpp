#include "cocos/backend/atk/AccessibleObject.h"

#include <algorithm>

namespace cocos2d::accessibility::atk {
namespace {

AtkRole atkRole(const ObjectData& data) {
  switch (data.kind) {
    case ObjectKind::Window:
      return ATK_ROLE_FRAME;
    case ObjectKind::Announcer:
      return ATK_ROLE_NOTIFICATION;
    case ObjectKind::Node:
      break;
  }
  switch (data.node.role) {
    case Role::Panel: return ATK_ROLE_PANEL;
    case Role::PushButton: return ATK_ROLE_PUSH_BUTTON;
    case Role::Entry: return ATK_ROLE_ENTRY;
    case Role::List: return ATK_ROLE_LIST;
    case Role::ListItem: return ATK_ROLE_LIST_ITEM;
    case Role::Label: return ATK_ROLE_LABEL;
    case Role::Alert: return ATK_ROLE_ALERT;
  }
  return ATK_ROLE_UNKNOWN;
}

}  // namespace
}  // namespace cocos2d::accessibility::atk

// --- the GObject types. Plain C structs, as GObject lays out and zeroes instances itself.

using cocos2d::accessibility::atk::ObjectData;

extern "C" {

struct PemtrixAccessible {
  AtkObject parent;
  ObjectData* data;  // null once withdrawn
};
struct PemtrixAccessibleClass {
  AtkObjectClass parent_class;
};

struct PemtrixButton {
  PemtrixAccessible parent;
};
struct PemtrixButtonClass {
  PemtrixAccessibleClass parent_class;
};

struct PemtrixText {
  PemtrixAccessible parent;
};
struct PemtrixTextClass {
  PemtrixAccessibleClass parent_class;
};

// Text that can be acted on: a list item whose line goes into the expression.
struct PemtrixActiveText {
  PemtrixAccessible parent;
};
struct PemtrixActiveTextClass {
  PemtrixAccessibleClass parent_class;
};

struct PemtrixWindow {
  PemtrixAccessible parent;
};
struct PemtrixWindowClass {
  PemtrixAccessibleClass parent_class;
};

struct PemtrixApplication {
  AtkObject parent;
  AtkObject* window;  // a reference
};
struct PemtrixApplicationClass {
  AtkObjectClass parent_class;
};

}  // extern "C"

namespace {

using namespace cocos2d::accessibility;
using namespace cocos2d::accessibility::atk;

void componentInit(AtkComponentIface* iface) { initComponentInterface(iface); }
void actionInit(AtkActionIface* iface) { initActionInterface(iface); }
void textInit(AtkTextIface* iface) { initTextInterface(iface); }
// The window interface has only signals (activate, create ...), which the bridge relays.
void windowInit(AtkWindowIface*) {}

G_DEFINE_TYPE_WITH_CODE(PemtrixAccessible, pemtrix_accessible, ATK_TYPE_OBJECT,
                        G_IMPLEMENT_INTERFACE(ATK_TYPE_COMPONENT, componentInit))
G_DEFINE_TYPE_WITH_CODE(PemtrixButton, pemtrix_button, pemtrix_accessible_get_type(),
                        G_IMPLEMENT_INTERFACE(ATK_TYPE_ACTION, actionInit))
G_DEFINE_TYPE_WITH_CODE(PemtrixText, pemtrix_text, pemtrix_accessible_get_type(),
                        G_IMPLEMENT_INTERFACE(ATK_TYPE_TEXT, textInit))
G_DEFINE_TYPE_WITH_CODE(PemtrixActiveText, pemtrix_active_text, pemtrix_accessible_get_type(),
                        G_IMPLEMENT_INTERFACE(ATK_TYPE_TEXT, textInit) G_IMPLEMENT_INTERFACE(ATK_TYPE_ACTION, actionInit))
G_DEFINE_TYPE_WITH_CODE(PemtrixWindow, pemtrix_window, pemtrix_accessible_get_type(),
                        G_IMPLEMENT_INTERFACE(ATK_TYPE_WINDOW, windowInit))
G_DEFINE_TYPE(PemtrixApplication, pemtrix_application, ATK_TYPE_OBJECT)

ObjectData* dataOfInstance(gpointer object) {
  if (!object || !G_TYPE_CHECK_INSTANCE_TYPE(object, pemtrix_accessible_get_type())) return nullptr;
  return reinterpret_cast<PemtrixAccessible*>(object)->data;
}

gint accessibleChildCount(AtkObject* object) {
  const ObjectData* data = dataOfInstance(object);
  return data ? static_cast<gint>(data->children.size()) : 0;
}

AtkObject* accessibleChild(AtkObject* object, gint index) {
  const ObjectData* data = dataOfInstance(object);
  if (!data || index < 0 || static_cast<std::size_t>(index) >= data->children.size()) return nullptr;
  return ATK_OBJECT(g_object_ref(data->children[static_cast<std::size_t>(index)]));
}

gint accessibleIndexInParent(AtkObject* object) {
  AtkObject* parent = atk_object_get_parent(object);
  if (const ObjectData* parentData = dataOfInstance(parent)) {
    const auto& siblings = parentData->children;
    const auto it = std::find(siblings.begin(), siblings.end(), object);
    return it == siblings.end() ? -1 : static_cast<gint>(it - siblings.begin());
  }
  // The window, under the application.
  return parent ? 0 : -1;
}

AtkStateSet* accessibleStates(AtkObject* object) {
  AtkStateSet* set = atk_state_set_new();
  const ObjectData* data = dataOfInstance(object);
  if (!data) {
    atk_state_set_add_state(set, ATK_STATE_DEFUNCT);
    return set;
  }
  const std::uint32_t states = data->node.states;
  if (data->kind == ObjectKind::Announcer) {
    // Showing only while it has something to say: that is what makes a reader speak it.
    if (states & kShowing) {
      atk_state_set_add_state(set, ATK_STATE_VISIBLE);
      atk_state_set_add_state(set, ATK_STATE_SHOWING);
    }
    return set;
  }
  atk_state_set_add_state(set, ATK_STATE_VISIBLE);
  if (states & kShowing) atk_state_set_add_state(set, ATK_STATE_SHOWING);
  if (states & kEnabled) {
    atk_state_set_add_state(set, ATK_STATE_ENABLED);
    atk_state_set_add_state(set, ATK_STATE_SENSITIVE);
  }
  if (states & kFocusable) atk_state_set_add_state(set, ATK_STATE_FOCUSABLE);
  if (states & kFocused) atk_state_set_add_state(set, ATK_STATE_FOCUSED);
  if (states & kEditable) {
    atk_state_set_add_state(set, ATK_STATE_EDITABLE);
    atk_state_set_add_state(set, ATK_STATE_SINGLE_LINE);
  }
  if (data->kind == ObjectKind::Window) atk_state_set_add_state(set, ATK_STATE_ACTIVE);
  return set;
}

void pemtrix_accessible_class_init(PemtrixAccessibleClass* klass) {
  AtkObjectClass* object = ATK_OBJECT_CLASS(klass);
  object->get_n_children = accessibleChildCount;
  object->ref_child = accessibleChild;
  object->get_index_in_parent = accessibleIndexInParent;
  object->ref_state_set = accessibleStates;
}
void pemtrix_accessible_init(PemtrixAccessible* self) { self->data = nullptr; }

void pemtrix_button_class_init(PemtrixButtonClass*) {}
void pemtrix_button_init(PemtrixButton*) {}
void pemtrix_text_class_init(PemtrixTextClass*) {}
void pemtrix_text_init(PemtrixText*) {}
void pemtrix_active_text_class_init(PemtrixActiveTextClass*) {}
void pemtrix_active_text_init(PemtrixActiveText*) {}
void pemtrix_window_class_init(PemtrixWindowClass*) {}
void pemtrix_window_init(PemtrixWindow*) {}

gint applicationChildCount(AtkObject* object) {
  return reinterpret_cast<PemtrixApplication*>(object)->window ? 1 : 0;
}

AtkObject* applicationChild(AtkObject* object, gint index) {
  AtkObject* window = reinterpret_cast<PemtrixApplication*>(object)->window;
  return index == 0 && window ? ATK_OBJECT(g_object_ref(window)) : nullptr;
}

void applicationDispose(GObject* object) {
  auto* self = reinterpret_cast<PemtrixApplication*>(object);
  g_clear_object(&self->window);
  G_OBJECT_CLASS(pemtrix_application_parent_class)->dispose(object);
}

void pemtrix_application_class_init(PemtrixApplicationClass* klass) {
  G_OBJECT_CLASS(klass)->dispose = applicationDispose;
  AtkObjectClass* object = ATK_OBJECT_CLASS(klass);
  object->get_n_children = applicationChildCount;
  object->ref_child = applicationChild;
}
void pemtrix_application_init(PemtrixApplication* self) { self->window = nullptr; }

}  // namespace

namespace cocos2d::accessibility::atk {

AtkObject* newAccessibleObject(ObjectData* data) {
  GType type = pemtrix_accessible_get_type();
  if (data->kind == ObjectKind::Window) type = pemtrix_window_get_type();
  else if (data->kind == ObjectKind::Node && data->node.hasAction && data->node.hasText) type = pemtrix_active_text_get_type();
  else if (data->kind == ObjectKind::Node && data->node.hasAction) type = pemtrix_button_get_type();
  else if (data->kind == ObjectKind::Node && data->node.hasText) type = pemtrix_text_get_type();
  auto* object = static_cast<PemtrixAccessible*>(g_object_new(type, nullptr));
  object->data = data;
  AtkObject* atkObject = ATK_OBJECT(object);
  atk_object_set_role(atkObject, atkRole(*data));
  atk_object_set_name(atkObject, data->node.name.c_str());
  atk_object_set_description(atkObject, data->node.description.c_str());
  return atkObject;
}

AtkObject* newApplicationObject(const std::string& name, AtkObject* window) {
  auto* application = static_cast<PemtrixApplication*>(g_object_new(pemtrix_application_get_type(), nullptr));
  application->window = ATK_OBJECT(g_object_ref(window));
  AtkObject* object = ATK_OBJECT(application);
  atk_object_set_role(object, ATK_ROLE_APPLICATION);
  atk_object_set_name(object, name.c_str());
  atk_object_set_parent(window, object);
  return object;
}

ObjectData* dataOf(gpointer object) { return dataOfInstance(object); }

void withdrawObject(AtkObject* object) {
  if (!G_TYPE_CHECK_INSTANCE_TYPE(object, pemtrix_accessible_get_type())) return;
  reinterpret_cast<PemtrixAccessible*>(object)->data = nullptr;
  atk_object_notify_state_change(object, ATK_STATE_DEFUNCT, TRUE);
}

}  // namespace cocos2d::accessibility::atk
