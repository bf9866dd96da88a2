#include "cocos/backend/atk/AtkBridge.h"

#include <atk-bridge.h>

#include <algorithm>
#include <cstring>
#include <unordered_set>

namespace cocos2d::accessibility::atk {
namespace {

// ATK asks the toolkit through class functions that take no context: the one bridge of the
// process answers them.
AtkBridge* g_bridge = nullptr;
AtkObject* g_root = nullptr;
guint (*g_defaultAddListener)(GSignalEmissionHook, const gchar*) = nullptr;

AtkObject* rootObject() { return g_root; }
const gchar* toolkitName() { return "PemtrixEngine"; }
const gchar* toolkitVersion() { return "1.0"; }

gboolean presentWindowSoon(gpointer) {
  if (g_bridge) g_bridge->presentWindow();
  return G_SOURCE_REMOVE;
}

// The AT-SPI bridge registers its listeners only when a screen reader or another client
// listens; the window listener coming is the moment to tell them about the window.
guint addListener(GSignalEmissionHook listener, const gchar* eventType) {
  const guint id = g_defaultAddListener ? g_defaultAddListener(listener, eventType) : 0;
  if (eventType && (std::strcmp(eventType, "Atk:AtkWindow:activate") == 0 ||
                    std::strcmp(eventType, "window:activate") == 0)) {
    // After the bridge has registered the rest of its listeners.
    g_idle_add(presentWindowSoon, nullptr);
  }
  return id;
}

void notifyState(AtkObject* object, AtkStateType state, bool on) {
  atk_object_notify_state_change(object, state, on ? TRUE : FALSE);
}

}  // namespace

AtkBridge::~AtkBridge() { stop(); }

bool AtkBridge::start(BridgeHost* host, const std::string& applicationName, std::string& error) {
  _host = host;
  auto* util = ATK_UTIL_CLASS(g_type_class_ref(ATK_TYPE_UTIL));
  util->get_root = rootObject;
  util->get_toolkit_name = toolkitName;
  util->get_toolkit_version = toolkitVersion;
  if (util->add_global_event_listener != addListener) {
    g_defaultAddListener = util->add_global_event_listener;
    util->add_global_event_listener = addListener;
  }

  _window = ObjectData();
  _window.kind = ObjectKind::Window;
  _window.host = host;
  _window.node.states = kEnabled | kShowing;
  _window.object = newAccessibleObject(&_window);
  _announcer = ObjectData();
  _announcer.kind = ObjectKind::Announcer;
  _announcer.host = host;
  _announcer.object = newAccessibleObject(&_announcer);
  atk_object_set_parent(_announcer.object, _window.object);
  _window.children = {_announcer.object};
  _application = newApplicationObject(applicationName, _window.object);
  g_root = _application;
  g_bridge = this;

  _source = std::make_unique<MainContextSource>();
  if (atk_bridge_adaptor_init(nullptr, nullptr) != 0) {
    error = "the AT-SPI bridge could not reach the accessibility bus";
    releaseAll();
    return false;
  }
  _bridgeStarted = true;
  return true;
}

void AtkBridge::stop() {
  if (_bridgeStarted) {
    _bridgeStarted = false;
    atk_bridge_adaptor_cleanup();
  }
  releaseAll();
}

void AtkBridge::releaseAll() {
  for (auto& entry : _objects) {
    withdrawObject(entry.second->object);
    g_object_unref(entry.second->object);
  }
  _objects.clear();
  for (ObjectData* data : {&_announcer, &_window}) {
    if (data->object) {
      withdrawObject(data->object);
      g_object_unref(data->object);
      data->object = nullptr;
    }
    data->children.clear();
  }
  if (_application) g_object_unref(_application);
  _application = nullptr;
  if (g_bridge == this) {
    g_bridge = nullptr;
    g_root = nullptr;
  }
  _source.reset();
  _focused = kWindowId;
}

void AtkBridge::presentWindow() {
  if (!_window.object) return;
  g_signal_emit_by_name(_window.object, "create");
  g_signal_emit_by_name(_window.object, "activate");
  if (ObjectData* focused = find(_focused); focused && focused != &_window) notifyState(focused->object, ATK_STATE_FOCUSED, true);
}

ObjectData* AtkBridge::find(std::uint64_t id) {
  if (id == kWindowId) return &_window;
  const auto it = _objects.find(id);
  return it == _objects.end() ? nullptr : it->second.get();
}

void AtkBridge::createObject(const PublishedNode& node) {
  auto data = std::make_unique<ObjectData>();
  data->node = node;
  data->host = _host;
  data->object = newAccessibleObject(data.get());
  if (ObjectData* parent = find(node.parent)) atk_object_set_parent(data->object, parent->object);
  _objects[node.id] = std::move(data);
}

void AtkBridge::setChildren(ObjectData& parent, const std::vector<AtkObject*>& wanted, bool tell) {
  std::vector<AtkObject*>& children = parent.children;
  if (!tell) {
    children = wanted;
    return;
  }
  const std::unordered_set<AtkObject*> keep(wanted.begin(), wanted.end());
  for (std::size_t i = children.size(); i-- > 0;) {
    if (keep.count(children[i])) continue;
    AtkObject* child = children[i];
    children.erase(children.begin() + static_cast<std::ptrdiff_t>(i));
    g_signal_emit_by_name(parent.object, "children-changed::remove", static_cast<guint>(i), child);
  }
  // What stays must keep its order for the insertions to fit around it; a reordering (which
  // the screens do not make) is told as everything leaving and coming back.
  std::vector<AtkObject*> staying;
  for (AtkObject* child : wanted) {
    if (std::find(children.begin(), children.end(), child) != children.end()) staying.push_back(child);
  }
  if (staying != children) {
    while (!children.empty()) {
      AtkObject* child = children.back();
      children.pop_back();
      g_signal_emit_by_name(parent.object, "children-changed::remove", static_cast<guint>(children.size()), child);
    }
  }
  for (std::size_t j = 0; j < wanted.size(); ++j) {
    if (j < children.size() && children[j] == wanted[j]) continue;
    children.insert(children.begin() + static_cast<std::ptrdiff_t>(j), wanted[j]);
    g_signal_emit_by_name(parent.object, "children-changed::add", static_cast<guint>(j), wanted[j]);
  }
}

void AtkBridge::publish(const Snapshot& tree, const TreeDelta& delta) {
  if (!_window.object) return;
  _window.node.bounds = tree.window;
  if (delta.windowNameChanged) {
    _window.node.name = tree.windowName;
    atk_object_set_name(_window.object, tree.windowName.c_str());
  }

  // Objects that go leave the map now but stay alive until their departure has been told.
  std::vector<std::unique_ptr<ObjectData>> leaving;
  for (std::uint64_t id : delta.removed) {
    const auto it = _objects.find(id);
    if (it == _objects.end()) continue;
    if (_focused == id) _focused = kWindowId;
    leaving.push_back(std::move(it->second));
    _objects.erase(it);
  }
  std::unordered_set<std::uint64_t> fresh;
  for (std::uint64_t id : delta.added) {
    if (const PublishedNode* node = tree.find(id)) {
      createObject(*node);
      fresh.insert(id);
    }
  }

  std::unordered_map<std::uint64_t, std::vector<AtkObject*>> wanted;
  wanted[kWindowId];
  for (const PublishedNode& node : tree.nodes) {
    if (ObjectData* data = find(node.id)) wanted[node.parent].push_back(data->object);
  }
  wanted[kWindowId].push_back(_announcer.object);
  for (std::uint64_t id : fresh) {
    if (ObjectData* data = find(id)) setChildren(*data, wanted[id], false);
  }
  for (std::uint64_t id : delta.childrenChanged) {
    if (ObjectData* data = find(id); data && !fresh.count(id)) setChildren(*data, wanted[id], true);
  }
  for (auto& data : leaving) {
    withdrawObject(data->object);
    g_object_unref(data->object);
  }

  for (const NodeChange& change : delta.changed) {
    if (const PublishedNode* now = tree.find(change.id)) applyChange(change, *now);
  }
  // Bounds are not told, only answered: keep every object's current.
  for (const PublishedNode& node : tree.nodes) {
    if (ObjectData* data = find(node.id)) data->node.bounds = node.bounds;
  }

  if (delta.focusMoved) {
    if (ObjectData* old = find(_focused); old && old != &_window) notifyState(old->object, ATK_STATE_FOCUSED, false);
    _focused = tree.focused;
    if (ObjectData* now = find(_focused); now && now != &_window) notifyState(now->object, ATK_STATE_FOCUSED, true);
  }
}

void AtkBridge::applyChange(const NodeChange& change, const PublishedNode& now) {
  ObjectData* data = find(change.id);
  if (!data) return;
  const PublishedNode before = data->node;
  data->node = now;
  AtkObject* object = data->object;
  if (change.name) atk_object_set_name(object, now.name.c_str());
  if (change.description) atk_object_set_description(object, now.description.c_str());
  const std::uint32_t states = change.states;
  if (states & kEnabled) {
    notifyState(object, ATK_STATE_ENABLED, now.states & kEnabled);
    notifyState(object, ATK_STATE_SENSITIVE, now.states & kEnabled);
  }
  if (states & kShowing) notifyState(object, ATK_STATE_SHOWING, now.states & kShowing);
  if (states & kFocusable) notifyState(object, ATK_STATE_FOCUSABLE, now.states & kFocusable);
  if (states & kEditable) notifyState(object, ATK_STATE_EDITABLE, now.states & kEditable);
  // The focus is told last, after everything else about the tree is in place.
  if (change.text && ATK_IS_TEXT(object)) {
    const TextEdit& edit = change.textEdit;
    if (!edit.removed.empty()) {
      g_signal_emit_by_name(object, "text-remove", edit.position,
                            static_cast<gint>(g_utf8_strlen(edit.removed.c_str(), -1)), edit.removed.c_str());
    }
    if (!edit.inserted.empty()) {
      g_signal_emit_by_name(object, "text-insert", edit.position,
                            static_cast<gint>(g_utf8_strlen(edit.inserted.c_str(), -1)), edit.inserted.c_str());
    }
  }
  if (change.caret && ATK_IS_TEXT(object) && now.caret >= 0 && now.caret != before.caret) {
    g_signal_emit_by_name(object, "text-caret-moved", now.caret);
  }
}

void AtkBridge::announce(const std::string& message) {
  if (!_announcer.object) return;
  _announcer.node.name = message;
  atk_object_set_name(_announcer.object, message.c_str());
  // A notification is spoken when it starts showing: hide it first if it still shows the
  // previous message.
  if (_announcer.node.states & kShowing) notifyState(_announcer.object, ATK_STATE_SHOWING, false);
  _announcer.node.states = kShowing;
  notifyState(_announcer.object, ATK_STATE_SHOWING, true);
}

}  // namespace cocos2d::accessibility::atk
