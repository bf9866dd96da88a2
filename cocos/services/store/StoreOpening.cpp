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
  Opener(const std::string& path, int busyTimeoutMs) : _path(path), _busyTimeoutMs(busyTimeoutMs) {}

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
    return {_db, _persistent};
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
    const std::string setAsideAs = "the store " + _path + " was damaged and was set aside as " +
                                   aside;
    switch (outcome) {
      case Outcome::Ready:
        if (!aside.empty()) {
          sayOnStderr("the store " + _path + " was damaged; it was set aside as " + aside +
                      " and a new store was started");
        }
        return;
      case Outcome::Damaged:
        runInMemory(aside.empty() ? "the store " + _path +
                                        " is damaged and could not be set aside (" + reason + ")"
                                  : setAsideAs + ", but the new store is damaged too (" +
                                        reason + ")");
        return;
      case Outcome::Foreign:
        runInMemory(notAStore());
        return;
      case Outcome::Busy:
        runInMemory("the store " + _path + " is kept locked by another program (" + reason + ")");
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
    sqlite3_close_v2(_db);
    _db = nullptr;
    _persistent = false;
  }

  // Opens the file and proves it is a store with the expected table. When it is damaged the
  // connection stays open for setAsideIfStillThere; otherwise it is closed unless Ready.
  Outcome openFile(std::string& reason) {
    // The file is made here rather than by SQLite, which would make it readable by everyone.
    if (!identityOf(_path).exists) {
      // Under the folder's lock: an instance setting a damaged file aside holds it until the
      // journal files have followed, so the new file never finds them beside it.
      const FolderLock lock(folder(), _busyTimeoutMs);
      if (!createPrivateFile(_path, reason)) return Outcome::Unusable;
    }
    std::error_code ec;
    const bool walExisted = fs::exists(_path + "-wal", ec);
    // The identity taken before opening and again after the first read proves which file the
    // connection has, should another instance set it aside meanwhile.
    _identity = identityOf(_path);
    int rc = sqlite3_open_v2(_path.c_str(), &_db, SQLITE_OPEN_READWRITE, nullptr);
    // SQLite quietly opens a write-protected file read-only; that is a location we cannot use.
    if (rc == SQLITE_OK && sqlite3_db_readonly(_db, "main") == 1) rc = SQLITE_READONLY;
    if (rc == SQLITE_OK) sqlite3_busy_timeout(_db, _busyTimeoutMs);
    // Checked before anything writes, so that a damaged file is set aside exactly as found
    // and another program's database is left exactly as it was.
    Contents contents = Contents::Store;
    if (rc == SQLITE_OK) rc = inspect(_db, contents, reason);
    // SQLite opens the -wal and -shm by name at the first read. A damaged file is renamed
    // before its journal files, so while the same file is still at the path they were its
    // own; afterwards they may be those of the new store another instance started, and what
    // this connection read is a mixture of both.
    if (identityOf(_path) != _identity || !_identity.exists) {
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
    if (rc == SQLITE_OK) rc = enableWal(_db, _busyTimeoutMs);
    if (rc == SQLITE_OK) rc = exec(_db, "PRAGMA synchronous=FULL");
    if (rc == SQLITE_OK) rc = exec(_db, kCreateTable);
    if (rc == SQLITE_OK) {
      _persistent = true;
      return Outcome::Ready;
    }
    reason = rc == SQLITE_READONLY ? "it is read-only" : sqlite3_errmsg(_db);
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
    const FolderLock lock(folder(), _busyTimeoutMs);
    if (identityOf(_path) != _identity) {
      closeWithoutCheckpoint();
      return Outcome::Replaced;
    }
    bool moved = setAside(_path, aside, reason);
    closeWithoutCheckpoint();
    if (!moved) moved = setAside(_path, aside, reason);
    return moved ? Outcome::Replaced : Outcome::Damaged;
  }

  // SQLite checkpoints when the last connection to a WAL file closes: it writes the -wal into
  // the database and deletes the -wal and -shm by name. That must not happen to a file this
  // store leaves as it is, nor to one no longer at the path, whose names may by then belong to
  // the files of another.
  void closeWithoutCheckpoint() {
    if (_db != nullptr) sqlite3_db_config(_db, SQLITE_DBCONFIG_NO_CKPT_ON_CLOSE, 1, nullptr);
    close();
  }

  std::string folder() const { return fs::path(_path).parent_path().string(); }

  std::string notAStore() const {
    return _path + " is another program's database, not a store; it was left as it is";
  }

  void runInMemory(const std::string& why) {
    sayOnStderr(why + "; settings will not be kept this session");
    closeWithoutCheckpoint();
    _db = openMemoryStore();
  }

  // A read-only file or folder, or a full disk, still shows the settings, history and memory
  // slots the file holds: they are copied into memory and the file is left alone.
  void runOnWhatCanBeRead(const std::string& reason) {
    closeWithoutCheckpoint();
    _db = openMemoryStore();
    Contents contents = Contents::Store;
    const bool read = readInto(_db, _path, _busyTimeoutMs, contents);
    const std::string why = contents == Contents::Foreign
                                ? notAStore()
                                : "cannot write the store at " + _path + " (" + reason + ")";
    sayOnStderr(why + (read ? "; its settings were read, but changes will not be kept this session"
                            : "; settings will not be kept this session"));
  }

  const std::string _path;
  const int _busyTimeoutMs;
  sqlite3* _db = nullptr;
  bool _persistent = false;
  FileIdentity _identity;
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
