// Small SQLite helpers and the table layout shared by the store's opening and its reads and
// writes.
#pragma once

#include <sqlite3.h>

#include <string>
#include <string_view>

#include "cocos/services/store/StoreReport.h"

namespace cocos2d {
namespace storage {

constexpr const char* kCreateTable =
    "CREATE TABLE IF NOT EXISTS entries (key TEXT PRIMARY KEY NOT NULL, value)";

inline int exec(sqlite3* db, const char* sql) {
  return sqlite3_exec(db, sql, nullptr, nullptr, nullptr);
}

// Blob access gives TEXT bytes unconverted, so embedded NULs and invalid UTF-8 survive.
inline std::string_view columnView(sqlite3_stmt* s, int col) {
  const void* data = sqlite3_column_blob(s, col);
  const int size = sqlite3_column_bytes(s, col);
  return data != nullptr ? std::string_view(static_cast<const char*>(data), size)
                         : std::string_view();
}

inline bool isDamage(int rc) {
  const int primary = rc & 0xff;
  return primary == SQLITE_CORRUPT || primary == SQLITE_NOTADB;
}

}  // namespace storage
}  // namespace cocos2d
