// The key/value store's file: private permissions, damaged files set aside, another program's
// database left alone, and locations that cannot be written.
#include "cocos/services/store/UserDefault.h"

#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "tests/store/StoreTestSupport.h"

namespace {

using cocos2d::UserDefault;
using namespace store_test;

// History and memory slots are private. Only what the store creates is restricted: a folder of
// the user's that already exists keeps its permissions. The umask is cleared so that the
// modes asked for are the ones seen.
TEST(UserDefaultFile, FilesAndCreatedFoldersArePrivate) {
  struct ClearedUmask {
    mode_t old = umask(0);
    ~ClearedUmask() { umask(old); }
  } clearedUmask;
  TempFolder folder;
  fs::create_directory(folder.file("mine"));
  chmod(folder.file("mine").c_str(), 0755);
  // A link to a store yet to be made gets the store made where it points, journals beside it.
  fs::create_symlink(folder.file("mine/target.db"), folder.file("link.db"));
  const struct {
    std::string path;
    std::string file;
  } cases[] = {
      {folder.file("mine/pemtrix/sub/store.db"), folder.file("mine/pemtrix/sub/store.db")},
      {folder.file("link.db"), folder.file("mine/target.db")},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    UserDefault store(c.path);
    EXPECT_TRUE(store.isPersistent());
    store.setStringForKey("histString0", "secret");
    ASSERT_TRUE(fs::exists(c.file + "-wal"));
    for (const char* suffix : {"", "-wal", "-shm"}) {
      EXPECT_EQ(permissionsOf(c.file + suffix), "600") << suffix;
    }
  }
  EXPECT_EQ(permissionsOf(folder.file("mine/pemtrix/sub")), "700");
  EXPECT_EQ(permissionsOf(folder.file("mine/pemtrix")), "700");
  EXPECT_EQ(permissionsOf(folder.file("mine")), "755");
}

// A real store of several pages, as left on disk.
std::string validStoreBytes(const std::string& path) {
  {
    UserDefault store(path);
    for (int i = 0; i < 300; ++i) store.setStringForKey(std::to_string(i).c_str(), std::string(500, 'v'));
  }
  return readFile(path);
}

TEST(UserDefaultFile, DamagedFilesAreSetAsideAndReplaced) {
  const struct {
    const char* name;
    void (*make)(const std::string& path);
  } cases[] = {
      {"random bytes",
       [](const std::string& path) {
         std::mt19937 random(7);
         std::string bytes(8192, '\0');
         for (char& c : bytes) c = static_cast<char>(random());
         writeFile(path, bytes);
       }},
      {"truncated to half",
       [](const std::string& path) {
         const std::string bytes = validStoreBytes(path);
         writeFile(path, bytes.substr(0, bytes.size() / 2));
       }},
      {"only the header",
       [](const std::string& path) { writeFile(path, validStoreBytes(path).substr(0, 100)); }},
      {"entries of another shape",
       [](const std::string& path) { query(path, "CREATE TABLE entries (a, b, c)"); }},
      {"entries with text affinity",
       [](const std::string& path) {
         query(path, "CREATE TABLE entries (key TEXT PRIMARY KEY NOT NULL, value TEXT)");
       }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TempFolder folder;
    const std::string path = folder.file("store.db");
    c.make(path);
    const std::string damaged = readFile(path);

    testing::internal::CaptureStderr();
    {
      UserDefault store(path);
      EXPECT_TRUE(store.isPersistent());
      store.setIntegerForKey("bgix", 4);
    }
    const std::string err = testing::internal::GetCapturedStderr();
    const std::vector<std::string> aside = folder.setAside(false);
    ASSERT_EQ(aside.size(), 1u);
    EXPECT_TRUE(readFile(aside[0]) == damaged);  // compared, not printed: it is binary
    EXPECT_EQ(lineCount(err), 1) << err;
    EXPECT_NE(err.find("pemtrix: the store " + path + " was damaged"), std::string::npos) << err;
    EXPECT_NE(err.find(aside[0]), std::string::npos) << err;

    testing::internal::CaptureStderr();
    EXPECT_EQ(UserDefault(path).getIntegerForKey("bgix"), 4);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
  }
}

// A journal left next to a fresh database could be replayed into it, so it moves too; and a
// second damage in the same second must not overwrite the first one set aside.
TEST(UserDefaultFile, JournalMovesWithTheDamagedFileAndNamesNeverCollide) {
  TempFolder folder;
  const std::string path = folder.file("store.db");
  for (const char* round : {"1", "2"}) {
    writeFile(path, std::string("not a database ") + round);
    writeFile(path + "-wal", std::string("stale journal ") + round);
    testing::internal::CaptureStderr();
    UserDefault(path).setStringForKey("round", round);
    EXPECT_EQ(lineCount(testing::internal::GetCapturedStderr()), 1);
  }
  std::vector<std::string> contents;
  for (const std::string& name : folder.setAside()) contents.push_back(readFile(name));
  std::sort(contents.begin(), contents.end());
  EXPECT_EQ(contents, (std::vector<std::string>{"not a database 1", "not a database 2",
                                                "stale journal 1", "stale journal 2"}));
  EXPECT_EQ(UserDefault(path).getStringForKey("round"), "2");
}

// A database without an entries table but with tables of its own belongs to another program:
// it is neither set aside nor taken over, and stays exactly as it was, journal mode included.
TEST(UserDefaultFile, AnotherProgramsDatabaseIsLeftAsItIs) {
  const struct {
    const char* name;
    const char* sql;
    bool leftByACrash;  // the program died with its last writes still in the -wal
    const char* journalMode;
  } cases[] = {
      {"rollback journal", "CREATE TABLE notes (id INTEGER PRIMARY KEY, body TEXT); "
                           "INSERT INTO notes(body) VALUES('x')", false, "delete"},
      {"WAL", "PRAGMA journal_mode=WAL; CREATE TABLE notes (body); CREATE INDEX byBody ON notes(body)",
       false, "wal"},
      {"WAL after a crash", "PRAGMA journal_mode=WAL; CREATE TABLE notes (body)", true, "wal"},
      {"a view named entries", "CREATE VIEW entries AS SELECT 1 AS key, 2 AS value", false,
       "delete"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TempFolder folder;
    const std::string path = folder.file("store.db");
    if (c.leftByACrash) {
      const pid_t child = fork();
      ASSERT_GE(child, 0);
      if (child == 0) {
        sqlite3* db = nullptr;
        sqlite3_open(path.c_str(), &db);
        _exit(sqlite3_exec(db, c.sql, nullptr, nullptr, nullptr));
      }
      int status = 0;
      waitpid(child, &status, 0);
      ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    } else {
      query(path, c.sql);
    }
    const std::vector<std::string> names = folder.names();
    std::vector<std::string> bytes;
    for (const std::string& name : names) bytes.push_back(readFile(folder.file(name)));
    testing::internal::CaptureStderr();
    {
      UserDefault store(path);
      EXPECT_FALSE(store.isPersistent());
      store.setIntegerForKey("bgix", 3);
      EXPECT_EQ(store.getIntegerForKey("bgix"), 3);
    }
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(lineCount(err), 1) << err;
    EXPECT_EQ(err.rfind("pemtrix: " + path + " is another program's database", 0), 0u) << err;
    // The -shm is the lock and index memory that every reader writes to; only its presence
    // counts.
    ASSERT_EQ(folder.names(), names);
    for (size_t i = 0; i < names.size(); ++i) {
      if (names[i] == "store.db-shm") continue;
      EXPECT_TRUE(readFile(folder.file(names[i])) == bytes[i]) << names[i];
    }
    EXPECT_EQ(query(path, "PRAGMA journal_mode"), (Rows{{c.journalMode}}));
  }
}

// A store that cannot be written still shows what it holds: the file is read into the store
// in memory, the location is reported in one line, and nothing is written to the file. As root
// the child runs as nobody, for whom permission bits count; the full disk is a file size limit,
// which makes every file fail to grow as on a full disk, and needs no privilege.
TEST(UserDefaultFile, UnwritableStoreIsReadIntoMemory) {
  const struct {
    const char* name;
    mode_t folderMode;
    mode_t fileMode;
    bool crashedWriter;  // the last writer died with its committed writes only in the -wal
    bool fullDisk;
  } cases[] = {
      {"read-only file", 0700, 0400, false, false},
      {"read-only folder", 0500, 0600, false, false},
      {"read-only folder and files, writes in the -wal", 0500, 0400, true, false},
      {"full disk", 0700, 0600, false, true},
  };
  const auto save = [](const std::string& path, bool crash) {
    UserDefault store(path);
    store.runInTransaction([&] {
      store.setIntegerForKey("Mem1", 12);
      store.setStringForKey("histString0", "1+2");
    });
    if (crash) _exit(store.isPersistent() ? 0 : 1);  // before closing moves the -wal over
    return store.isPersistent();
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TempFolder folder;
    const std::string path = folder.file("store.db");
    if (c.crashedWriter) {
      const pid_t writer = fork();
      ASSERT_GE(writer, 0);
      if (writer == 0) save(path, true);
      int status = 0;
      waitpid(writer, &status, 0);
      ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
      ASSERT_GT(fs::file_size(path + "-wal"), 0u);
    } else {
      ASSERT_TRUE(save(path, false));
    }
    const std::vector<std::string> names = folder.names();
    std::vector<std::string> bytes;
    for (const std::string& name : names) {
      bytes.push_back(readFile(folder.file(name)));
      chmod(folder.file(name).c_str(), c.fileMode);
    }
    chmod(folder.path().c_str(), c.folderMode);

    Limits limits;
    limits.unprivileged = true;
    limits.folder = folder.path();
    if (c.fullDisk) limits.fileSizeLimit = fs::file_size(path);
    const std::string seen = inChild(limits, [&path] {
      testing::internal::CaptureStderr();
      std::string seen;
      {
        UserDefault store(path);
        seen = store.isPersistent() ? "file" : "memory";
        for (const auto& entry : store.allEntries()) seen += "; " + entry.first + "=" + entry.second;
        store.setIntegerForKey("Mem1", 99);
        seen += store.getIntegerForKey("Mem1") == 99 ? "; a write reads back" : "; a write is lost";
      }
      return seen + "\n" + testing::internal::GetCapturedStderr();
    });
    chmod(folder.path().c_str(), 0700);

    const size_t end = seen.find('\n');
    EXPECT_EQ(seen.substr(0, end), "memory; Mem1=12; histString0=1+2; a write reads back") << seen;
    const std::string err = end == std::string::npos ? "" : seen.substr(end + 1);
    EXPECT_EQ(lineCount(err), 1) << err;
    EXPECT_EQ(err.rfind("pemtrix: cannot write the store at " + path + " (", 0), 0u) << err;
    // On a full disk SQLite may get as far as making an empty -wal and -shm. The -shm is the
    // lock and index memory that every reader writes to; what it holds does not count.
    if (!c.fullDisk) {
      EXPECT_EQ(folder.names(), names);
    }
    for (size_t i = 0; i < names.size(); ++i) {
      if (names[i] == "store.db-shm") continue;
      EXPECT_TRUE(readFile(folder.file(names[i])) == bytes[i]) << names[i];
    }
  }
}

TEST(UserDefaultFile, UnwritableLocationRunsInMemoryAndSaysSoOnce) {
  TempFolder folder;
  writeFile(folder.file("plain-file"), "keep me");
  fs::create_directory(folder.file("a-folder"));
  for (const std::string& path : {folder.file("plain-file/store.db"),
                                  folder.file("plain-file/sub/store.db"), folder.file("a-folder")}) {
    SCOPED_TRACE(path);
    testing::internal::CaptureStderr();
    {
      UserDefault store(path);
      EXPECT_FALSE(store.isPersistent());
      store.setIntegerForKey("CommaSep", 0);
      store.runInTransaction([&] { store.setStringForKey("histString0", "1+1"); });
      EXPECT_EQ(store.getIntegerForKey("CommaSep", 1), 0);
      EXPECT_EQ(store.allEntries(), (Entries{{"CommaSep", "0"}, {"histString0", "1+1"}}));
    }
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(lineCount(err), 1) << err;
    EXPECT_EQ(err.rfind("pemtrix: cannot write the store at " + path + " (", 0), 0u) << err;
  }
  EXPECT_EQ(readFile(folder.file("plain-file")), "keep me");
  EXPECT_TRUE(fs::is_empty(folder.file("a-folder")));
}

}  // namespace
