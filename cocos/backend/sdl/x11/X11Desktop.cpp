#include "cocos/backend/sdl/x11/X11Desktop.h"

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

}  // namespace cocos2d::backend::x11
