// On Windows the program is one file: its backend is linked in (cocos/backend/LinkedBackend.cpp)
// and no module is looked for beside it, so that nothing that happens to lie next to the
// program is ever loaded into it.
#include "cocos/services/ModuleLoader.h"

namespace cocos2d {

void* findModuleEntry(const char* /*environmentVariable*/, const char* fileName, const char* /*entryPoint*/,
                      std::string& error) {
  error = std::string("the Windows program loads no modules (") + fileName + ")";
  return nullptr;
}

}  // namespace cocos2d
