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
  display_ = display;
  window_ = window;
  visual_ = attributes.visual;
  depth_ = attributes.depth;
  gc_ = gc;
  return true;
}

void X11Presenter::detach() {
  if (display_ && gc_) xlib().freeGC(static_cast<Display*>(display_), static_cast<GC>(gc_));
  display_ = nullptr;
  gc_ = nullptr;
  window_ = 0;
  visual_ = nullptr;
}

bool X11Presenter::put(void* pixels, int pitch, int x, int y, int width, int height) {
  if (!display_ || !pixels || width <= 0 || height <= 0) return false;
  const XLibrary& lib = xlib();
  auto* dpy = static_cast<Display*>(display_);
  // An image header over the window's own pixels: the rectangle starts at its first pixel and
  // keeps the whole image's row length.
  char* first = static_cast<char*>(pixels) + static_cast<long>(y) * pitch + static_cast<long>(x) * 4;
  XImage* image = lib.createImage(dpy, static_cast<Visual*>(visual_), static_cast<unsigned>(depth_), ZPixmap, 0,
                                  first, static_cast<unsigned>(width), static_cast<unsigned>(height), 32, pitch);
  if (!image) return false;
  const bool sent = image->bits_per_pixel == 32 &&
                    lib.putImage(dpy, window_, static_cast<GC>(gc_), image, 0, 0, x, y, static_cast<unsigned>(width),
                                 static_cast<unsigned>(height)) == 0;
  // XPutImage copied the pixels into the request; the header goes, the pixels are not ours.
  image->data = nullptr;
  lib.free(image);
  lib.flush(dpy);
  return sent;
}

}  // namespace cocos2d::backend::x11
