#include "cocos/base/UserDefault.h"

#include <sqlite3.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <map>
#include <optional>
#include <set>
#include <string_view>
#include <system_error>

#include "cocos/base/StringUtils.h"

namespace cocos2d {
namespace {

namespace fs = std::filesystem;

constexpr int kDefaultBusyTimeoutMs = 5000;

constexpr const char* kCreateTable =
    "CREATE TABLE IF NOT EXISTS entries (key TEXT PRIMARY KEY NOT NULL, value)";
constexpr const char* kSelectValue = "SELECT value FROM entries WHERE key = ?1";
constexpr const char* kUpsertValue =
    "INSERT INTO entries(key, value) VALUES(?1, ?2) "
    "ON CONFLICT(key) DO UPDATE SET value = excluded.value";
constexpr const char* kSelectAll = "SELECT key, value FROM entries ORDER BY key";
constexpr const char* kEntriesColumns =
    "SELECT name, upper(type), \"notnull\", pk FROM pragma_table_info('entries') ORDER BY cid";
// What kEntriesColumns gives for the table kCreateTable makes.
constexpr const char* kContractShape = "key TEXT 1 1;value  0 0;";

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

// Blob access gives TEXT bytes unconverted, so embedded NULs and invalid UTF-8 survive.
std::string_view columnView(sqlite3_stmt* s, int col) {
  const void* data = sqlite3_column_blob(s, col);
  const int size = sqlite3_column_bytes(s, col);
  return data != nullptr ? std::string_view(static_cast<const char*>(data), size)
                         : std::string_view();
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

bool isDamage(int rc) {
  const int primary = rc & 0xff;
  return primary == SQLITE_CORRUPT || primary == SQLITE_NOTADB;
}

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

void sayOnStderr(const std::string& line) { std::fprintf(stderr, "pemtrix: %s\n", line.c_str()); }

int exec(sqlite3* db, const char* sql) { return sqlite3_exec(db, sql, nullptr, nullptr, nullptr); }

}  // namespace

struct UserDefault::Impl {
  enum class Outcome { Ready, Damaged, Unusable };

  std::string path;
  sqlite3* db = nullptr;
  sqlite3_stmt* select = nullptr;
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
    if (path.empty() || path == ":memory:") {
      openMemory();
      return;
    }
    std::string reason;
    const Outcome outcome = createFolder(reason) ? openFile(reason) : Outcome::Unusable;
    if (outcome == Outcome::Unusable) {
      runInMemory("cannot write the store at " + path + " (" + reason + ")");
    } else if (outcome == Outcome::Damaged) {
      replaceDamagedFile(reason);
    }
  }

  ~Impl() {
    commit();
    close();
  }

  void close() {
    sqlite3_finalize(select);
    sqlite3_finalize(upsert);
    select = upsert = nullptr;
    sqlite3_close_v2(db);
    db = nullptr;
    persistent = false;
  }

  bool createFolder(std::string& reason) const {
    const fs::path folder = fs::path(path).parent_path();
    std::error_code ec;
    if (!folder.empty()) fs::create_directories(folder, ec);
    if (ec) reason = ec.message();
    return !ec;
  }

  // Opens the file and proves it is a store with the expected table. When the file cannot be
  // used the connection is closed again; when it is damaged the connection stays open for
  // replaceDamagedFile.
  Outcome openFile(std::string& reason) {
    int rc = sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                             nullptr);
    // SQLite quietly opens a write-protected file read-only; that is a location we cannot use.
    if (rc == SQLITE_OK && sqlite3_db_readonly(db, "main") == 1) rc = SQLITE_READONLY;
    if (rc == SQLITE_OK) sqlite3_busy_timeout(db, busyTimeoutMs);
    // Checked before anything writes, so that a damaged file is set aside exactly as found.
    std::string damage;
    if (rc == SQLITE_OK) rc = quickCheck(damage);
    if (rc == SQLITE_OK && damage.empty()) rc = checkShape(damage);
    if (!damage.empty()) {
      reason = damage;
      return Outcome::Damaged;
    }
    // WAL lets a second instance read while this one writes; FULL makes each commit durable.
    if (rc == SQLITE_OK) rc = exec(db, "PRAGMA journal_mode=WAL");
    if (rc == SQLITE_OK) rc = exec(db, "PRAGMA synchronous=FULL");
    if (rc == SQLITE_OK) rc = exec(db, kCreateTable);
    if (rc == SQLITE_OK) rc = prepareStatements();
    if (rc == SQLITE_OK) {
      persistent = true;
      return Outcome::Ready;
    }
    reason = rc == SQLITE_READONLY ? "the file is read-only"
             : db != nullptr       ? sqlite3_errmsg(db)
                                   : sqlite3_errstr(rc);
    if (isDamage(rc)) return Outcome::Damaged;
    close();
    return Outcome::Unusable;
  }

  // Both checks return an SQLite error when they could not run, and describe in `damage`
  // what is wrong when they ran and the file is not a store.
  int quickCheck(std::string& damage) {
    sqlite3_stmt* s = nullptr;
    int rc = sqlite3_prepare_v2(db, "PRAGMA quick_check(1)", -1, &s, nullptr);
    if (rc == SQLITE_OK && (rc = sqlite3_step(s)) == SQLITE_ROW) {
      rc = SQLITE_OK;
      if (columnView(s, 0) != "ok") damage = columnView(s, 0);
    }
    sqlite3_finalize(s);
    return rc;
  }

  // A table called entries of another shape belongs to something else: writing into it
  // would fail or mangle values, so it counts as damage. No table at all is a new store.
  int checkShape(std::string& damage) {
    sqlite3_stmt* s = nullptr;
    int rc = sqlite3_prepare_v2(db, kEntriesColumns, -1, &s, nullptr);
    std::string shape;
    while (rc == SQLITE_OK && (rc = sqlite3_step(s)) == SQLITE_ROW) {
      shape += std::string(columnView(s, 0)) + " " + std::string(columnView(s, 1)) + " " +
               std::to_string(sqlite3_column_int(s, 2)) + " " +
               std::to_string(sqlite3_column_int(s, 3)) + ";";
      rc = SQLITE_OK;
    }
    sqlite3_finalize(s);
    if (rc != SQLITE_DONE) return rc;
    if (!shape.empty() && shape != kContractShape) damage = "its table has another layout";
    return SQLITE_OK;
  }

  int prepareStatements() {
    int rc = sqlite3_prepare_v3(db, kSelectValue, -1, SQLITE_PREPARE_PERSISTENT, &select, nullptr);
    if (rc == SQLITE_OK) {
      rc = sqlite3_prepare_v3(db, kUpsertValue, -1, SQLITE_PREPARE_PERSISTENT, &upsert, nullptr);
    }
    return rc;
  }

  // With no usable file the store lives in an SQLite memory database, so every path through
  // the code stays the same. Should even that fail, writes end up in `unsaved` alone.
  void openMemory() {
    close();
    if (sqlite3_open_v2(":memory:", &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) !=
            SQLITE_OK ||
        exec(db, kCreateTable) != SQLITE_OK || prepareStatements() != SQLITE_OK) {
      close();
    }
  }

  void runInMemory(const std::string& why) {
    sayOnStderr(why + "; settings will not be kept this session");
    openMemory();
  }

  // The damaged file is renamed while still open: closing the last connection deletes the
  // journal files, which belong with it. Systems that cannot rename open files get a second
  // try once it is closed.
  void replaceDamagedFile(std::string reason) {
    std::string aside;
    bool moved = setAside(aside, reason);
    close();
    if (!moved) moved = setAside(aside, reason);
    if (!moved) {
      runInMemory("the store " + path + " is damaged and could not be set aside (" + reason + ")");
    } else if (openFile(reason) == Outcome::Ready) {
      sayOnStderr("the store " + path + " was damaged; it was set aside as " + aside +
                  " and a new store was started");
    } else {
      close();
      runInMemory("the store " + path + " was damaged and was set aside as " + aside +
                  ", but a new store cannot be written there (" + reason + ")");
    }
  }

  // Renames the file, and any journal files with it, to <path>.damaged-<time>[-n]. A stale
  // WAL left next to a fresh database could be replayed into it, so it must not stay behind.
  bool setAside(std::string& aside, std::string& reason) {
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
    const int rc = exec(db, "BEGIN IMMEDIATE");
    transactionOpen = rc == SQLITE_OK;
    if (!transactionOpen) reportFailure("write", rc);
  }

  void commit() {
    if (!transactionOpen) return;
    const int rc = exec(db, "COMMIT");
    if (rc == SQLITE_OK) {
      transactionWrites.clear();
    } else {
      reportFailure("write", rc);
      if (sqlite3_get_autocommit(db) == 0) exec(db, "ROLLBACK");
    }
    abandonTransaction();
  }

  void rollback() {
    if (!transactionOpen) return;
    exec(db, "ROLLBACK");
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

UserDefault::UserDefault(const std::string& path) : impl_(std::make_unique<Impl>(path)) {}

UserDefault::~UserDefault() = default;

int UserDefault::getIntegerForKey(const char* key, int defaultValue) {
  if (key == nullptr) return defaultValue;
  if (const Value* v = impl_->findUnsaved(key)) return integerOf(*v);
  return impl_->lookup(key, [](sqlite3_stmt* s) { return integerOf(s, 0); }).value_or(defaultValue);
}

int UserDefault::getIntegerForKey(const char* key) { return getIntegerForKey(key, 0); }

std::string UserDefault::getStringForKey(const char* key) {
  return getStringForKey(key, std::string());
}

std::string UserDefault::getStringForKey(const char* key, const std::string& defaultValue) {
  if (key == nullptr) return defaultValue;
  if (const Value* v = impl_->findUnsaved(key)) return textOf(*v);
  return impl_->lookup(key, [](sqlite3_stmt* s) { return textOf(s, 0); }).value_or(defaultValue);
}

void UserDefault::setIntegerForKey(const char* key, int value) {
  if (key != nullptr) impl_->write(key, Value{true, value, std::string()});
}

void UserDefault::setStringForKey(const char* key, const std::string& value) {
  if (key != nullptr) impl_->write(key, Value{false, 0, value});
}

void UserDefault::flush() {}

void UserDefault::runInTransaction(const std::function<void()>& body) {
  if (!body) return;
  const bool outermost = impl_->transactionDepth == 0;
  if (outermost) impl_->begin();
  ++impl_->transactionDepth;
  try {
    body();
  } catch (...) {
    --impl_->transactionDepth;
    if (outermost) impl_->rollback();
    throw;
  }
  --impl_->transactionDepth;
  if (outermost) impl_->commit();
}

std::vector<std::pair<std::string, std::string>> UserDefault::allEntries() {
  std::map<std::string, std::string> merged;
  if (impl_->db != nullptr) {
    sqlite3_stmt* s = nullptr;
    int rc = sqlite3_prepare_v2(impl_->db, kSelectAll, -1, &s, nullptr);
    while (rc == SQLITE_OK && (rc = sqlite3_step(s)) == SQLITE_ROW) {
      std::optional<std::string> text = textOf(s, 1);
      if (text) merged[std::string(columnView(s, 0))] = std::move(*text);
      rc = SQLITE_OK;
    }
    sqlite3_finalize(s);
    if (rc != SQLITE_DONE) impl_->reportFailure("read", rc);
  }
  for (const auto& entry : impl_->unsaved) merged[entry.first] = textOf(entry.second);
  return {merged.begin(), merged.end()};
}

bool UserDefault::isPersistent() const { return impl_->persistent; }

const std::string& UserDefault::path() const { return impl_->path; }

void UserDefault::setBusyTimeout(int milliseconds) {
  impl_->busyTimeoutMs = milliseconds;
  if (impl_->db != nullptr) sqlite3_busy_timeout(impl_->db, milliseconds);
}

}  // namespace cocos2d
