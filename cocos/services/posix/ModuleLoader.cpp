#include "cocos/services/ModuleLoader.h"

#include <dlfcn.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <vector>

namespace cocos2d {
namespace {

std::string executableDirectory() {
  char path[PATH_MAX];
  const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
  if (length <= 0) return {};
  const std::string exe(path, static_cast<std::size_t>(length));
  const std::size_t slash = exe.rfind('/');
  return slash == std::string::npos ? std::string() : exe.substr(0, slash);
}

std::vector<std::string> candidatePaths(const char* environmentVariable, const char* fileName) {
  std::vector<std::string> paths;
  if (const char* named = std::getenv(environmentVariable); named && *named) paths.emplace_back(named);
  if (const std::string dir = executableDirectory(); !dir.empty()) {
    paths.push_back(dir + "/" + fileName);
    paths.push_back(dir + "/../lib/pemtrix/" + fileName);
  }
  return paths;
}

}  // namespace

void* findModuleEntry(const char* environmentVariable, const char* fileName, const char* entryPoint,
                      std::string& error) {
  if (void* entry = dlsym(RTLD_DEFAULT, entryPoint)) return entry;
  std::string reasons;
  for (const std::string& path : candidatePaths(environmentVariable, fileName)) {
    void* module = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!module) {
      const char* why = dlerror();
      reasons += (reasons.empty() ? "" : "; ") + std::string(why ? why : path.c_str());
      continue;
    }
    if (void* entry = dlsym(module, entryPoint)) return entry;
    reasons += (reasons.empty() ? "" : "; ") + path + ": no " + entryPoint;
    dlclose(module);
  }
  error = reasons.empty() ? std::string("no location to look in") : reasons;
  return nullptr;
}

}  // namespace cocos2d
