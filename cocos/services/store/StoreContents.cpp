#include "cocos/services/store/StoreContents.h"

#include <cstdint>
#include <filesystem>
#include <string_view>
#include <system_error>

#include "cocos/services/store/StoreSql.h"

namespace cocos2d {
namespace storage {
namespace {

namespace fs = std::filesystem;

// Counts every schema object and the tables named entries.
constexpr const char* kSchemaSummary =
    "SELECT count(*), total(type = 'table' AND name = 'entries') FROM sqlite_schema";
constexpr const char* kEntriesColumns =
    "SELECT name, upper(type), \"notnull\", pk FROM pragma_table_info('entries') ORDER BY cid";
// What kEntriesColumns gives for the table kCreateTable makes.
constexpr const char* kContractShape = "key TEXT 1 1;value  0 0;";

// Runs a statement that gives one row and hands that row to take.
template <typename Take>
int oneRow(sqlite3* db, const char* sql, Take take) {
  sqlite3_stmt* s = nullptr;
  int rc = sqlite3_prepare_v2(db, sql, -1, &s, nullptr);
  if (rc == SQLITE_OK && (rc = sqlite3_step(s)) == SQLITE_ROW) {
    rc = SQLITE_OK;
    take(s);
  }
  sqlite3_finalize(s);
  return rc;
}

std::string shapeOfEntries(sqlite3* db, int& rc) {
  sqlite3_stmt* s = nullptr;
  rc = sqlite3_prepare_v2(db, kEntriesColumns, -1, &s, nullptr);
  std::string shape;
  while (rc == SQLITE_OK && (rc = sqlite3_step(s)) == SQLITE_ROW) {
    shape += std::string(columnView(s, 0)) + " " + std::string(columnView(s, 1)) + " " +
             std::to_string(sqlite3_column_int(s, 2)) + " " +
             std::to_string(sqlite3_column_int(s, 3)) + ";";
    rc = SQLITE_OK;
  }
  sqlite3_finalize(s);
  if (rc == SQLITE_DONE) rc = SQLITE_OK;
  return shape;
}

// A URI names the file, for its parameters; it must spell out every byte that the URI syntax
// would take for something else.
std::string fileUri(const std::string& path, const char* parameters) {
  static const char hex[] = "0123456789ABCDEF";
  std::string uri = "file:";
  for (const unsigned char c : fs::absolute(path).lexically_normal().generic_string()) {
    const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                       (c >= '0' && c <= '9') || c == '/' || c == '-' || c == '.' || c == '_';
    if (plain) {
      uri += static_cast<char>(c);
    } else {
      uri += '%';
      uri += hex[c >> 4];
      uri += hex[c & 15];
    }
  }
  return uri + "?" + parameters;
}

sqlite3* openReadOnly(const std::string& path, bool immutable, int busyTimeoutMs) {
  sqlite3* db = nullptr;
  const std::string uri = fileUri(path, immutable ? "mode=ro&immutable=1" : "mode=ro");
  if (sqlite3_open_v2(uri.c_str(), &db, SQLITE_OPEN_READONLY | SQLITE_OPEN_URI, nullptr) !=
      SQLITE_OK) {
    sqlite3_close_v2(db);
    return nullptr;
  }
  // The last connection to close would otherwise try to move the -wal into the file.
  sqlite3_db_config(db, SQLITE_DBCONFIG_NO_CKPT_ON_CLOSE, 1, nullptr);
  sqlite3_busy_timeout(db, busyTimeoutMs);
  return db;
}

// Values keep their storage class: the integers stay integers and the bytes stay bytes.
int copyEntries(sqlite3* from, sqlite3* to) {
  sqlite3_stmt* rows = nullptr;
  sqlite3_stmt* insert = nullptr;
  int rc = sqlite3_prepare_v2(from, "SELECT key, value FROM entries", -1, &rows, nullptr);
  if (rc == SQLITE_OK) {
    rc = sqlite3_prepare_v2(to, "INSERT OR REPLACE INTO entries(key, value) VALUES(?1, ?2)", -1,
                            &insert, nullptr);
  }
  if (rc == SQLITE_OK) rc = exec(to, "BEGIN");
  while (rc == SQLITE_OK && (rc = sqlite3_step(rows)) == SQLITE_ROW) {
    sqlite3_bind_value(insert, 1, sqlite3_column_value(rows, 0));
    sqlite3_bind_value(insert, 2, sqlite3_column_value(rows, 1));
    rc = sqlite3_step(insert) == SQLITE_DONE ? SQLITE_OK : sqlite3_errcode(to);
    sqlite3_reset(insert);
  }
  if (rc == SQLITE_DONE) rc = exec(to, "COMMIT");
  if (rc != SQLITE_OK && sqlite3_get_autocommit(to) == 0) exec(to, "ROLLBACK");
  sqlite3_finalize(rows);
  sqlite3_finalize(insert);
  return rc;
}

}  // namespace

constexpr sqlite3_int64 kLargestCheckedStore = 4 << 20;

// The schema is looked at first, so that another program's database is told apart without
// reading all of it.
int inspect(sqlite3* db, Contents& contents, std::string& damage) {
  damage.clear();
  int objects = 0;
  bool hasEntries = false;
  int rc = oneRow(db, kSchemaSummary, [&](sqlite3_stmt* s) {
    objects = sqlite3_column_int(s, 0);
    hasEntries = sqlite3_column_int(s, 1) > 0;
  });
  if (rc == SQLITE_OK && objects > 0 && !hasEntries) {
    contents = Contents::Foreign;
    return SQLITE_OK;
  }
  // A table called entries of another shape is not one the store can use: writing into it would
  // fail or mangle values, so it counts as damage.
  if (rc == SQLITE_OK && hasEntries && shapeOfEntries(db, rc) != kContractShape && rc == SQLITE_OK) {
    damage = "its table has another layout";
  }
  // The check reads every page: for the few kilobytes the program writes it costs nothing,
  // but a store grown to tens of megabytes (long history lines) would pay for it at every
  // start. Above the limit, damage is met where the pages are read and reported then.
  sqlite3_int64 bytes = 0;
  if (rc == SQLITE_OK) {
    rc = oneRow(db, "SELECT page_count * page_size FROM pragma_page_count(), pragma_page_size()",
                [&](sqlite3_stmt* s) { bytes = sqlite3_column_int64(s, 0); });
  }
  if (rc == SQLITE_OK && damage.empty() && bytes <= kLargestCheckedStore) {
    rc = oneRow(db, "PRAGMA quick_check(1)", [&](sqlite3_stmt* s) {
      if (columnView(s, 0) != "ok") damage = columnView(s, 0);
    });
  }
  if (isDamage(rc)) {
    damage = sqlite3_errmsg(db);
    rc = SQLITE_OK;
  }
  contents = damage.empty() ? Contents::Store : Contents::Damaged;
  return rc;
}

bool readInto(sqlite3* memory, const std::string& path, int busyTimeoutMs, Contents& contents) {
  std::error_code ec;
  if (memory == nullptr || !fs::is_regular_file(path, ec)) return false;
  // Only committed writes the last writer left in the -wal make a plain read-only connection
  // worth its trouble: it may need the -wal and -shm, and a location that cannot be written
  // may not have them. The file alone holds everything else, and read as immutable SQLite
  // neither locks it nor makes anything beside it.
  const std::uintmax_t walSize = fs::file_size(path + "-wal", ec);
  const bool walHasWrites = !ec && walSize > 0;
  for (const bool immutable : {false, true}) {
    if (!immutable && !walHasWrites) continue;
    sqlite3* file = openReadOnly(path, immutable, busyTimeoutMs);
    std::string damage;
    int rc = file != nullptr ? inspect(file, contents, damage) : SQLITE_CANTOPEN;
    if (rc == SQLITE_OK && contents == Contents::Store) rc = copyEntries(file, memory);
    sqlite3_close_v2(file);
    if (rc == SQLITE_OK) return contents == Contents::Store;
  }
  return false;
}

}  // namespace storage
}  // namespace cocos2d
