// What a database file holds as far as the store is concerned, and reading a store that
// cannot be written into memory.
#pragma once

#include <sqlite3.h>

#include <string>

namespace cocos2d {
namespace storage {

// What a database file holds, as far as the store is concerned.
enum class Contents {
  Store,    // the store's table, or nothing at all yet
  Foreign,  // tables of another program and no entries table: not ours to change
  Damaged,  // not a database, corrupt, or an entries table of another layout
};

// Reads what the file holds without writing to it. Returns an SQLite error when it could not be
// read for another reason than damage; for damage, `damage` says what is wrong.
int inspect(sqlite3* db, Contents& contents, std::string& damage);

// Copies the entries of the store at path into the memory database, writing nothing to the
// file or beside it, and tells what the file holds. Returns false when nothing could be read
// (no file, another program's database, damage, no access).
bool readInto(sqlite3* memory, const std::string& path, int busyTimeoutMs, Contents& contents);

}  // namespace storage
}  // namespace cocos2d
