// SdlBackend's answers for assistive technologies: the window's place on the screen, and the
// accessibility bus address that the X display publishes.
#include <SDL.h>
#include <SDL_syswm.h>
#include <dlfcn.h>

#include "cocos/backend/sdl/SdlBackend.h"

namespace cocos2d::backend::sdl {

bool SdlBackend::windowScreenPosition(int& x, int& y) {
  x = y = 0;
  if (!window_ || headless_) return false;
  SDL_GetWindowPosition(window_, &x, &y);
  return true;
}

std::string SdlBackend::accessibilityBusAddress() {
#if defined(SDL_VIDEO_DRIVER_X11)
  if (!window_ || headless_) return {};
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (SDL_GetWindowWMInfo(window_, &info) != SDL_TRUE || info.subsystem != SDL_SYSWM_X11) return {};
  // SDL has Xlib loaded for its X11 driver; borrowing its functions keeps the module free of
  // a link to Xlib that the offscreen and other drivers would load for nothing.
  void* xlib = dlopen("libX11.so.6", RTLD_LAZY | RTLD_LOCAL | RTLD_NOLOAD);
  if (!xlib) return {};
  using InternAtom = Atom (*)(Display*, const char*, Bool);
  using GetWindowProperty = int (*)(Display*, Window, Atom, long, long, Bool, Atom, Atom*, int*, unsigned long*,
                                    unsigned long*, unsigned char**);
  using Free = int (*)(void*);
  const auto internAtom = reinterpret_cast<InternAtom>(dlsym(xlib, "XInternAtom"));
  const auto getWindowProperty = reinterpret_cast<GetWindowProperty>(dlsym(xlib, "XGetWindowProperty"));
  const auto xFree = reinterpret_cast<Free>(dlsym(xlib, "XFree"));
  std::string address;
  Display* display = info.info.x11.display;
  if (internAtom && getWindowProperty && xFree) {
    // Only if it exists: a display without an accessibility bus never had the atom made.
    const Atom property = internAtom(display, "AT_SPI_BUS", True);
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, remaining = 0;
    unsigned char* data = nullptr;
    if (property != 0 && getWindowProperty(display, DefaultRootWindow(display), property, 0, 1024, False,
                                           XA_STRING, &type, &format, &count, &remaining, &data) == Success &&
        data) {
      if (type == XA_STRING && format == 8) address.assign(reinterpret_cast<const char*>(data), count);
      xFree(data);
    }
  }
  dlclose(xlib);
  return address;
#else
  return {};
#endif
}

}  // namespace cocos2d::backend::sdl
