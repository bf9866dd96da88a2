// Finds the entry point of one of the program's modules: shared libraries loaded at run time
// so that the modes that do not need them never pay for loading them and their libraries.
// Linux loads them (posix/ModuleLoader.cpp); the Windows program is one file and loads none
// (win32/ModuleLoader.cpp).
#pragma once

#include <string>

namespace cocos2d {

// The entry point, from the program itself when it was linked with the module (the tests),
// else from the first module that loads from: the file named by the environment variable
// (development and tests), the file next to the executable (the build tree), or the one in
// the installed library folder (<bindir>/../lib/pemtrix). Null with the reasons when none
// loads. A module that loads stays loaded for the life of the process: its code is in use.
void* findModuleEntry(const char* environmentVariable, const char* fileName, const char* entryPoint,
                      std::string& error);

}  // namespace cocos2d
