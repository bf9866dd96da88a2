// Opening the store's database file: proving it is a store, setting it up for sharing between
// instances, replacing a damaged file, and falling back to memory when the file cannot be used.
#pragma once

#include <sqlite3.h>

#include <string>

namespace cocos2d {
namespace storage {

struct OpenedStore {
  // Owned by the caller; nullptr only when not even a memory database could be had.
  sqlite3* db = nullptr;
  // False when db is in memory.
  bool persistent = false;
};

// Opens (creating when missing) the store at path, which must name a file. Whatever went wrong
// is reported in one line on standard error.
OpenedStore openStore(const std::string& path, int busyTimeoutMs);

// A memory database with the store's table, or nullptr.
sqlite3* openMemoryStore();

}  // namespace storage
}  // namespace cocos2d
