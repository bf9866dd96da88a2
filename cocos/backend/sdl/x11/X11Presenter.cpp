#include "cocos/backend/sdl/x11/X11Presenter.h"

#include "cocos/backend/sdl/x11/X11Library.h"

namespace cocos2d::backend::x11 {

X11Presenter::~X11Presenter() { detach(); }

bool X11Presenter::attach(void* display, unsigned long window) {
  detach();
  const XLibrary& x = xlib();
  if (!x.loaded || !display || !window) return false;
  auto* dpy = static_cast<Display*>(display);
  XWindowAttributes attributes{};
  if (!x.getWindowAttributes(dpy, window, &attributes) || attributes.depth < 24) return false;
  GC gc = x.createGC(dpy, window, 0, nullptr);
  if (!gc) return false;
  _display = display;
  _window = window;
  _visual = attributes.visual;
  _depth = attributes.depth;
  _gc = gc;
  return true;
}

void X11Presenter::detach() {
  if (_display && _gc) xlib().freeGC(static_cast<Display*>(_display), static_cast<GC>(_gc));
  _display = nullptr;
  _gc = nullptr;
  _window = 0;
  _visual = nullptr;
}

bool X11Presenter::put(void* pixels, int pitch, int x, int y, int width, int height) {
  if (!_display || !pixels || width <= 0 || height <= 0) return false;
  const XLibrary& lib = xlib();
  auto* dpy = static_cast<Display*>(_display);
  // An image header over the window's own pixels: the rectangle starts at its first pixel and
  // keeps the whole image's row length.
  char* first = static_cast<char*>(pixels) + static_cast<long>(y) * pitch + static_cast<long>(x) * 4;
  XImage* image = lib.createImage(dpy, static_cast<Visual*>(_visual), static_cast<unsigned>(_depth), ZPixmap, 0,
                                  first, static_cast<unsigned>(width), static_cast<unsigned>(height), 32, pitch);
  if (!image) return false;
  const bool sent = image->bits_per_pixel == 32 &&
                    lib.putImage(dpy, _window, static_cast<GC>(_gc), image, 0, 0, x, y, static_cast<unsigned>(width),
                                 static_cast<unsigned>(height)) == 0;
  // XPutImage copied the pixels into the request; the header goes, the pixels are not ours.
  image->data = nullptr;
  lib.free(image);
  lib.flush(dpy);
  return sent;
}

}  // namespace cocos2d::backend::x11
