#include "cocos/backend/sdl/x11/X11Library.h"

#include <dlfcn.h>

namespace cocos2d::backend::x11 {
namespace {

template <typename F>
void resolve(void* library, const char* name, F& out) {
  out = reinterpret_cast<F>(dlsym(library, name));
}

}  // namespace

const XLibrary& xlib() {
  static const XLibrary library = [] {
    XLibrary l;
    void* handle = dlopen("libX11.so.6", RTLD_LAZY | RTLD_NOLOAD);
    if (!handle) return l;
    resolve(handle, "XGetWindowAttributes", l.getWindowAttributes);
    resolve(handle, "XCreateGC", l.createGC);
    resolve(handle, "XFreeGC", l.freeGC);
    resolve(handle, "XCreateImage", l.createImage);
    resolve(handle, "XPutImage", l.putImage);
    resolve(handle, "XFlush", l.flush);
    resolve(handle, "XFree", l.free);
    resolve(handle, "XResourceManagerString", l.resourceManagerString);
    resolve(handle, "XInternAtom", l.internAtom);
    resolve(handle, "XGetWindowProperty", l.getWindowProperty);
    l.loaded = l.getWindowAttributes && l.createGC && l.freeGC && l.createImage && l.putImage && l.flush && l.free &&
               l.resourceManagerString && l.internAtom && l.getWindowProperty;
    // The handle stays open: the library is the display library's and outlives us anyway.
    return l;
  }();
  return library;
}

}  // namespace cocos2d::backend::x11
