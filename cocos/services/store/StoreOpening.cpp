#include "cocos/services/store/StoreOpening.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "cocos/services/store/StoreContents.h"
#include "cocos/services/store/StoreSql.h"
#include "cocos/services/store/posix/StoreFiles.h"

namespace cocos2d {
namespace storage {
namespace {

namespace fs = std::filesystem;

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
    std::string aside;  // where this instance put a damaged file
    Outcome outcome = Outcome::Unusable;
    if (createPrivateFolders(folder(), reason)) {
      for (int replaced = 0;;) {
        outcome = openFile(reason);
        if (outcome == Outcome::Damaged && aside.empty()) {
          outcome = setAsideIfStillThere(aside, reason);
          if (!aside.empty()) continue;  // open the new store in its place
        }
        if (outcome != Outcome::Replaced || ++replaced == kAttempts) break;
        reason = "another instance keeps replacing the file";
      }
    }
    report(outcome, reason, aside);
    return {db_, persistent_};
  }

 private:
  enum class Outcome {
    Ready,
    Replaced,  // the file at the path changed while this instance looked at it: look again
    Damaged,
    Foreign,
    Busy,
    Unusable,
  };

  // How often the file may change under this instance before it gives up: more than enough
  // for a few instances starting at once on a damaged file.
  static constexpr int kAttempts = 4;

  void report(Outcome outcome, const std::string& reason, const std::string& aside) {
    const std::string setAsideAs = "the store " + path_ + " was damaged and was set aside as " +
                                   aside;
    switch (outcome) {
      case Outcome::Ready:
        if (!aside.empty()) {
          sayOnStderr("the store " + path_ + " was damaged; it was set aside as " + aside +
                      " and a new store was started");
        }
        return;
      case Outcome::Damaged:
        runInMemory(aside.empty() ? "the store " + path_ +
                                        " is damaged and could not be set aside (" + reason + ")"
                                  : setAsideAs + ", but the new store is damaged too (" +
                                        reason + ")");
        return;
      case Outcome::Foreign:
        runInMemory(notAStore());
        return;
      case Outcome::Busy:
        runInMemory("the store " + path_ + " is kept locked by another program (" + reason + ")");
        return;
      case Outcome::Replaced:
      case Outcome::Unusable:
        if (aside.empty()) {
          runOnWhatCanBeRead(reason);
        } else {
          runInMemory(setAsideAs + ", but a new store cannot be written there (" + reason + ")");
        }
        return;
    }
  }

  void close() {
    sqlite3_close_v2(db_);
    db_ = nullptr;
    persistent_ = false;
  }

  // Opens the file and proves it is a store with the expected table. When it is damaged the
  // connection stays open for setAsideIfStillThere; otherwise it is closed unless Ready.
  Outcome openFile(std::string& reason) {
    // The file is made here rather than by SQLite, which would make it readable by everyone.
    if (!identityOf(path_).exists) {
      // Under the folder's lock: an instance setting a damaged file aside holds it until the
      // journal files have followed, so the new file never finds them beside it.
      const FolderLock lock(folder(), busyTimeoutMs_);
      if (!createPrivateFile(path_, reason)) return Outcome::Unusable;
    }
    std::error_code ec;
    const bool walExisted = fs::exists(path_ + "-wal", ec);
    // The identity taken before opening and again after the first read proves which file the
    // connection has, should another instance set it aside meanwhile.
    identity_ = identityOf(path_);
    int rc = sqlite3_open_v2(path_.c_str(), &db_, SQLITE_OPEN_READWRITE, nullptr);
    // SQLite quietly opens a write-protected file read-only; that is a location we cannot use.
    if (rc == SQLITE_OK && sqlite3_db_readonly(db_, "main") == 1) rc = SQLITE_READONLY;
    if (rc == SQLITE_OK) sqlite3_busy_timeout(db_, busyTimeoutMs_);
    // Checked before anything writes, so that a damaged file is set aside exactly as found
    // and another program's database is left exactly as it was.
    Contents contents = Contents::Store;
    if (rc == SQLITE_OK) rc = inspect(db_, contents, reason);
    // SQLite opens the -wal and -shm by name at the first read. A damaged file is renamed
    // before its journal files, so while the same file is still at the path they were its
    // own; afterwards they may be those of the new store another instance started, and what
    // this connection read is a mixture of both.
    if (identityOf(path_) != identity_ || !identity_.exists) {
      closeWithoutCheckpoint();
      return Outcome::Replaced;
    }
    if (rc == SQLITE_OK && contents == Contents::Damaged) return Outcome::Damaged;
    if (rc == SQLITE_OK && contents == Contents::Foreign) {
      // A -wal that was there already holds the other program's last writes; it moves them
      // into its file itself. One this connection made is empty and goes with a plain close.
      if (walExisted) closeWithoutCheckpoint();
      close();
      return Outcome::Foreign;
    }
    // FULL makes each commit durable when it returns.
    if (rc == SQLITE_OK) rc = enableWal(db_, busyTimeoutMs_);
    if (rc == SQLITE_OK) rc = exec(db_, "PRAGMA synchronous=FULL");
    if (rc == SQLITE_OK) rc = exec(db_, kCreateTable);
    if (rc == SQLITE_OK) {
      persistent_ = true;
      return Outcome::Ready;
    }
    reason = rc == SQLITE_READONLY ? "it is read-only" : sqlite3_errmsg(db_);
    if (isDamage(rc)) return Outcome::Damaged;
    close();
    return isBusy(rc) ? Outcome::Busy : Outcome::Unusable;
  }

  // Instances that find the same damaged file at once take turns under the folder's lock. The
  // first moves the file aside; the others then find another file at the path, leave it be,
  // and open that instead. The file is renamed while still open, for the sake of the
  // journal files that must go with it; systems that cannot rename open files get a second try
  // once it is closed.
  Outcome setAsideIfStillThere(std::string& aside, std::string& reason) {
    const FolderLock lock(folder(), busyTimeoutMs_);
    if (identityOf(path_) != identity_) {
      closeWithoutCheckpoint();
      return Outcome::Replaced;
    }
    bool moved = setAside(path_, aside, reason);
    closeWithoutCheckpoint();
    if (!moved) moved = setAside(path_, aside, reason);
    return moved ? Outcome::Replaced : Outcome::Damaged;
  }

  // SQLite checkpoints when the last connection to a WAL file closes: it writes the -wal into
  // the database and deletes the -wal and -shm by name. That must not happen to a file this
  // store leaves as it is, nor to one no longer at the path, whose names may by then belong to
  // the files of another.
  void closeWithoutCheckpoint() {
    if (db_ != nullptr) sqlite3_db_config(db_, SQLITE_DBCONFIG_NO_CKPT_ON_CLOSE, 1, nullptr);
    close();
  }

  std::string folder() const { return fs::path(path_).parent_path().string(); }

  std::string notAStore() const {
    return path_ + " is another program's database, not a store; it was left as it is";
  }

  void runInMemory(const std::string& why) {
    sayOnStderr(why + "; settings will not be kept this session");
    closeWithoutCheckpoint();
    db_ = openMemoryStore();
  }

  // A read-only file or folder, or a full disk, still shows the settings, history and memory
  // slots the file holds: they are copied into memory and the file is left alone.
  void runOnWhatCanBeRead(const std::string& reason) {
    closeWithoutCheckpoint();
    db_ = openMemoryStore();
    Contents contents = Contents::Store;
    const bool read = readInto(db_, path_, busyTimeoutMs_, contents);
    const std::string why = contents == Contents::Foreign
                                ? notAStore()
                                : "cannot write the store at " + path_ + " (" + reason + ")";
    sayOnStderr(why + (read ? "; its settings were read, but changes will not be kept this session"
                            : "; settings will not be kept this session"));
  }

  const std::string path_;
  const int busyTimeoutMs_;
  sqlite3* db_ = nullptr;
  bool persistent_ = false;
  FileIdentity identity_;
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
