// Puts part of a window's picture on its X11 window without a round trip to the X server, so
// that a small change (the blinking cursor) costs one wake-up and no wait for a reply.
#pragma once

namespace cocos2d::backend::x11 {

class X11Presenter {
 public:
  X11Presenter() = default;
  ~X11Presenter();
  X11Presenter(const X11Presenter&) = delete;
  X11Presenter& operator=(const X11Presenter&) = delete;

  // display is the connection (a Display*) and window the window's id. Uses the X library
  // that the display library already loaded; false when there is none or the window's visual
  // cannot be read.
  bool attach(void* display, unsigned long window);
  void detach();
  bool isAttached() const { return _display != nullptr; }

  // Sends the rectangle of a 32-bit image the size of the window (pitch bytes a row) and
  // flushes the connection. False when nothing could be sent.
  bool put(void* pixels, int pitch, int x, int y, int width, int height);

 private:
  void* _display = nullptr;
  unsigned long _window = 0;
  void* _visual = nullptr;
  int _depth = 0;
  void* _gc = nullptr;
};

}  // namespace cocos2d::backend::x11
