// The key/value store's values and conversions, its table and storage classes, transactions
// seen from another instance, and the default location.
#include "cocos/services/store/UserDefault.h"

#include <gtest/gtest.h>
#include <pwd.h>
#include <sqlite3.h>
#include <stdlib.h>
#include <unistd.h>

#include <climits>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/StoreLocation.h"
#include "tests/store/StoreCases.h"
#include "tests/store/StoreTestSupport.h"

namespace {

using cocos2d::UserDefault;
using namespace store_test;

TEST(UserDefaultValues, BytesAndIntegersSurviveReopening) {
  const Entries strings = store_cases::byteStrings();
  const std::vector<int> integers = store_cases::integers();
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
  UserDefault store("");
  for (const auto& c : store_cases::atoiCases()) {
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
  const store_cases::AllEntriesCase c = store_cases::allEntriesCase();
  UserDefault store("");
  for (const auto& i : c.integers) store.setIntegerForKey(i.first.c_str(), i.second);
  for (const auto& s : c.strings) store.setStringForKey(s.first.c_str(), s.second);
  EXPECT_EQ(store.allEntries(), c.expected);
}

TEST(UserDefaultFile, SchemaAndStorageClassesAreTheContracts) {
  TempFolder folder;
  const std::string path = folder.file("not/yet/there/store.db");
  UserDefault store(path);
  EXPECT_TRUE(store.isPersistent());
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
  ScopedEnv(const char* name, const char* value) : _name(name) {
    if (const char* old = getenv(name)) _old = old;
    value ? setenv(name, value, 1) : unsetenv(name);
  }
  ~ScopedEnv() { _old ? setenv(_name, _old->c_str(), 1) : unsetenv(_name); }

 private:
  const char* _name;
  std::optional<std::string> _old;
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
