// Publishing the running scene to assistive technologies (screen readers) while the window is
// open: after the first drawn frame, if an accessibility bus is there, the accessibility module
// is loaded, and from then on each drawn frame brings the published tree in step with the
// scene. Every visible change leads to a drawn frame, so nothing else needs watching.
#pragma once

#include <string>

namespace cocos2d {
class Scene;
}

namespace cocos2d::accessibility {

// The application's name as assistive technologies list it.
void setApplicationName(const std::string& name);

// The span of the window's loop: the tree is published from the first frame drawn within it
// (when there is a bus to publish on) and withdrawn at its end.
class Session {
 public:
  Session();
  ~Session();
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;
};

// The director calls this after drawing each frame.
void frameDrawn(Scene* scene);

// Has a screen reader speak the message once, after the frame that shows what it is about;
// nothing happens when nobody listens.
void announce(const std::string& message);

}  // namespace cocos2d::accessibility
