// Shared by the key/value store's tests: a temporary folder, a second look at the database
// file through its own connection, whole-file reads and writes, permissions, and a child
// process with fewer rights.
#pragma once

#include <grp.h>
#include <signal.h>
#include <sqlite3.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace store_test {

namespace fs = std::filesystem;
using Rows = std::vector<std::vector<std::string>>;
using Entries = std::vector<std::pair<std::string, std::string>>;

class TempFolder {
 public:
  TempFolder() : _path((fs::temp_directory_path() / "pemtrix-store-XXXXXX").string()) {
    if (mkdtemp(_path.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  }
  // Write permission comes back first: a test may have taken it away.
  ~TempFolder() {
    std::error_code ec;
    for (auto it = fs::recursive_directory_iterator(_path, ec);
         !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
      if (it->is_directory(ec)) fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
    }
    fs::permissions(_path, fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(_path, ec);
  }
  const std::string& path() const { return _path; }
  std::string file(const std::string& name) const { return _path + "/" + name; }

  std::vector<std::string> names() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(_path)) {
      names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }

  // Files set aside from store.db, sorted, without the shared-memory index files SQLite
  // makes beside a database (they move along with it but hold nothing of their own).
  std::vector<std::string> setAside(bool withJournals = true) const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(_path)) {
      const std::string name = entry.path().filename().string();
      const std::string tail = name.substr(std::max<size_t>(name.size(), 4) - 4);
      if (name.rfind("store.db.damaged-", 0) != 0 || tail == "-shm") continue;
      if (withJournals || tail != "-wal") names.push_back(file(name));
    }
    std::sort(names.begin(), names.end());
    return names;
  }

 private:
  std::string _path;
};

// Runs sql through a separate connection, as another program looking at the file would.
inline Rows query(const std::string& path, const std::string& sql) {
  sqlite3* db = nullptr;
  Rows rows;
  if (sqlite3_open(path.c_str(), &db) == SQLITE_OK) {
    const auto addRow = [](void* out, int n, char** values, char**) {
      static_cast<Rows*>(out)->emplace_back(values, values + n);
      return 0;
    };
    sqlite3_exec(db, sql.c_str(), addRow, &rows, nullptr);
  }
  sqlite3_close(db);
  return rows;
}

inline void writeFile(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

inline std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline long lineCount(const std::string& text) { return std::count(text.begin(), text.end(), '\n'); }

// In octal, as ls and chmod show them; "missing" when there is nothing at path.
inline std::string permissionsOf(const std::string& path) {
  struct stat info {};
  if (stat(path.c_str(), &info) != 0) return "missing";
  char text[8] = {};
  std::snprintf(text, sizeof text, "%o", static_cast<unsigned>(info.st_mode & 07777));
  return text;
}

// What a child process may not do, for tests of locations the store cannot write.
struct Limits {
  // Run as an ordinary user, for whom permission bits count: root is not stopped by them, so
  // as root the child becomes nobody, after `folder` and all in it are handed to nobody.
  bool unprivileged = false;
  std::string folder;
  // Files the child grows beyond this many bytes fail to grow, as on a full disk.
  rlim_t fileSizeLimit = RLIM_INFINITY;
};

// Runs body in a child process under limits and gives back the text it returns, or what went
// wrong with the child.
inline std::string inChild(const Limits& limits, const std::function<std::string()>& body) {
  const bool becomeNobody = limits.unprivileged && geteuid() == 0;
  const uid_t nobody = 65534;
  if (becomeNobody) {
    if (chown(limits.folder.c_str(), nobody, nobody) != 0) return "cannot hand the folder over";
    for (const auto& entry : fs::recursive_directory_iterator(limits.folder)) {
      if (lchown(entry.path().c_str(), nobody, nobody) != 0) return "cannot hand a file over";
    }
  }
  int out[2];
  if (pipe(out) != 0) return "no pipe";
  const pid_t child = fork();
  if (child < 0) return "no fork";
  if (child == 0) {
    close(out[0]);
    if (becomeNobody && (setgroups(0, nullptr) != 0 || setgid(nobody) != 0 || setuid(nobody) != 0)) {
      _exit(2);
    }
    if (limits.fileSizeLimit != RLIM_INFINITY) {
      signal(SIGXFSZ, SIG_IGN);  // a write past the limit then fails with EFBIG
      const rlimit limit{limits.fileSizeLimit, limits.fileSizeLimit};
      if (setrlimit(RLIMIT_FSIZE, &limit) != 0) _exit(3);
    }
    const std::string text = body();
    size_t done = 0;
    while (done < text.size()) {
      const ssize_t n = write(out[1], text.data() + done, text.size() - done);
      if (n <= 0) _exit(4);
      done += static_cast<size_t>(n);
    }
    _exit(0);
  }
  close(out[1]);
  std::string text;
  char buffer[4096];
  for (ssize_t n; (n = read(out[0], buffer, sizeof buffer)) > 0;) text.append(buffer, n);
  close(out[0]);
  int status = 0;
  waitpid(child, &status, 0);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    return "child failed with status " + std::to_string(status);
  }
  return text;
}

}  // namespace store_test
