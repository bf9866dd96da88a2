#include "cocos/base/StoreOpening.h"

#include <algorithm>
#include <filesystem>
#include <string_view>

#include "cocos/base/StoreFiles.h"
#include "cocos/base/StoreSql.h"

namespace cocos2d {
namespace storage {
namespace {

namespace fs = std::filesystem;

constexpr const char* kEntriesColumns =
    "SELECT name, upper(type), \"notnull\", pk FROM pragma_table_info('entries') ORDER BY cid";
// What kEntriesColumns gives for the table kCreateTable makes.
constexpr const char* kContractShape = "key TEXT 1 1;value  0 0;";

// Both checks return an SQLite error when they could not run, and describe in `damage` what is
// wrong when they ran and the file is not a store.
int quickCheck(sqlite3* db, std::string& damage) {
  sqlite3_stmt* s = nullptr;
  int rc = sqlite3_prepare_v2(db, "PRAGMA quick_check(1)", -1, &s, nullptr);
  if (rc == SQLITE_OK && (rc = sqlite3_step(s)) == SQLITE_ROW) {
    rc = SQLITE_OK;
    if (columnView(s, 0) != "ok") damage = columnView(s, 0);
  }
  sqlite3_finalize(s);
  return rc;
}

// A table called entries of another shape belongs to something else: writing into it would
// fail or mangle values, so it counts as damage. No table at all is a new store.
int checkShape(sqlite3* db, std::string& damage) {
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

bool isBusy(int rc) { return (rc & 0xff) == SQLITE_BUSY; }

// WAL lets a second instance read while this one writes. Switching a file to it takes the
// exclusive lock, and SQLite answers BUSY for that at once instead of calling the busy handler,
// so the wait happens here, up to the same timeout. Once another instance has made the switch
// the pragma just confirms it by answering "wal". SQLite answers another mode only where it
// cannot do WAL at all; the store still works there, with more waiting between instances.
int enableWal(sqlite3* db, int timeoutMs) {
  for (int waited = 0, pause = 1;; waited += pause, pause = std::min(pause * 2, 50)) {
    sqlite3_stmt* s = nullptr;
    int rc = sqlite3_prepare_v2(db, "PRAGMA journal_mode=WAL", -1, &s, nullptr);
    if (rc == SQLITE_OK) rc = sqlite3_step(s);
    sqlite3_finalize(s);
    if (rc == SQLITE_ROW) return SQLITE_OK;
    if (!isBusy(rc) || waited >= timeoutMs) return rc;
    sqlite3_sleep(pause);
  }
}

class Opener {
 public:
  Opener(const std::string& path, int busyTimeoutMs) : path_(path), busyTimeoutMs_(busyTimeoutMs) {}

  OpenedStore run() {
    std::string reason;
    const Outcome outcome = createPrivateFolders(fs::path(path_).parent_path().string(), reason)
                                ? openFile(reason)
                                : Outcome::Unusable;
    if (outcome == Outcome::Unusable) {
      runInMemory("cannot write the store at " + path_ + " (" + reason + ")");
    } else if (outcome == Outcome::Busy) {
      runInMemory("the store " + path_ + " is kept locked by another program (" + reason + ")");
    } else if (outcome == Outcome::Damaged) {
      replaceDamagedFile(reason);
    }
    return {db_, persistent_};
  }

 private:
  enum class Outcome { Ready, Damaged, Busy, Unusable };

  void close() {
    sqlite3_close_v2(db_);
    db_ = nullptr;
    persistent_ = false;
  }

  // Opens the file and proves it is a store with the expected table. When the file cannot be
  // used the connection is closed again; when it is damaged the connection stays open for
  // replaceDamagedFile.
  Outcome openFile(std::string& reason) {
    // The file is made here rather than by SQLite, which would make it readable by everyone.
    if (!createPrivateFile(path_, reason)) return Outcome::Unusable;
    int rc = sqlite3_open_v2(path_.c_str(), &db_, SQLITE_OPEN_READWRITE, nullptr);
    // SQLite quietly opens a write-protected file read-only; that is a location we cannot use.
    if (rc == SQLITE_OK && sqlite3_db_readonly(db_, "main") == 1) rc = SQLITE_READONLY;
    if (rc == SQLITE_OK) sqlite3_busy_timeout(db_, busyTimeoutMs_);
    // Checked before anything writes, so that a damaged file is set aside exactly as found.
    std::string damage;
    if (rc == SQLITE_OK) rc = quickCheck(db_, damage);
    if (rc == SQLITE_OK && damage.empty()) rc = checkShape(db_, damage);
    if (!damage.empty()) {
      reason = damage;
      return Outcome::Damaged;
    }
    // FULL makes each commit durable when it returns.
    if (rc == SQLITE_OK) rc = enableWal(db_, busyTimeoutMs_);
    if (rc == SQLITE_OK) rc = exec(db_, "PRAGMA synchronous=FULL");
    if (rc == SQLITE_OK) rc = exec(db_, kCreateTable);
    if (rc == SQLITE_OK) {
      persistent_ = true;
      return Outcome::Ready;
    }
    reason = rc == SQLITE_READONLY ? "the file is read-only"
             : db_ != nullptr      ? sqlite3_errmsg(db_)
                                   : sqlite3_errstr(rc);
    if (isDamage(rc)) return Outcome::Damaged;
    close();
    return isBusy(rc) ? Outcome::Busy : Outcome::Unusable;
  }

  void runInMemory(const std::string& why) {
    sayOnStderr(why + "; settings will not be kept this session");
    close();
    db_ = openMemoryStore();
  }

  // The damaged file is renamed while still open: closing the last connection deletes the
  // journal files, which belong with it. Systems that cannot rename open files get a second
  // try once it is closed.
  void replaceDamagedFile(std::string reason) {
    std::string aside;
    bool moved = setAside(path_, aside, reason);
    close();
    if (!moved) moved = setAside(path_, aside, reason);
    if (!moved) {
      runInMemory("the store " + path_ + " is damaged and could not be set aside (" + reason + ")");
    } else if (openFile(reason) == Outcome::Ready) {
      sayOnStderr("the store " + path_ + " was damaged; it was set aside as " + aside +
                  " and a new store was started");
    } else {
      close();
      runInMemory("the store " + path_ + " was damaged and was set aside as " + aside +
                  ", but a new store cannot be written there (" + reason + ")");
    }
  }

  const std::string path_;
  const int busyTimeoutMs_;
  sqlite3* db_ = nullptr;
  bool persistent_ = false;
};

}  // namespace

OpenedStore openStore(const std::string& path, int busyTimeoutMs) {
  return Opener(path, busyTimeoutMs).run();
}

// With no usable file the store lives in an SQLite memory database, so every path through the
// code stays the same.
sqlite3* openMemoryStore() {
  sqlite3* db = nullptr;
  if (sqlite3_open_v2(":memory:", &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) !=
          SQLITE_OK ||
      exec(db, kCreateTable) != SQLITE_OK) {
    sqlite3_close_v2(db);
    return nullptr;
  }
  return db;
}

}  // namespace storage
}  // namespace cocos2d
