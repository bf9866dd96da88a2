#include "cocos/services/store/UserDefault.h"

#include <sqlite3.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <map>
#include <optional>
#include <set>
#include <string_view>

#include "cocos/services/store/StoreOpening.h"
#include "cocos/services/store/StoreSql.h"
#include "cocos/base/StringUtils.h"

namespace cocos2d {
namespace {

using storage::columnView;
using storage::isDamage;
using storage::sayOnStderr;

constexpr int kDefaultBusyTimeoutMs = 5000;

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
constexpr const char* kSelectAll = "SELECT key, value FROM entries ORDER BY key";

// A value held in memory: an integer or a byte string.
struct Value {
  bool isInteger = false;
  sqlite3_int64 integer = 0;
  std::string bytes;
};

int clampToInt(sqlite3_int64 v) {
  return v > INT_MAX ? INT_MAX : v < INT_MIN ? INT_MIN : static_cast<int>(v);
}

// Truncation toward zero; out-of-range values clamp and NaN gives 0, where a plain cast would
// be undefined behaviour.
int realToInt(double d) {
  if (std::isnan(d)) return 0;
  if (d >= static_cast<double>(INT_MAX)) return INT_MAX;
  if (d <= static_cast<double>(INT_MIN)) return INT_MIN;
  return static_cast<int>(d);
}

// What atoi gives for these bytes: leading white space, an optional sign, then digits up to
// the first non-digit. atoi overflows into undefined behaviour; this saturates instead.
int atoiBytes(std::string_view s) {
  size_t i = 0;
  while (i < s.size() && (s[i] == ' ' || (s[i] >= '\t' && s[i] <= '\r'))) ++i;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  const long long limit = negative ? -static_cast<long long>(INT_MIN) : INT_MAX;
  long long magnitude = 0;
  for (; i < s.size() && s[i] >= '0' && s[i] <= '9' && magnitude < limit; ++i) {
    magnitude = std::min(limit, magnitude * 10 + (s[i] - '0'));
  }
  return static_cast<int>(negative ? -magnitude : magnitude);
}

std::optional<int> integerOf(sqlite3_stmt* s, int col) {
  switch (sqlite3_column_type(s, col)) {
    case SQLITE_NULL: return std::nullopt;
    case SQLITE_INTEGER: return clampToInt(sqlite3_column_int64(s, col));
    case SQLITE_FLOAT: return realToInt(sqlite3_column_double(s, col));
    default: return atoiBytes(columnView(s, col));
  }
}

std::optional<std::string> textOf(sqlite3_stmt* s, int col) {
  switch (sqlite3_column_type(s, col)) {
    case SQLITE_NULL: return std::nullopt;
    case SQLITE_INTEGER: return std::to_string(sqlite3_column_int64(s, col));
    case SQLITE_FLOAT: return StringUtils::format("%.17g", sqlite3_column_double(s, col));
    default: return std::string(columnView(s, col));
  }
}

int integerOf(const Value& v) {
  return v.isInteger ? clampToInt(v.integer) : atoiBytes(v.bytes);
}

std::string textOf(const Value& v) { return v.isInteger ? std::to_string(v.integer) : v.bytes; }

}  // namespace

struct UserDefault::Impl {
  std::string path;
  sqlite3* db = nullptr;
  sqlite3_stmt* select = nullptr;
  sqlite3_stmt* selectText = nullptr;
  sqlite3_stmt* upsert = nullptr;
  bool persistent = false;
  int busyTimeoutMs = kDefaultBusyTimeoutMs;

  int transactionDepth = 0;
  bool transactionOpen = false;
  // Writes of the open transaction, so that they survive in `unsaved` if the commit fails.
  std::vector<std::pair<std::string, Value>> transactionWrites;
  // Writes the database refused. Reads look here first, so a value written in this run reads
  // back even when it could not be kept; a later successful write of the key removes it.
  std::map<std::string, Value, std::less<>> unsaved;
  // Failure kinds already reported, so a failing disk gives one line, not one per key press.
  std::set<std::string> reported;

  explicit Impl(const std::string& requested) : path(requested) {
    if (!path.empty() && path != ":memory:") {
      const storage::OpenedStore opened = storage::openStore(path, busyTimeoutMs);
      db = opened.db;
      persistent = opened.persistent;
    } else {
      db = storage::openMemoryStore();
    }
    const int rc = prepareStatements();
    if (rc == SQLITE_OK) return;
    // The table was there a moment ago; without it no path through the code works, so the
    // store starts afresh in memory. Should even that fail, writes end up in `unsaved` alone.
    if (persistent) {
      sayOnStderr("cannot read the store at " + path + " (" + sqlite3_errstr(rc) +
                  "); settings will not be kept this session");
    }
    close();
    db = storage::openMemoryStore();
    if (prepareStatements() != SQLITE_OK) close();
  }

  ~Impl() {
    commit();
    close();
  }

  void close() {
    sqlite3_finalize(select);
    sqlite3_finalize(selectText);
    sqlite3_finalize(upsert);
    select = selectText = upsert = nullptr;
    sqlite3_close_v2(db);
    db = nullptr;
    persistent = false;
  }

  int prepareStatements() {
    if (db == nullptr) return SQLITE_CANTOPEN;
    int rc = sqlite3_prepare_v3(db, kSelectValue, -1, SQLITE_PREPARE_PERSISTENT, &select, nullptr);
    if (rc == SQLITE_OK) {
      rc = sqlite3_prepare_v3(db, kSelectText, -1, SQLITE_PREPARE_PERSISTENT, &selectText, nullptr);
    }
    if (rc == SQLITE_OK) {
      rc = sqlite3_prepare_v3(db, kUpsertValue, -1, SQLITE_PREPARE_PERSISTENT, &upsert, nullptr);
    }
    return rc;
  }

  void reportFailure(const char* action, int rc) {
    const std::string where = persistent ? "the store " + path : "the in-memory store";
    const std::string code = sqlite3_errstr(rc);
    const bool writing = action[0] == 'w';
    const std::string consequence = writing ? "changes are kept for this session only"
                                            : "values written earlier may be missing";
    if (isDamage(rc)) {
      if (reported.insert("damaged").second) {
        sayOnStderr(where + " is damaged (" + code + "); " + consequence);
      }
    } else if (reported.insert(action + std::to_string(rc & 0xff)).second) {
      sayOnStderr("cannot " + std::string(action) + " " + where + " (" + code + "); " +
                  consequence);
    }
  }

  const Value* findUnsaved(const char* key) const {
    if (unsaved.empty()) return nullptr;
    const auto it = unsaved.find(std::string_view(key));
    return it != unsaved.end() ? &it->second : nullptr;
  }

  // Looks key up and hands the row to convert. The statement is reset at once: left open, its
  // read transaction would hide other instances' later writes.
  template <typename Convert>
  auto lookup(const char* key, Convert convert) -> decltype(convert(select)) {
    decltype(convert(select)) out;
    if (select == nullptr) return out;
    sqlite3_bind_text(select, 1, key, -1, SQLITE_STATIC);
    const int rc = sqlite3_step(select);
    if (rc == SQLITE_ROW) {
      out = convert(select);
    } else if (rc != SQLITE_DONE) {
      reportFailure("read", rc);
    }
    sqlite3_reset(select);
    return out;
  }

  // The value of key as text, or nothing when the key is absent.
  std::optional<std::string> lookupText(const char* key) {
    std::optional<std::string> out;
    if (selectText == nullptr) return out;
    sqlite3_bind_text(selectText, 1, key, -1, SQLITE_STATIC);
    int rc = sqlite3_step(selectText);
    sqlite3_int64 rowid = 0;
    bool bytes = false;
    if (rc == SQLITE_ROW) {
      rowid = sqlite3_column_int64(selectText, 0);
      bytes = sqlite3_column_int(selectText, 1) != 0;
      if (!bytes) out = textOf(selectText, 2);
    } else if (rc != SQLITE_DONE) {
      reportFailure("read", rc);
    }
    sqlite3_reset(selectText);
    if (!bytes) return out;
    sqlite3_blob* blob = nullptr;
    rc = sqlite3_blob_open(db, "main", "entries", "value", rowid, 0, &blob);
    if (rc == SQLITE_OK) {
      std::string text(static_cast<std::size_t>(sqlite3_blob_bytes(blob)), '\0');
      rc = sqlite3_blob_read(blob, text.data(), static_cast<int>(text.size()), 0);
      if (rc == SQLITE_OK) out = std::move(text);
    }
    sqlite3_blob_close(blob);
    if (rc != SQLITE_OK) {
      // Changed between the two reads (another instance), or unreadable: the plain read.
      return lookup(key, [](sqlite3_stmt* st) { return textOf(st, 0); });
    }
    return out;
  }

  void write(const char* key, Value value) {
    int rc = SQLITE_CANTOPEN;
    if (upsert != nullptr) {
      sqlite3_bind_text(upsert, 1, key, -1, SQLITE_STATIC);
      // Explicit lengths keep every byte, NULs included.
      rc = value.isInteger ? sqlite3_bind_int64(upsert, 2, value.integer)
                           : sqlite3_bind_text64(upsert, 2, value.bytes.data(), value.bytes.size(),
                                                 SQLITE_STATIC, SQLITE_UTF8);
      if (rc == SQLITE_OK) rc = sqlite3_step(upsert);
      sqlite3_reset(upsert);
      sqlite3_clear_bindings(upsert);
    }
    if (rc == SQLITE_DONE) {
      const auto it = unsaved.find(std::string_view(key));
      if (it != unsaved.end()) unsaved.erase(it);
      if (transactionOpen) transactionWrites.emplace_back(key, std::move(value));
      return;
    }
    // Without a database at all the failure was reported when opening.
    if (db != nullptr) reportFailure("write", rc);
    // Some errors make SQLite roll back the whole transaction by itself.
    if (transactionOpen && sqlite3_get_autocommit(db) != 0) abandonTransaction();
    unsaved[key] = std::move(value);
  }

  void begin() {
    if (db == nullptr) return;
    // IMMEDIATE takes the write lock now, waiting on the busy timeout, instead of failing on
    // a lock upgrade halfway through.
    const int rc = storage::exec(db, "BEGIN IMMEDIATE");
    transactionOpen = rc == SQLITE_OK;
    if (!transactionOpen) reportFailure("write", rc);
  }

  void commit() {
    if (!transactionOpen) return;
    const int rc = storage::exec(db, "COMMIT");
    if (rc == SQLITE_OK) {
      transactionWrites.clear();
    } else {
      reportFailure("write", rc);
      if (sqlite3_get_autocommit(db) == 0) storage::exec(db, "ROLLBACK");
    }
    abandonTransaction();
  }

  void rollback() {
    if (!transactionOpen) return;
    storage::exec(db, "ROLLBACK");
    transactionWrites.clear();
    transactionOpen = false;
  }

  // Ends the transaction's bookkeeping; writes it still holds were not committed and are kept
  // for this run.
  void abandonTransaction() {
    for (auto& entry : transactionWrites) unsaved[entry.first] = std::move(entry.second);
    transactionWrites.clear();
    transactionOpen = false;
  }
};

namespace {

std::unique_ptr<UserDefault>& instanceSlot() {
  static std::unique_ptr<UserDefault> instance;
  return instance;
}

std::string& configuredPath() {
  static std::string path;
  return path;
}

}  // namespace

UserDefault* UserDefault::getInstance() {
  std::unique_ptr<UserDefault>& slot = instanceSlot();
  if (!slot) slot = std::make_unique<UserDefault>(configuredPath());
  return slot.get();
}

void UserDefault::setStorePath(const std::string& path) { configuredPath() = path; }

void UserDefault::destroyInstance() { instanceSlot().reset(); }

UserDefault::UserDefault(const std::string& path) : _impl(std::make_unique<Impl>(path)) {}

UserDefault::~UserDefault() = default;

int UserDefault::getIntegerForKey(const char* key, int defaultValue) {
  if (key == nullptr) return defaultValue;
  if (const Value* v = _impl->findUnsaved(key)) return integerOf(*v);
  return _impl->lookup(key, [](sqlite3_stmt* s) { return integerOf(s, 0); }).value_or(defaultValue);
}

int UserDefault::getIntegerForKey(const char* key) { return getIntegerForKey(key, 0); }

std::string UserDefault::getStringForKey(const char* key) {
  return getStringForKey(key, std::string());
}

std::string UserDefault::getStringForKey(const char* key, const std::string& defaultValue) {
  if (key == nullptr) return defaultValue;
  if (const Value* v = _impl->findUnsaved(key)) return textOf(*v);
  return _impl->lookupText(key).value_or(defaultValue);
}

void UserDefault::setIntegerForKey(const char* key, int value) {
  if (key != nullptr) _impl->write(key, Value{true, value, std::string()});
}

void UserDefault::setStringForKey(const char* key, const std::string& value) {
  if (key != nullptr) _impl->write(key, Value{false, 0, value});
}

void UserDefault::flush() {}

void UserDefault::runInTransaction(const std::function<void()>& body) {
  if (!body) return;
  const bool outermost = _impl->transactionDepth == 0;
  if (outermost) _impl->begin();
  ++_impl->transactionDepth;
  try {
    body();
  } catch (...) {
    --_impl->transactionDepth;
    if (outermost) _impl->rollback();
    throw;
  }
  --_impl->transactionDepth;
  if (outermost) _impl->commit();
}

std::vector<std::pair<std::string, std::string>> UserDefault::allEntries() {
  std::map<std::string, std::string> merged;
  if (_impl->db != nullptr) {
    sqlite3_stmt* s = nullptr;
    int rc = sqlite3_prepare_v2(_impl->db, kSelectAll, -1, &s, nullptr);
    while (rc == SQLITE_OK && (rc = sqlite3_step(s)) == SQLITE_ROW) {
      std::optional<std::string> text = textOf(s, 1);
      if (text) merged[std::string(columnView(s, 0))] = std::move(*text);
      rc = SQLITE_OK;
    }
    sqlite3_finalize(s);
    if (rc != SQLITE_DONE) _impl->reportFailure("read", rc);
  }
  for (const auto& entry : _impl->unsaved) merged[entry.first] = textOf(entry.second);
  return {merged.begin(), merged.end()};
}

bool UserDefault::isPersistent() const { return _impl->persistent; }

void UserDefault::setBusyTimeout(int milliseconds) {
  _impl->busyTimeoutMs = milliseconds;
  if (_impl->db != nullptr) sqlite3_busy_timeout(_impl->db, milliseconds);
}

}  // namespace cocos2d
