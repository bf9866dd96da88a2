// Finds the SDL backend module at run time, so that modes without a window (--eval) never
// pay for loading SDL and its libraries.
#include <dlfcn.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <string>
#include <vector>

#include "cocos/backend/Backend.h"

namespace cocos2d::backend {
namespace {

constexpr const char* kEntryPoint = "pemtrixCreateBackend";
constexpr const char* kModuleName = "libpemtrix-sdl.so";

std::string executableDirectory() {
  char path[PATH_MAX];
  const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
  if (length <= 0) return {};
  const std::string exe(path, static_cast<std::size_t>(length));
  const std::size_t slash = exe.rfind('/');
  return slash == std::string::npos ? std::string() : exe.substr(0, slash);
}

// Where the module may be, in order: named by the environment (development and tests),
// next to the executable (the build tree), or in the installed library folder.
std::vector<std::string> candidatePaths() {
  std::vector<std::string> paths;
  if (const char* named = std::getenv("PEMTRIX_BACKEND_MODULE"); named && *named) paths.emplace_back(named);
  if (const std::string dir = executableDirectory(); !dir.empty()) {
    paths.push_back(dir + "/" + kModuleName);
    paths.push_back(dir + "/../lib/pemtrix/" + kModuleName);
  }
  return paths;
}

}  // namespace

std::unique_ptr<Backend> loadBackend(std::string& error) {
  using Factory = Backend* (*)();
  // A program linked with the module (the tests) already has the entry point.
  void* entry = dlsym(RTLD_DEFAULT, kEntryPoint);
  std::string reasons;
  if (!entry) {
    for (const std::string& path : candidatePaths()) {
      // The module stays loaded for the life of the process: the backend's code lives there.
      void* module = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
      if (!module) {
        const char* why = dlerror();
        reasons += (reasons.empty() ? "" : "; ") + std::string(why ? why : path.c_str());
        continue;
      }
      entry = dlsym(module, kEntryPoint);
      if (entry) break;
      reasons += (reasons.empty() ? "" : "; ") + path + ": no " + kEntryPoint;
      dlclose(module);
    }
  }
  if (!entry) {
    error = "cannot load the display module: " + (reasons.empty() ? std::string("no location to look in") : reasons);
    return nullptr;
  }
  std::unique_ptr<Backend> backend(reinterpret_cast<Factory>(entry)());
  if (!backend) error = "the display module could not create its backend";
  return backend;
}

}  // namespace cocos2d::backend
