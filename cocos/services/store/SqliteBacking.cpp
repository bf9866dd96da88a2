#include "cocos/services/store/SqliteBacking.h"

#include "cocos/services/store/StoreOpening.h"
#include "cocos/services/store/StoreSql.h"

namespace cocos2d {
namespace storage {
namespace {

constexpr const char* kSelectValue = "SELECT value FROM entries WHERE key = ?1";
// For string reads: where the value is text it is read through the blob interface straight
// into the caller's string (a history line may hold megabytes: selecting it would copy it
// into SQLite's own buffer first); other values come as they are.
constexpr const char* kSelectText =
    "SELECT rowid, typeof(value) IN ('text', 'blob'), "
    "CASE WHEN typeof(value) IN ('text', 'blob') THEN NULL ELSE value END FROM entries WHERE key = ?1";
constexpr const char* kUpsertValue =
    "INSERT INTO entries(key, value) VALUES(?1, ?2) "
    "ON CONFLICT(key) DO UPDATE SET value = excluded.value";
constexpr const char* kSelectAll = "SELECT key, value FROM entries";

Status statusOf(int rc) {
  Status status;
  if (rc == SQLITE_OK || rc == SQLITE_DONE || rc == SQLITE_ROW) return status;
  status.kind = rc & 0xff;
  status.reason = sqlite3_errstr(rc);
  status.damaged = isDamage(rc);
  return status;
}

// NULL is no value at all: it reads as absent.
std::optional<Value> valueOf(sqlite3_stmt* s, int col) {
  switch (sqlite3_column_type(s, col)) {
    case SQLITE_NULL: return std::nullopt;
    case SQLITE_INTEGER: return Value::ofInteger(sqlite3_column_int64(s, col));
    case SQLITE_FLOAT: return Value::ofReal(sqlite3_column_double(s, col));
    default: return Value::ofBytes(std::string(columnView(s, col)));
  }
}

}  // namespace

std::unique_ptr<Backing> openBacking(const std::string& path, int busyTimeoutMs) {
  return std::make_unique<SqliteBacking>(path, busyTimeoutMs);
}

SqliteBacking::SqliteBacking(const std::string& path, int busyTimeoutMs) : _path(path) {
  const OpenedStore opened = openStore(path, busyTimeoutMs);
  _db = opened.db;
  _persistent = opened.persistent;
  const int rc = prepareStatements();
  if (rc == SQLITE_OK) return;
  // The table was there a moment ago; without it no path through the code works, so the
  // store starts afresh in memory. Should even that fail, writes fail quietly and are kept
  // by the caller in memory.
  if (_persistent) {
    sayOnStderr("cannot read the store at " + path + " (" + sqlite3_errstr(rc) +
                "); settings will not be kept this session");
  }
  close();
  _db = openMemoryStore();
  if (prepareStatements() != SQLITE_OK) close();
}

SqliteBacking::~SqliteBacking() { close(); }

void SqliteBacking::close() {
  sqlite3_finalize(_select);
  sqlite3_finalize(_selectText);
  sqlite3_finalize(_upsert);
  _select = _selectText = _upsert = nullptr;
  sqlite3_close_v2(_db);
  _db = nullptr;
  _persistent = false;
}

int SqliteBacking::prepareStatements() {
  if (_db == nullptr) return SQLITE_CANTOPEN;
  int rc = sqlite3_prepare_v3(_db, kSelectValue, -1, SQLITE_PREPARE_PERSISTENT, &_select, nullptr);
  if (rc == SQLITE_OK) {
    rc = sqlite3_prepare_v3(_db, kSelectText, -1, SQLITE_PREPARE_PERSISTENT, &_selectText, nullptr);
  }
  if (rc == SQLITE_OK) {
    rc = sqlite3_prepare_v3(_db, kUpsertValue, -1, SQLITE_PREPARE_PERSISTENT, &_upsert, nullptr);
  }
  return rc;
}

// The plain read. The statement is reset at once: left open, its read transaction would hide
// other instances' later writes.
Status SqliteBacking::lookup(const std::string& key, std::optional<Value>& value) {
  if (_select == nullptr) return {};
  sqlite3_bind_text(_select, 1, key.data(), static_cast<int>(key.size()), SQLITE_STATIC);
  const int rc = sqlite3_step(_select);
  if (rc == SQLITE_ROW) value = valueOf(_select, 0);
  sqlite3_reset(_select);
  return statusOf(rc);
}

Status SqliteBacking::read(const std::string& key, std::optional<Value>& value) {
  if (_selectText == nullptr) return {};
  sqlite3_bind_text(_selectText, 1, key.data(), static_cast<int>(key.size()), SQLITE_STATIC);
  int rc = sqlite3_step(_selectText);
  sqlite3_int64 rowid = 0;
  bool bytes = false;
  if (rc == SQLITE_ROW) {
    rowid = sqlite3_column_int64(_selectText, 0);
    bytes = sqlite3_column_int(_selectText, 1) != 0;
    if (!bytes) value = valueOf(_selectText, 2);
  }
  sqlite3_reset(_selectText);
  if (!bytes) return statusOf(rc);
  sqlite3_blob* blob = nullptr;
  rc = sqlite3_blob_open(_db, "main", "entries", "value", rowid, 0, &blob);
  if (rc == SQLITE_OK) {
    std::string text(static_cast<std::size_t>(sqlite3_blob_bytes(blob)), '\0');
    rc = sqlite3_blob_read(blob, text.data(), static_cast<int>(text.size()), 0);
    if (rc == SQLITE_OK) value = Value::ofBytes(std::move(text));
  }
  sqlite3_blob_close(blob);
  // Changed between the two reads (another instance), or unreadable: the plain read.
  return rc == SQLITE_OK ? Status() : lookup(key, value);
}

Status SqliteBacking::write(const std::string& key, const Value& value) {
  if (_upsert == nullptr) {
    Status status = statusOf(SQLITE_CANTOPEN);
    status.quiet = true;  // without a database at all the failure was reported when opening
    return status;
  }
  sqlite3_bind_text(_upsert, 1, key.data(), static_cast<int>(key.size()), SQLITE_STATIC);
  // Explicit lengths keep every byte, NULs included.
  int rc = SQLITE_OK;
  switch (value.kind) {
    case Value::Kind::Integer: rc = sqlite3_bind_int64(_upsert, 2, value.integer); break;
    case Value::Kind::Real: rc = sqlite3_bind_double(_upsert, 2, value.real); break;
    case Value::Kind::Bytes:
      rc = sqlite3_bind_text64(_upsert, 2, value.bytes.data(), value.bytes.size(), SQLITE_STATIC,
                               SQLITE_UTF8);
      break;
  }
  if (rc == SQLITE_OK) rc = sqlite3_step(_upsert);
  sqlite3_reset(_upsert);
  sqlite3_clear_bindings(_upsert);
  return statusOf(rc);
}

Status SqliteBacking::readAll(Entries& entries) {
  if (_db == nullptr) return {};
  sqlite3_stmt* s = nullptr;
  int rc = sqlite3_prepare_v2(_db, kSelectAll, -1, &s, nullptr);
  while (rc == SQLITE_OK && (rc = sqlite3_step(s)) == SQLITE_ROW) {
    std::optional<Value> value = valueOf(s, 1);
    if (value) entries.emplace_back(std::string(columnView(s, 0)), std::move(*value));
    rc = SQLITE_OK;
  }
  sqlite3_finalize(s);
  return statusOf(rc);
}

Status SqliteBacking::begin() {
  if (_db == nullptr) return {};
  // IMMEDIATE takes the write lock now, waiting on the busy timeout, instead of failing on
  // a lock upgrade halfway through.
  return statusOf(exec(_db, "BEGIN IMMEDIATE"));
}

Status SqliteBacking::commit() {
  if (!inTransaction()) return {};
  const int rc = exec(_db, "COMMIT");
  if (rc != SQLITE_OK && sqlite3_get_autocommit(_db) == 0) exec(_db, "ROLLBACK");
  return statusOf(rc);
}

void SqliteBacking::rollback() {
  if (inTransaction()) exec(_db, "ROLLBACK");
}

bool SqliteBacking::inTransaction() const { return _db != nullptr && sqlite3_get_autocommit(_db) == 0; }

void SqliteBacking::setBusyTimeout(int milliseconds) {
  if (_db != nullptr) sqlite3_busy_timeout(_db, milliseconds);
}

}  // namespace storage
}  // namespace cocos2d
