#include "platform/ResourceLocation.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

namespace {

bool isDirectory(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool holdsResources(const std::string& root) { return !root.empty() && isDirectory(root + "/buttons"); }

}  // namespace

std::string executableDirectory() {
  std::vector<char> buffer(4096);
  const ssize_t n = ::readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
  if (n <= 0) return ".";
  std::string path(buffer.data(), static_cast<std::size_t>(n));
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? "." : path.substr(0, slash == 0 ? 1 : slash);
}

std::string findResourceRoot() {
  if (const char* fromEnvironment = std::getenv("PEMTRIX_RESOURCES")) {
    if (holdsResources(fromEnvironment)) return fromEnvironment;
  }
  const std::string exe = executableDirectory();
  for (const std::string& candidate : {exe + "/../share/pemtrix", exe + "/resources", exe + "/../resources"}) {
    if (holdsResources(candidate)) return candidate;
  }
  return std::string();
}
