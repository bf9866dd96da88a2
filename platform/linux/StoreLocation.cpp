#include "platform/StoreLocation.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

namespace platform {
namespace {

std::string environment(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? std::string(value) : std::string();
}

std::string joinPath(std::string folder, const char* rest) {
  if (!folder.empty() && folder.back() != '/') folder += '/';
  return folder + rest;
}

std::string homeFolder() {
  std::string home = environment("HOME");
  if (!home.empty()) return home;
  // Services and some sandboxes start programs without HOME; the account still has a home.
  if (const passwd* entry = getpwuid(getuid())) {
    if (entry->pw_dir != nullptr) return entry->pw_dir;
  }
  return std::string();
}

}  // namespace

std::string defaultStorePath() {
  // The XDG rules call a relative path invalid, to be ignored: it would put the store below
  // whatever folder the program happens to be started in.
  const std::string config = environment("XDG_CONFIG_HOME");
  if (!config.empty() && config.front() == '/') return joinPath(config, "pemtrix/store.db");
  // With no home at all the path is relative: the store then lives below the working folder.
  const std::string home = homeFolder();
  return joinPath(home.empty() ? std::string(".") : home, ".config/pemtrix/store.db");
}

}  // namespace platform
