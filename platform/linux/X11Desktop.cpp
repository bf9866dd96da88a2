#include "platform/linux/X11Desktop.h"

#include <X11/Xlib.h>
#include <dlfcn.h>

#include <cstdlib>
#include <cstring>

namespace platform {

double xftDpi(void* display) {
  if (!display) return 0;
  // The X library the display library loaded; linking it would load it for headless runs.
  void* library = dlopen("libX11.so.6", RTLD_LAZY | RTLD_NOLOAD);
  if (!library) return 0;
  auto resources = reinterpret_cast<decltype(&XResourceManagerString)>(dlsym(library, "XResourceManagerString"));
  const char* text = resources ? resources(static_cast<Display*>(display)) : nullptr;
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
  dlclose(library);
  return dpi > 0 ? dpi : 0;
}

}  // namespace platform
