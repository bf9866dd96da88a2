#include "cocos/base/StoreFiles.h"

#include <ctime>
#include <filesystem>
#include <system_error>

namespace cocos2d {
namespace storage {
namespace {

namespace fs = std::filesystem;

bool pathTaken(const std::string& name) {
  std::error_code ec;
  for (const char* suffix : {"", "-wal", "-shm"}) {
    if (fs::exists(fs::symlink_status(name + suffix, ec))) return true;
  }
  return false;
}

std::string timeStamp() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
#if defined(_WIN32)
  localtime_s(&local, &now);
#else
  localtime_r(&now, &local);
#endif
  char text[32] = {};
  std::strftime(text, sizeof text, "%Y%m%d-%H%M%S", &local);
  return text;
}

}  // namespace

bool createFolders(const std::string& folder, std::string& reason) {
  std::error_code ec;
  if (!folder.empty()) fs::create_directories(folder, ec);
  if (ec) reason = ec.message();
  return !ec;
}

bool setAside(const std::string& path, std::string& aside, std::string& reason) {
  const std::string base = path + ".damaged-" + timeStamp();
  aside = base;
  for (int n = 2; pathTaken(aside); ++n) aside = base + "-" + std::to_string(n);
  std::error_code ec;
  fs::rename(path, aside, ec);
  if (ec) {
    reason = ec.message();
    return false;
  }
  for (const char* suffix : {"-wal", "-shm"}) {
    const std::string journal = path + suffix;
    if (!fs::exists(fs::symlink_status(journal, ec))) continue;
    fs::rename(journal, aside + suffix, ec);
    if (ec) fs::remove(journal, ec);
  }
  return true;
}

}  // namespace storage
}  // namespace cocos2d
