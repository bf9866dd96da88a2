// TEMPORARY: the Windows program's backend until cocos/backend/win32/ has its own, listed only
// by cocos/backend/win32/sources.cmake. The null backend runs the modes without a window; a
// window it cannot show, so the windowed mode fails to open one and the program exits with
// status 2 and says why.
#include "cocos/backend/null/NullBackend.h"

namespace cocos2d::backend::null {
namespace {

// The null window for headless runs; asked for a real window, it opens none.
class HeadlessOnlyWindow final : public NullWindow {
 public:
  bool openWindow(WindowOptions& options) override {
    return options.headless && NullWindow::openWindow(options);
  }
  std::string lastError() const override {
    return "this Windows build has no window yet: only --eval and --headless run";
  }
};

// The null backend's parts around that window.
class PlaceholderBackend final : public Backend {
 public:
  Window& window() override { return _window; }
  Drawing& drawing() override { return _drawing; }
  Text& text() override { return _text; }
  Sound& sound() override { return _sound; }
  Desktop& desktop() override { return _desktop; }

 private:
  HeadlessOnlyWindow _window;
  NullDrawing _drawing;
  NullText _text;
  NullSound _sound;
  NullDesktop _desktop;
};

}  // namespace
}  // namespace cocos2d::backend::null

extern "C" cocos2d::backend::Backend* pemtrixCreateBackend() {
  return new cocos2d::backend::null::PlaceholderBackend();
}
