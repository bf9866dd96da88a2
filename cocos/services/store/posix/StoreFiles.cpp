#include "cocos/services/store/posix/StoreFiles.h"

#include <cerrno>
#include <chrono>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <system_error>
#include <thread>
#include <vector>

#if !defined(_WIN32)
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

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

bool createPrivateFolders(const std::string& folder, std::string& reason) {
  if (folder.empty()) return true;
  std::vector<fs::path> missing;
  std::error_code ec;
  for (fs::path p = folder; !p.empty() && !fs::exists(p, ec); p = p.parent_path()) {
    missing.push_back(p);
    if (p == p.parent_path()) break;
  }
  ec.clear();  // a folder that cannot even be looked at fails below, with the reason
  for (auto it = missing.rbegin(); it != missing.rend(); ++it) {
#if defined(_WIN32)
    fs::create_directory(*it, ec);
#else
    // Made with its final mode, so it is never open to others for a moment. Another instance
    // may create the same folder at the same time.
    if (::mkdir(it->c_str(), 0700) != 0 && errno != EEXIST) {
      ec = std::error_code(errno, std::generic_category());
    }
#endif
    if (ec) break;
  }
  if (!ec && !fs::is_directory(folder, ec) && !ec) {
    ec = std::make_error_code(std::errc::not_a_directory);
  }
  if (ec) reason = ec.message();
  return !ec;
}

bool createPrivateFile(const std::string& path, std::string& reason) {
#if defined(_WIN32)
  std::error_code ec;
  if (!fs::exists(fs::symlink_status(path, ec))) std::ofstream(path, std::ios::binary);
  (void)reason;
  return true;
#else
  int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
  if (fd < 0 && errno == EEXIST) {
    // Whether what is there can be used is for SQLite to find out.
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0 || errno != ENOENT) return true;
    // A link to a file yet to be made: the file is made where the link points.
    fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
  }
  if (fd < 0) {
    reason = std::error_code(errno, std::generic_category()).message();
    return false;
  }
  ::close(fd);
  return true;
#endif
}

bool setAside(const std::string& path, std::string& aside, std::string& reason) {
  const std::string base = path + ".damaged-" + timeStamp();
  aside = base;
  for (int n = 2; pathTaken(aside); ++n) aside = base + "-" + std::to_string(n);
  std::error_code ec;
  fs::rename(path, aside, ec);
  if (ec) {
    reason = ec.message();
    aside.clear();
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

FileIdentity identityOf(const std::string& path) {
  FileIdentity identity;
#if !defined(_WIN32)
  struct stat info {};
  if (::stat(path.c_str(), &info) == 0) {
    identity = {true, static_cast<unsigned long long>(info.st_dev),
                static_cast<unsigned long long>(info.st_ino)};
  }
#else
  std::error_code ec;
  identity.exists = fs::exists(path, ec);
#endif
  return identity;
}

FolderLock::FolderLock(const std::string& folder, int timeoutMs) {
#if !defined(_WIN32)
  _fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (_fd < 0) return;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  while (::flock(_fd, LOCK_EX | LOCK_NB) != 0) {
    if ((errno != EWOULDBLOCK && errno != EINTR) || std::chrono::steady_clock::now() >= deadline) {
      ::close(_fd);
      _fd = -1;
      return;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
#else
  (void)folder;
  (void)timeoutMs;
#endif
}

FolderLock::~FolderLock() {
#if !defined(_WIN32)
  // Closing the descriptor releases the lock.
  if (_fd >= 0) ::close(_fd);
#endif
}

}  // namespace storage
}  // namespace cocos2d
