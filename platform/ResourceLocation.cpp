#include "platform/ResourceLocation.h"

#include "cocos/base/Files.h"

namespace {

bool holdsResources(const std::string& root) {
  return !root.empty() && cocos2d::files::isDirectory(root + "/buttons");
}

}  // namespace

std::string findResourceRoot() {
  std::string fromEnvironment;
  if (cocos2d::files::environmentPath("PEMTRIX_RESOURCES", fromEnvironment) && holdsResources(fromEnvironment)) {
    return fromEnvironment;
  }
  // Installed on Linux (<prefix>/bin and <prefix>/share/pemtrix), beside the program (the build
  // tree, and the Windows folder), or beside its folder.
  const std::string exe = cocos2d::files::executableDirectory();
  for (const std::string& candidate : {exe + "/../share/pemtrix", exe + "/resources", exe + "/../resources"}) {
    if (holdsResources(candidate)) return candidate;
  }
  return std::string();
}
