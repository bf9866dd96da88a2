// The key/value store against its file contract: values, conversions, durability, damage and
// unwritable locations, sharing between processes, transactions; and the default location.
#include "cocos/base/UserDefault.h"

#include <gtest/gtest.h>
#include <pwd.h>
#include <sqlite3.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <climits>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <random>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "platform/StoreLocation.h"

namespace {

namespace fs = std::filesystem;
using cocos2d::UserDefault;
using Rows = std::vector<std::vector<std::string>>;
using Entries = std::vector<std::pair<std::string, std::string>>;

class TempFolder {
 public:
  TempFolder() : path_((fs::temp_directory_path() / "pemtrix-store-XXXXXX").string()) {
    if (mkdtemp(path_.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  }
  ~TempFolder() {
    std::error_code ec;
    fs::remove_all(path_, ec);
  }
  std::string file(const std::string& name) const { return path_ + "/" + name; }

  std::vector<std::string> names() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(path_)) {
      names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }

  // Files set aside from store.db, sorted, without the shared-memory index files SQLite
  // makes beside a database (they move along with it but hold nothing of their own).
  std::vector<std::string> setAside(bool withJournals = true) const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(path_)) {
      const std::string name = entry.path().filename().string();
      const std::string tail = name.substr(std::max<size_t>(name.size(), 4) - 4);
      if (name.rfind("store.db.damaged-", 0) != 0 || tail == "-shm") continue;
      if (withJournals || tail != "-wal") names.push_back(file(name));
    }
    std::sort(names.begin(), names.end());
    return names;
  }

 private:
  std::string path_;
};

// Runs sql through a separate connection, as another program looking at the file would.
Rows query(const std::string& path, const std::string& sql) {
  sqlite3* db = nullptr;
  Rows rows;
  if (sqlite3_open(path.c_str(), &db) == SQLITE_OK) {
    const auto addRow = [](void* out, int n, char** values, char**) {
      static_cast<Rows*>(out)->emplace_back(values, values + n);
      return 0;
    };
    sqlite3_exec(db, sql.c_str(), addRow, &rows, nullptr);
  }
  sqlite3_close(db);
  return rows;
}

void writeFile(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

long lineCount(const std::string& text) { return std::count(text.begin(), text.end(), '\n'); }

TEST(UserDefaultValues, BytesAndIntegersSurviveReopening) {
  std::string large(1 << 20, '\0');
  for (size_t i = 0; i < large.size(); ++i) large[i] = static_cast<char>(i * 7 % 256);
  const Entries strings = {{"empty", ""},
                           {"nul", std::string("nul\0inside", 10)},
                           {"ff", "\xff\xfe"},
                           {"bad utf-8", "\xc3\x28\xed\xa0\x80"},
                           {"1 MB", large}};
  const std::vector<int> integers = {INT_MIN, -1, 0, INT_MAX};
  TempFolder folder;
  {
    UserDefault store(folder.file("store.db"));
    for (const auto& s : strings) store.setStringForKey(s.first.c_str(), s.second);
    for (int i : integers) store.setIntegerForKey(std::to_string(i).c_str(), i);
  }
  UserDefault store(folder.file("store.db"));
  for (const auto& s : strings) EXPECT_TRUE(store.getStringForKey(s.first.c_str()) == s.second);
  for (int i : integers) EXPECT_EQ(store.getIntegerForKey(std::to_string(i).c_str()), i);
}

TEST(UserDefaultValues, IntegerReadOfTextFollowsAtoiAndClamps) {
  const struct {
    std::string text;
    int expected;
  } cases[] = {
      {"42", 42}, {"  -7x", -7}, {"abc", 0}, {"", 0}, {"+15", 15}, {"\t\n\v\f\r 8", 8},
      {"1e3", 1}, {"0x1A", 0}, {" - 5", 0}, {"\xef\xbc\x91", 0},  // full-width 1: no digit
      {std::string("12\0 34", 6), 12},
      {"2147483647", INT_MAX}, {"2147483648", INT_MAX}, {"99999999999", INT_MAX},
      {"-2147483648", INT_MIN}, {"-2147483649", INT_MIN}, {"-99999999999999999999999", INT_MIN},
  };
  UserDefault store("");
  for (const auto& c : cases) {
    store.setStringForKey("k", c.text);
    EXPECT_EQ(store.getIntegerForKey("k", 99), c.expected) << '"' << c.text << '"';
  }
}

// Any SQLite value another program put in the file reads in a defined way.
TEST(UserDefaultValues, EveryStorageClassReadsAsIntegerAndText) {
  const struct {
    const char* literal;
    std::optional<int> integer;  // nullopt: reads as absent
    const char* text;            // nullptr: not checked
  } cases[] = {
      {"0", 0, "0"},
      {"-2147483648", INT_MIN, "-2147483648"},
      {"9000000000", INT_MAX, "9000000000"},
      {"-9000000000", INT_MIN, "-9000000000"},
      {"2.9", 2, "2.8999999999999999"},
      {"-2.5", -2, "-2.5"},
      {"1e300", INT_MAX, nullptr},
      {"-1e300", INT_MIN, nullptr},
      {"x'3132ff'", 12, "12\xff"},
      {"'  5 apples'", 5, "  5 apples"},
      {"NULL", std::nullopt, "dflt"},
  };
  TempFolder folder;
  const std::string path = folder.file("store.db");
  UserDefault store(path);
  for (const auto& c : cases) {
    query(path, std::string("INSERT OR REPLACE INTO entries VALUES('k', ") + c.literal + ")");
    EXPECT_EQ(store.getIntegerForKey("k", 77), c.integer.value_or(77)) << c.literal;
    if (c.text != nullptr) {
      EXPECT_EQ(store.getStringForKey("k", "dflt"), c.text) << c.literal;
    }
  }
  EXPECT_EQ(store.getIntegerForKey("absent"), 0);
  EXPECT_EQ(store.getStringForKey("absent"), "");
  store.setIntegerForKey(nullptr, 5);
  EXPECT_EQ(store.getIntegerForKey(nullptr, 4), 4);
  EXPECT_EQ(store.allEntries(), Entries{});  // the NULL value counts as absent too
}

TEST(UserDefaultValues, AllEntriesSortedByKeyBytesWithIntegersAsText) {
  UserDefault store("");
  store.setStringForKey("a9", "nine");
  store.setIntegerForKey("a10", -10);
  store.setStringForKey("B", std::string("\0", 1));
  store.setIntegerForKey("\xc3\xa9", 1);
  store.setStringForKey("a", "");
  EXPECT_EQ(store.allEntries(), (Entries{{"B", std::string("\0", 1)},
                                         {"a", ""},
                                         {"a10", "-10"},
                                         {"a9", "nine"},
                                         {"\xc3\xa9", "1"}}));
}

TEST(UserDefaultFile, SchemaAndStorageClassesAreTheContracts) {
  TempFolder folder;
  const std::string path = folder.file("not/yet/there/store.db");
  UserDefault store(path);
  EXPECT_TRUE(store.isPersistent());
  EXPECT_EQ(store.path(), path);
  store.setIntegerForKey("n", 3);
  store.setStringForKey("s", "3");
  EXPECT_EQ(query(path, "SELECT sql FROM sqlite_master WHERE type = 'table'"),
            (Rows{{"CREATE TABLE entries (key TEXT PRIMARY KEY NOT NULL, value)"}}));
  EXPECT_EQ(query(path, "SELECT key, typeof(value) FROM entries ORDER BY key"),
            (Rows{{"n", "integer"}, {"s", "text"}}));
  EXPECT_EQ(query(path, "PRAGMA journal_mode"), (Rows{{"wal"}}));
}

TEST(UserDefaultFile, ProcessInstanceReopensAtTheConfiguredPath) {
  TempFolder folder;
  UserDefault::setStorePath(folder.file("store.db"));
  UserDefault::getInstance()->setStringForKey("histString0", "1+2");
  UserDefault::destroyInstance();
  EXPECT_TRUE(UserDefault::getInstance()->isPersistent());
  EXPECT_EQ(UserDefault::getInstance()->getStringForKey("histString0"), "1+2");
  UserDefault::destroyInstance();

  UserDefault::setStorePath("");
  EXPECT_FALSE(UserDefault::getInstance()->isPersistent());
  EXPECT_EQ(UserDefault::getInstance()->getStringForKey("histString0"), "");
  UserDefault::destroyInstance();
}

// In octal, as ls and chmod show them; "missing" when there is nothing at path.
std::string permissionsOf(const std::string& path) {
  struct stat info {};
  if (stat(path.c_str(), &info) != 0) return "missing";
  char text[8] = {};
  std::snprintf(text, sizeof text, "%o", static_cast<unsigned>(info.st_mode & 07777));
  return text;
}

// History and memory slots are private. Only what the store creates is restricted: a folder of
// the user's that already exists keeps its permissions. The umask is cleared so that the
// modes asked for are the ones seen.
TEST(UserDefaultFile, FilesAndCreatedFoldersArePrivate) {
  TempFolder folder;
  fs::create_directory(folder.file("mine"));
  chmod(folder.file("mine").c_str(), 0755);
  const std::string path = folder.file("mine/pemtrix/sub/store.db");
  const mode_t oldMask = umask(0);
  {
    UserDefault store(path);
    store.setStringForKey("histString0", "secret");
    ASSERT_TRUE(fs::exists(path + "-wal"));
    for (const char* suffix : {"", "-wal", "-shm"}) {
      EXPECT_EQ(permissionsOf(path + suffix), "600") << suffix;
    }
  }
  umask(oldMask);
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

// Another instance holding the write lock past the busy timeout makes writes fail: they still
// read back in this run, the failure is reported once, and a later write succeeds.
TEST(UserDefaultFile, RefusedWritesReadBackAndAreReportedOnce) {
  TempFolder folder;
  const std::string path = folder.file("store.db");
  UserDefault store(path);
  store.setBusyTimeout(20);
  store.setIntegerForKey("bgix", 2);
  sqlite3* other = nullptr;
  ASSERT_EQ(sqlite3_open(path.c_str(), &other), SQLITE_OK);
  ASSERT_EQ(sqlite3_exec(other, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);

  testing::internal::CaptureStderr();
  store.setIntegerForKey("bgix", 5);
  store.setStringForKey("Mem2", "7");
  store.runInTransaction([&] { store.setStringForKey("histString0", "2*3"); });
  EXPECT_EQ(store.getIntegerForKey("bgix"), 5);
  EXPECT_EQ(store.allEntries(), (Entries{{"Mem2", "7"}, {"bgix", "5"}, {"histString0", "2*3"}}));
  const std::string err = testing::internal::GetCapturedStderr();
  EXPECT_EQ(lineCount(err), 1) << err;
  EXPECT_NE(err.find("locked"), std::string::npos) << err;

  sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
  sqlite3_close(other);
  store.setIntegerForKey("bgix", 6);
  EXPECT_EQ(store.getIntegerForKey("bgix"), 6);
  EXPECT_EQ(query(path, "SELECT key, value FROM entries"), (Rows{{"bgix", "6"}}));
}

// Switching a file to WAL needs the exclusive lock, and SQLite reports BUSY for that at once
// instead of waiting. Another instance holding the write lock for a moment must be waited for,
// not taken for an unwritable location.
TEST(UserDefaultFile, OpeningWaitsOutAnotherInstancesWriteLock) {
  const struct {
    const char* name;
    const char* setup;  // run on the file before the other instance locks it
    Entries expected;
  } cases[] = {
      {"new empty file", "", {}},
      {"store in rollback mode", "PRAGMA journal_mode=DELETE; " 
       "CREATE TABLE entries (key TEXT PRIMARY KEY NOT NULL, value); "
       "INSERT INTO entries VALUES('Mem1', 42)", {{"Mem1", "42"}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TempFolder folder;
    const std::string path = folder.file("store.db");
    writeFile(path, "");
    query(path, c.setup);
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(path.c_str(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
    std::thread release([other] {
      std::this_thread::sleep_for(std::chrono::milliseconds(300));
      sqlite3_exec(other, "COMMIT", nullptr, nullptr, nullptr);
      sqlite3_close(other);
    });
    testing::internal::CaptureStderr();
    {
      UserDefault store(path);
      EXPECT_TRUE(store.isPersistent());
      EXPECT_EQ(store.allEntries(), c.expected);
      store.setIntegerForKey("bgix", 1);
      EXPECT_EQ(query(path, "PRAGMA journal_mode"), (Rows{{"wal"}}));
    }
    release.join();
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(query(path, "SELECT value FROM entries WHERE key = 'bgix'"), (Rows{{"1"}}));
  }
}

TEST(UserDefaultFile, TwoProcessesWriteTheSameStoreAtOnce) {
  TempFolder folder;
  const std::string path = folder.file("store.db");
  const auto writeKeys = [&path](const char* prefix) {
    UserDefault store(path);
    bool ok = store.isPersistent();
    for (int i = 0; i < 500; ++i) {
      const std::string key = prefix + std::to_string(i);
      store.setIntegerForKey(key.c_str(), i);
      ok = ok && store.getIntegerForKey(key.c_str(), -1) == i;
    }
    return ok;
  };
  testing::internal::CaptureStderr();
  // Both processes race to create the file too; neither may have a connection before fork.
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) _exit(writeKeys("child") ? 0 : 1);
  const bool parentOk = writeKeys("parent");
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
  EXPECT_TRUE(parentOk);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  EXPECT_EQ(query(path, "SELECT count(*) FROM entries"), (Rows{{"1000"}}));
}

TEST(UserDefaultTransaction, OtherInstancesSeeAllTheWritesOrNone) {
  TempFolder folder;
  UserDefault store(folder.file("store.db"));
  UserDefault observer(folder.file("store.db"));
  const auto seenByObserver = [&] {
    int seen = observer.getIntegerForKey("nHistStrings") == 20;
    for (int i = 0; i < 20; ++i) {
      seen += !observer.getStringForKey(("histString" + std::to_string(i)).c_str()).empty();
    }
    return seen;
  };
  store.runInTransaction([&] {
    store.setIntegerForKey("nHistStrings", 20);
    store.runInTransaction([&] {  // nested: joins the outer transaction
      for (int i = 0; i < 20; ++i) {
        store.setStringForKey(("histString" + std::to_string(i)).c_str(), std::to_string(i));
      }
    });
    EXPECT_EQ(seenByObserver(), 0);
    EXPECT_EQ(store.getStringForKey("histString19"), "19");
  });
  EXPECT_EQ(seenByObserver(), 21);

  EXPECT_THROW(store.runInTransaction([&] {
    store.setIntegerForKey("nHistStrings", 0);
    throw std::runtime_error("interrupted");
  }),
               std::runtime_error);
  EXPECT_EQ(store.getIntegerForKey("nHistStrings"), 20);
  // No transaction is left open, and nothing of this instance hides the other's writes.
  observer.setStringForKey("histString3", "changed");
  EXPECT_EQ(store.getStringForKey("histString3"), "changed");
}

// Sets (or, for nullptr, removes) an environment variable for one scope.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : name_(name) {
    if (const char* old = getenv(name)) old_ = old;
    value ? setenv(name, value, 1) : unsetenv(name);
  }
  ~ScopedEnv() { old_ ? setenv(name_, old_->c_str(), 1) : unsetenv(name_); }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

TEST(DefaultStorePath, FollowsXdgConfigHomeThenHome) {
  const passwd* account = getpwuid(getuid());
  ASSERT_NE(account, nullptr);
  const struct {
    const char* xdg;
    const char* home;
    std::string expected;
  } cases[] = {
      {"/cfg", "/home/u", "/cfg/pemtrix/store.db"},
      {"/cfg/", "/home/u", "/cfg/pemtrix/store.db"},
      {"", "/home/u", "/home/u/.config/pemtrix/store.db"},
      {nullptr, "/home/u/", "/home/u/.config/pemtrix/store.db"},
      {nullptr, nullptr, std::string(account->pw_dir) + "/.config/pemtrix/store.db"},
      // The XDG rules say a relative path is invalid and is to be ignored.
      {"cfg", "/home/u", "/home/u/.config/pemtrix/store.db"},
      {"./cfg", "/home/u", "/home/u/.config/pemtrix/store.db"},
      {"~/cfg", "/home/u", "/home/u/.config/pemtrix/store.db"},
  };
  for (const auto& c : cases) {
    ScopedEnv xdg("XDG_CONFIG_HOME", c.xdg);
    ScopedEnv home("HOME", c.home);
    EXPECT_EQ(platform::defaultStorePath(), c.expected);
  }
}

}  // namespace
