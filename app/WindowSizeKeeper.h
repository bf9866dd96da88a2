// Keeps the size the user gives the window from one run to the next: offers the stored size
// to the window as it opens, and stores a new one once the user has stopped resizing, and when
// the window closes. Dragging a window's edge resizes it many times a second, and every write
// to the store goes to disk: only the size it settles at is written.
#pragma once

namespace cocos2d {
class GLView;
}

class WindowSizeKeeper {
 public:
  // How long the window must keep its size for it to count as the user's choice.
  static constexpr float kSettleSeconds = 0.5f;

  WindowSizeKeeper() = default;
  ~WindowSizeKeeper();
  WindowSizeKeeper(const WindowSizeKeeper&) = delete;
  WindowSizeKeeper& operator=(const WindowSizeKeeper&) = delete;

  // Before the window is made: it asks for the stored size (read ahead by the store prefetch)
  // and opens at it where it fits the screen.
  void prepareWindow();
  // From now on the window's new sizes are stored once they settle.
  void watch(cocos2d::GLView* view);
  // The window is gone: a size that was still settling is stored now.
  void windowClosed();

  // Whether a new size waits to settle before it is stored.
  bool isSettling() const { return _settling; }

 private:
  void resized(int width, int height);
  void store();

  bool _settling = false;
  int _width = 0, _height = 0;
  // What the store holds as far as this run knows, so that an unchanged size is not written.
  int _storedWidth = 0, _storedHeight = 0;
};
