// What a backend module hands the engine core: its five parts, each the core's only door to
// one concern of the system (Window.h, Drawing.h, Text.h, Sound.h, Desktop.h). A backend
// implements each part on its own and lets them share what they must (its window). The SDL
// backend lives in a module loaded at run time, so that modes without a window never load SDL;
// the Windows backend is linked into the program.
#pragma once

#include <memory>
#include <string>

#include "cocos/backend/Desktop.h"
#include "cocos/backend/Drawing.h"
#include "cocos/backend/Sound.h"
#include "cocos/backend/Text.h"
#include "cocos/backend/Window.h"

namespace cocos2d::backend {

// The parts live as long as the backend; callers may keep references to them.
class Backend {
 public:
  virtual ~Backend() = default;

  virtual Window& window() = 0;
  virtual Drawing& drawing() = 0;
  virtual Text& text() = 0;
  virtual Sound& sound() = 0;
  virtual Desktop& desktop() = 0;
};

// Creates the system's backend, loading its module first where it has one (BackendLoader.cpp
// on Linux, LinkedBackend.cpp on Windows); null with a reason when it cannot.
std::unique_ptr<Backend> loadBackend(std::string& error);

}  // namespace cocos2d::backend

// The entry point that every backend defines: the module exports it on Linux; on Windows the
// backend's sources (cocos/backend/win32/sources.cmake) are linked into the program with it.
extern "C" cocos2d::backend::Backend* pemtrixCreateBackend();
