#include "cocos/backend/sdl/x11/X11Desktop.h"

#include <X11/Xatom.h>

#include <cstdlib>
#include <cstring>

#include "cocos/backend/sdl/x11/X11Library.h"

namespace cocos2d::backend::x11 {

double xftDpi(void* display) {
  if (!display) return 0;
  const XLibrary& x = xlib();
  const char* text = x.loaded ? x.resourceManagerString(static_cast<Display*>(display)) : nullptr;
  double dpi = 0;
  // Lines of "name:\tvalue"; the resource database syntax is simple enough for one name.
  for (const char* line = text; line && *line;) {
    const char* end = std::strchr(line, '\n');
    if (std::strncmp(line, "Xft.dpi:", 8) == 0) {
      dpi = std::strtod(line + 8, nullptr);
      break;
    }
    line = end ? end + 1 : nullptr;
  }
  return dpi > 0 ? dpi : 0;
}

std::string atSpiBusAddress(void* display) {
  const XLibrary& x = xlib();
  if (!display || !x.loaded) return {};
  auto* connection = static_cast<Display*>(display);
  // Only if it exists: a display without an accessibility bus never had the atom made.
  const Atom property = x.internAtom(connection, "AT_SPI_BUS", True);
  if (property == 0) return {};
  Atom type = 0;
  int format = 0;
  unsigned long count = 0, remaining = 0;
  unsigned char* data = nullptr;
  std::string address;
  if (x.getWindowProperty(connection, DefaultRootWindow(connection), property, 0, 1024, False, XA_STRING, &type,
                          &format, &count, &remaining, &data) == Success &&
      data) {
    if (type == XA_STRING && format == 8) address.assign(reinterpret_cast<const char*>(data), count);
    x.free(data);
  }
  return address;
}

}  // namespace cocos2d::backend::x11
