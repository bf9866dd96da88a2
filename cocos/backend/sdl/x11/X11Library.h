// The few Xlib calls the window code makes itself, taken from the X library that the display
// library (SDL) already loaded: linking it would load it for headless runs too, which never
// talk to an X server.
#pragma once

#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace cocos2d::backend::x11 {

struct XLibrary {
  decltype(&XGetWindowAttributes) getWindowAttributes = nullptr;
  decltype(&XCreateGC) createGC = nullptr;
  decltype(&XFreeGC) freeGC = nullptr;
  decltype(&XCreateImage) createImage = nullptr;
  decltype(&XPutImage) putImage = nullptr;
  decltype(&XFlush) flush = nullptr;
  decltype(&XFree) free = nullptr;
  decltype(&XResourceManagerString) resourceManagerString = nullptr;
  decltype(&XInternAtom) internAtom = nullptr;
  decltype(&XGetWindowProperty) getWindowProperty = nullptr;
  bool loaded = false;  // every call above was found
};

// Resolved once; loaded is false when no X library is in the process.
const XLibrary& xlib();

}  // namespace cocos2d::backend::x11
