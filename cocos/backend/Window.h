// The window part of a backend: opening the window, its input, waiting for input and other
// event sources, the clock the loop runs on, and where the window is on the screen.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace cocos2d::backend {

struct WindowOptions {
  std::string title;
  // Asked for; a windowed backend may scale them for the desktop (HiDPI) or to fit the
  // display, keeping their proportions, and writes back the size it chose.
  int width = 480;
  int height = 768;
  bool resizable = false;
  bool headless = false;  // offscreen video driver, software renderer, no audio device
  // Called once the display has been reached, before the window is made (not called when the
  // display cannot be reached).
  std::function<void()> displayOpened;
  // Asked once, after displayOpened and before the window is sized, for a size in window
  // pixels that the user gave the window before: used instead of the scaled and fitted size
  // when it fits the usable area (and is at least a quarter of width x height). False: none.
  // Not asked when headless.
  std::function<bool(int& width, int& height)> keptSize;
};

// Input in window pixels, origin at the top-left corner of the window.
struct InputEvent {
  enum class Type {
    Quit,
    MouseDown,
    MouseMove,  // only reported while the left button is held
    MouseUp,
    KeyDown,
    KeyUp,
    Exposed,  // the window must be redrawn
    Hidden,   // minimised or fully covered: drawing and scheduling may stop
    Shown,
    Text,     // text typed without a key press of its own (an input method's result)
    Resized,  // the window's size changed; width and height give the new one
    Wheel,    // the mouse wheel or a touchpad scrolled, with the pointer at x, y
  };
  Type type = Type::Quit;
  float x = 0, y = 0;
  int keyCode = 0;  // an EventKeyboard::KeyCode value; 0 for keys that have none
  bool repeat = false;
  std::string text;          // KeyDown: what the layout made of the key (UTF-8); Text: the text
  unsigned modifiers = 0;    // EventKeyboard::Modifier bits held at the time
  char32_t layoutKey = 0;    // the layout's character for the key without modifiers, or 0
  int width = 0, height = 0;  // Resized
  // Wheel: how far, in notches of a wheel that clicks. One notch is 1.0 of SDL's wheel and
  // 120 units (WHEEL_DELTA) of Windows' WM_MOUSEWHEEL and WM_MOUSEHWHEEL; smooth wheels and
  // touchpads give fractions. wheelY > 0 scrolls up (a wheel rolled away from the user),
  // wheelX > 0 to the right, both as the system delivers them (natural scrolling included).
  float wheelX = 0, wheelY = 0;
};

// A descriptor the loop watches while it waits, as poll() takes it.
struct WaitDescriptor {
  int fd = -1;
  short events = 0;
  short revents = 0;
};

// Another source of events, besides the window, that the loop serves on its own thread while
// it waits for input (the accessibility bus): asked before every wait, told after it.
class WaitSource {
 public:
  virtual ~WaitSource() = default;
  // Appends the descriptors to watch and returns the longest wait it allows in milliseconds:
  // 0 when it has work now, -1 when it sets no limit.
  virtual int prepareWait(std::vector<WaitDescriptor>& descriptors) = 0;
  // After the wait: the descriptors it appended, with what happened on them.
  virtual void finishWait(const WaitDescriptor* descriptors, std::size_t count) = 0;
};

class Window {
 public:
  virtual ~Window() = default;

  virtual bool openWindow(WindowOptions& options) = 0;  // false: see lastError()
  virtual std::string lastError() const = 0;
  // Offscreen: no display, no sound, no desktop services.
  virtual bool isHeadless() const = 0;

  // pollEvent never blocks; waitForEvent blocks until an event, a wait source's descriptor or
  // the timeout (negative: no timeout), and serves the wait sources.
  virtual bool pollEvent(InputEvent& event) = 0;
  virtual void waitForEvent(int timeoutMilliseconds) = 0;
  // Wait sources are not owned; a source stays registered until removed.
  void addWaitSource(WaitSource* source) { _waitSources.push_back(source); }
  void removeWaitSource(WaitSource* source);

  virtual std::uint64_t monotonicNanoseconds() = 0;

  // Where the window's top-left corner is on the screen; false when unknown.
  virtual bool windowScreenPosition(int& x, int& y) {
    x = y = 0;
    return false;
  }

 protected:
  const std::vector<WaitSource*>& waitSources() const { return _waitSources; }

 private:
  std::vector<WaitSource*> _waitSources;
};

inline void Window::removeWaitSource(WaitSource* source) {
  for (auto it = _waitSources.begin(); it != _waitSources.end(); ++it) {
    if (*it == source) {
      _waitSources.erase(it);
      return;
    }
  }
}

}  // namespace cocos2d::backend
