// The key/value store shared by several instances: locks held by another instance, and two
// processes writing at once.
#include "cocos/services/store/UserDefault.h"

#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "tests/store/StoreTestSupport.h"

namespace {

using cocos2d::UserDefault;
using namespace store_test;

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

// Two instances that find one damaged file at the same moment: exactly one sets it aside,
// neither sets aside the fresh store the other started, and neither ends up in memory. The
// race is narrow, so it is run many times, on junk and on a store cut short, whose header
// makes SQLite open a -wal beside it.
TEST(UserDefaultFile, TwoProcessesFindTheSameDamagedStore) {
  std::string cutShort;
  {
    TempFolder scratch;
    const std::string path = scratch.file("store.db");
    {
      UserDefault store(path);
      for (int i = 0; i < 100; ++i) store.setStringForKey(std::to_string(i).c_str(), "value");
    }
    cutShort = readFile(path).substr(0, 4096 + 100);
  }
  for (int round = 0; round < 40; ++round) {
    SCOPED_TRACE(round);
    TempFolder folder;
    const std::string path = folder.file("store.db");
    const std::string damaged = round % 2 == 0 ? std::string(3000, 'j') : cutShort;
    writeFile(path, damaged);
    int start[2];
    ASSERT_EQ(pipe(start), 0);
    const auto openAndWrite = [&path](const char* key) {
      UserDefault store(path);
      store.setIntegerForKey(key, 1);
      return store.isPersistent();
    };
    testing::internal::CaptureStderr();
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      char go = 0;
      const bool released = read(start[0], &go, 1) == 1;
      _exit(released && openAndWrite("child") ? 0 : 1);
    }
    ASSERT_EQ(write(start[1], "g", 1), 1);
    const bool parentPersistent = openAndWrite("parent");
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    close(start[0]);
    close(start[1]);
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_TRUE(parentPersistent);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(lineCount(err), 1) << err;
    const std::vector<std::string> aside = folder.setAside(false);
    ASSERT_EQ(aside.size(), 1u);
    EXPECT_TRUE(readFile(aside[0]) == damaged);
    EXPECT_EQ(query(path, "SELECT key FROM entries ORDER BY key"), (Rows{{"child"}, {"parent"}}));
    if (HasFailure()) break;
  }
}

}  // namespace
