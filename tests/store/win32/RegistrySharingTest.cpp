// The registry store shared by several instances: the mutex held by another instance, two
// processes writing at once, a kill in the middle of a history, keys that cannot be written,
// and what a dead instance's journal leaves.
#include <windows.h>
#include <sddl.h>

#include <gtest/gtest.h>

#include <chrono>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "cocos/services/store/UserDefault.h"
#include "tests/store/win32/RegistryTestSupport.h"

namespace {

using cocos2d::UserDefault;
using cocos2d::storage::encodeJournal;
using cocos2d::storage::kJournalValueName;
using cocos2d::storage::StoreMutex;
using cocos2d::storage::Value;
using namespace registry_test;

// Another instance holding the store past the timeout makes writes fail: they still read back
// in this run, the failure is reported once, a transaction's writes reach nothing even once
// the store is free again, and a later write succeeds.
TEST(RegistrySharing, RefusedWritesReadBackAndAreReportedOnce) {
  ScratchStore scratch("refused");
  UserDefault store(scratch.name());
  store.setBusyTimeout(20);
  store.setIntegerForKey("bgix", 2);
  StoreMutex other(L"HKEY_CURRENT_USER\\" + scratch.keyPath());
  // Windows mutexes are recursive: another thread stands for the other instance.
  HANDLE holder = CreateThread(nullptr, 0, [](void* mutex) -> DWORD {
    static_cast<StoreMutex*>(mutex)->lock(0);
    Sleep(INFINITE);
    return 0;
  }, &other, 0, nullptr);
  Sleep(100);

  testing::internal::CaptureStderr();
  store.setIntegerForKey("bgix", 5);
  store.setStringForKey("Mem2", "7");
  store.runInTransaction([&] { store.setStringForKey("histString0", "2*3"); });
  EXPECT_EQ(store.getIntegerForKey("bgix"), 5);
  EXPECT_EQ(store.allEntries(), (Entries{{"Mem2", "7"}, {"bgix", "5"}, {"histString0", "2*3"}}));
  const std::string err = testing::internal::GetCapturedStderr();
  EXPECT_EQ(lineCount(err), 1) << err;
  EXPECT_EQ(err.rfind("pemtrix: cannot write the store " + scratch.name() + " (locked by another instance)", 0), 0u)
      << err;

  TerminateThread(holder, 0);  // its mutex is abandoned: the next waiter gets it
  CloseHandle(holder);
  store.setIntegerForKey("bgix", 6);
  EXPECT_EQ(store.getIntegerForKey("bgix"), 6);
  EXPECT_EQ(UserDefault(scratch.name()).allEntries(), (Entries{{"bgix", "6"}}));
}

// The registry refuses value names over 16383 characters: such a key lives in memory.
TEST(RegistrySharing, KeyTooLongForTheRegistryReadsBackAndIsReportedOnce) {
  ScratchStore scratch("long-key");
  const std::string longKey(16384, 'k');
  const std::string longest(16383, 'k');
  UserDefault store(scratch.name());
  testing::internal::CaptureStderr();
  store.setIntegerForKey(longKey.c_str(), 1);
  store.runInTransaction([&] {
    store.setStringForKey(longKey.c_str(), "2");
    store.setStringForKey(longest.c_str(), "3");
  });
  const std::string err = testing::internal::GetCapturedStderr();
  EXPECT_EQ(lineCount(err), 1) << err;
  EXPECT_EQ(store.getStringForKey(longKey.c_str()), "2");
  EXPECT_EQ(UserDefault(scratch.name()).allEntries(), (Entries{{longest, "3"}}));
}

TEST(RegistrySharing, TwoProcessesWriteTheSameStoreAtOnce) {
  ScratchStore scratch("two-processes");
  Child first({"write-keys", scratch.name(), "first"});
  Child second({"write-keys", scratch.name(), "second"});
  ASSERT_TRUE(first.started() && second.started());
  EXPECT_EQ(first.wait(), 0);
  EXPECT_EQ(second.wait(), 0);
  const auto entries = UserDefault(scratch.name()).allEntries();
  ASSERT_EQ(entries.size(), 1000u);
  for (const auto& entry : entries) {
    EXPECT_EQ(entry.first.substr(entry.first.find_first_of("0123456789")), entry.second);
  }
}

// Which generation a stored history is, or why it is not one: every entry and the count must
// come from the same save.
std::string historyGeneration(const Entries& entries) {
  std::set<std::string> generations;
  int count = -1;
  int entriesSeen = 0;
  for (const auto& entry : entries) {
    if (entry.first == "nHistStrings") {
      count = std::stoi(entry.second);
    } else {
      generations.insert(entry.second.substr(0, entry.second.find(' ')));
      ++entriesSeen;
    }
  }
  if (count != 20 || entriesSeen != 20) return "a history of " + std::to_string(entriesSeen) + " entries";
  if (generations.size() != 1) return "a mix of " + std::to_string(generations.size()) + " generations";
  return *generations.begin();
}

// The calculator killed while it saves a history: whoever opens the store next finds the old
// history or the new one, whole. Kills land at random moments, before, during and after the
// journal; the entries are long so that applying one takes a while.
TEST(RegistrySharing, KillDuringHistoryWriteLeavesOldOrNew) {
  ScratchStore scratch("kill");
  std::mt19937 random(11);
  int journalsLeft = 0;
  const int rounds = 12;
  for (int round = 0; round < rounds; ++round) {
    SCOPED_TRACE(round);
    Child writer({"save-histories", scratch.name(), "200000"});
    ASSERT_TRUE(writer.started());
    // Waits for a first whole history, then lets it write a few more.
    const auto start = std::chrono::steady_clock::now();
    while (UserDefault(scratch.name()).getIntegerForKey("nHistStrings") != 20) {
      ASSERT_LT(millisecondsSince(start), 60000) << "the writer saved no history";
      Sleep(5);
    }
    Sleep(std::uniform_int_distribution<int>(0, 200)(random));
    writer.kill();

    HKEY key = scratch.open(KEY_READ);
    journalsLeft += rawValue(key, kJournalValueName).has_value();
    RegCloseKey(key);
    testing::internal::CaptureStderr();
    const Entries entries = UserDefault(scratch.name()).allEntries();
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    const std::string generation = historyGeneration(entries);
    EXPECT_EQ(generation[0], 'g') << generation;
    key = scratch.open(KEY_READ);
    EXPECT_FALSE(rawValue(key, kJournalValueName)) << "opening finishes the journal";
    RegCloseKey(key);
  }
  std::printf("[ measured ] %d of %d kills left a journal to finish\n", journalsLeft, rounds);
}

// What a dead instance's journal holds counts wherever the store is next used: a running
// instance's next write finishes it first, and a store that cannot be written reads it.
TEST(RegistrySharing, LeftoverJournalIsFinishedBeforeAnythingElse) {
  ScratchStore scratch("leftover");
  UserDefault running(scratch.name());
  running.setStringForKey("histString0", "old");
  HKEY key = scratch.open();
  const std::string journal = encodeJournal(
      {{"nHistStrings", Value::ofInteger(1)}, {"histString0", Value::ofBytes("new")}});
  setRaw(key, kJournalValueName, REG_BINARY, journal);
  running.setIntegerForKey("bgix", 3);
  EXPECT_EQ(running.allEntries(), (Entries{{"bgix", "3"}, {"histString0", "new"}, {"nHistStrings", "1"}}));
  EXPECT_FALSE(rawValue(key, kJournalValueName));

  // Cut short, as only a hand edit could: dropped, said once, nothing applied.
  setRaw(key, kJournalValueName, REG_BINARY, journal.substr(0, journal.size() - 1));
  testing::internal::CaptureStderr();
  running.setIntegerForKey("bgix", 4);
  const std::string err = testing::internal::GetCapturedStderr();
  EXPECT_EQ(lineCount(err), 1) << err;
  EXPECT_EQ(running.allEntries(), (Entries{{"bgix", "4"}, {"histString0", "new"}, {"nHistStrings", "1"}}));
  EXPECT_FALSE(rawValue(key, kJournalValueName));
  RegCloseKey(key);
}

// Sets the key's access list from SDDL: everyone may only read, or not even that.
void restrictKey(const ScratchStore& scratch, const wchar_t* sddl) {
  HKEY key = scratch.open();
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  ASSERT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorW(sddl, SDDL_REVISION_1, &descriptor, nullptr));
  EXPECT_EQ(RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, descriptor), ERROR_SUCCESS);
  LocalFree(descriptor);
  RegCloseKey(key);
}

// A key that cannot be written still shows what it holds, with a dead instance's transaction
// finished in memory; one that cannot even be read starts empty. Either is said in one line.
TEST(RegistrySharing, UnwritableKeyRunsInMemory) {
  const struct {
    const char* name;
    const wchar_t* sddl;
    Entries seen;
    std::string consequence;
  } cases[] = {
      {"read only", L"D:P(A;;KR;;;WD)",
       {{"Mem1", "12"}, {"histString0", "1+2"}, {"nHistStrings", "1"}},
       "its settings were read, but changes will not be kept this session"},
      {"no access", L"D:P", {}, "settings will not be kept this session"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ScratchStore scratch("unwritable");
    {
      UserDefault store(scratch.name());
      store.setIntegerForKey("Mem1", 12);
      store.setStringForKey("histString0", "old");
    }
    HKEY key = scratch.open();
    setRaw(key, kJournalValueName, REG_BINARY,
           encodeJournal({{"nHistStrings", Value::ofInteger(1)}, {"histString0", Value::ofBytes("1+2")}}));
    RegCloseKey(key);
    restrictKey(scratch, c.sddl);

    testing::internal::CaptureStderr();
    {
      UserDefault store(scratch.name());
      EXPECT_FALSE(store.isPersistent());
      store.runInTransaction([&] { store.setIntegerForKey("CommaSep", 0); });
      Entries expected = c.seen;
      expected.insert(expected.begin(), {"CommaSep", "0"});
      EXPECT_EQ(store.allEntries(), expected);
    }
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(lineCount(err), 1) << err;
    EXPECT_EQ(err.rfind("pemtrix: cannot write the store at " + scratch.name() + " (", 0), 0u) << err;
    EXPECT_NE(err.find(c.consequence), std::string::npos) << err;
  }
}

}  // namespace
