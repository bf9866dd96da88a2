// The backend of a program that has it linked in (Windows, where the program is one file):
// the backend's sources define pemtrixCreateBackend, and loading it is calling it. On Linux
// BackendLoader.cpp loads it from its module instead.
#include <string>

#include "cocos/backend/Backend.h"

namespace cocos2d::backend {

std::unique_ptr<Backend> loadBackend(std::string& error) {
  std::unique_ptr<Backend> backend(pemtrixCreateBackend());
  if (!backend) error = "the display backend could not be created";
  return backend;
}

}  // namespace cocos2d::backend
