// Finds the SDL backend module at run time, so that modes without a window (--eval) never
// pay for loading SDL and its libraries.
#include <string>

#include "cocos/backend/Backend.h"
#include "cocos/services/ModuleLoader.h"

namespace cocos2d::backend {

std::unique_ptr<Backend> loadBackend(std::string& error) {
  using Factory = Backend* (*)();
  std::string reasons;
  void* entry = findModuleEntry("PEMTRIX_BACKEND_MODULE", "libpemtrix-sdl.so", "pemtrixCreateBackend", reasons);
  if (!entry) {
    error = "cannot load the display module: " + reasons;
    return nullptr;
  }
  std::unique_ptr<Backend> backend(reinterpret_cast<Factory>(entry)());
  if (!backend) error = "the display module could not create its backend";
  return backend;
}

}  // namespace cocos2d::backend
