#include "cocos/accessibility/Accessibility.h"

#include <cstdio>
#include <memory>
#include <utility>
#include <vector>

#include "cocos/2d/Node.h"
#include "cocos/2d/Scene.h"
#include "cocos/accessibility/Bridge.h"
#include "cocos/accessibility/BusProbe.h"
#include "cocos/accessibility/TreeBuilder.h"
#include "cocos/accessibility/TreeDiff.h"
#include "cocos/director/Director.h"
#include "cocos/services/ModuleLoader.h"
#include "cocos/window/GLView.h"

namespace cocos2d::accessibility {
namespace {

class Publisher final : public BridgeHost {
 public:
  std::string applicationName = "cocos2d application";
  bool wanted = false;

  void frameDrawn(Scene* scene) {
    if (!_bridge) {
      if (_tried) return;
      _tried = true;  // once per session, whatever the outcome
      if (!start()) return;
    }
    sync(scene);
  }

  void announce(const std::string& message) {
    if (_bridge && !message.empty()) _announcements.push_back(message);
  }

  void stop() {
    if (_bridge) {
      // The backend may already be gone with the window; then nobody waits on the source.
      if (Director* director = Director::peekInstance()) {
        if (backend::Backend* backend = director->getBackend()) {
          backend->window().removeWaitSource(_bridge->waitSource());
        }
      }
      _bridge->stop();
      _bridge.reset();
    }
    _published = Snapshot();
    _announcements.clear();
    _tried = false;
    wanted = false;
  }

  bool press(std::uint64_t id) override {
    Director* director = Director::getInstance();
    Node* node = findPressableNode(director->getRunningScene(), id);
    if (!node) return false;
    node->retain();
    pressNode(node);
    node->release();
    // Anything the press changed is drawn, and so published, by the next frame.
    director->setNeedsRedraw();
    return true;
  }

  bool windowScreenPosition(int& x, int& y) override {
    backend::Backend* backend = Director::getInstance()->getBackend();
    if (backend) return backend->window().windowScreenPosition(x, y);
    x = y = 0;
    return false;
  }

 private:
  bool start() {
    Director* director = Director::getInstance();
    backend::Backend* backend = director->getBackend();
    if (!backend || backend->window().isHeadless() || GLView::isHeadless()) return false;
    if (!accessibilityBusPresent(backend->desktop())) return false;
    using Factory = Bridge* (*)();
    std::string error;
    void* entry = findModuleEntry("PEMTRIX_ACCESSIBILITY_MODULE", "libpemtrix-a11y.so",
                                  "pemtrixCreateAccessibilityBridge", error);
    if (entry) _bridge.reset(reinterpret_cast<Factory>(entry)());
    if (_bridge && !_bridge->start(this, applicationName, error)) _bridge.reset();
    if (!_bridge) {
      // A listener is there but cannot be served: worth one line, once.
      std::fprintf(stderr, "accessibility: not published: %s\n", error.c_str());
      return false;
    }
    backend->window().addWaitSource(_bridge->waitSource());
    return true;
  }

  void sync(Scene* scene) {
    GLView* view = Director::getInstance()->getOpenGLView();
    if (!view) return;
    const WindowGeometry window{view->getViewName(), view->getFrameSize(), view->getDesignToWindowTransform()};
    Snapshot now = buildSnapshot(scene, window);
    const TreeDelta delta = diffTrees(_published, now);
    if (!delta.empty()) _bridge->publish(now, delta);
    _published = std::move(now);
    std::vector<std::string> announcements;
    announcements.swap(_announcements);
    for (const std::string& message : announcements) _bridge->announce(message);
  }

  std::unique_ptr<Bridge> _bridge;
  Snapshot _published;
  std::vector<std::string> _announcements;
  bool _tried = false;
};

Publisher& publisher() {
  static Publisher instance;
  return instance;
}

}  // namespace

void setApplicationName(const std::string& name) { publisher().applicationName = name; }

Session::Session() { publisher().wanted = true; }

Session::~Session() { publisher().stop(); }

void frameDrawn(Scene* scene) {
  Publisher& p = publisher();
  if (p.wanted) p.frameDrawn(scene);
}

void announce(const std::string& message) { publisher().announce(message); }

}  // namespace cocos2d::accessibility
