// Shared by the key/value store's tests: a temporary folder, a second look at the database
// file through its own connection, whole-file reads and writes, and permissions.
#pragma once

#include <sqlite3.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
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
  TempFolder() : path_((fs::temp_directory_path() / "pemtrix-store-XXXXXX").string()) {
    if (mkdtemp(path_.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  }
  ~TempFolder() {
    std::error_code ec;
    fs::remove_all(path_, ec);
  }
  std::string file(const std::string& name) const { return path_ + "/" + name; }

  std::vector<std::string> names() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(path_)) {
      names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }

  // Files set aside from store.db, sorted, without the shared-memory index files SQLite
  // makes beside a database (they move along with it but hold nothing of their own).
  std::vector<std::string> setAside(bool withJournals = true) const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(path_)) {
      const std::string name = entry.path().filename().string();
      const std::string tail = name.substr(std::max<size_t>(name.size(), 4) - 4);
      if (name.rfind("store.db.damaged-", 0) != 0 || tail == "-shm") continue;
      if (withJournals || tail != "-wal") names.push_back(file(name));
    }
    std::sort(names.begin(), names.end());
    return names;
  }

 private:
  std::string path_;
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

}  // namespace store_test
