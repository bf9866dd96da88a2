// The registry store's values: what each becomes in the registry and reads back as, the
// conversions, key names, store names, and transactions seen from another instance.
#include <gtest/gtest.h>

#include <climits>
#include <stdexcept>
#include <string>
#include <vector>

#include "cocos/services/store/UserDefault.h"
#include "tests/store/win32/RegistryTestSupport.h"

namespace {

using cocos2d::UserDefault;
using namespace registry_test;

TEST(RegistryValues, BytesAndIntegersSurviveReopening) {
  ScratchStore scratch("reopen");
  const Entries strings = store_cases::byteStrings();
  {
    UserDefault store(scratch.name());
    ASSERT_TRUE(store.isPersistent());
    for (const auto& s : strings) store.setStringForKey(s.first.c_str(), s.second);
    for (int i : store_cases::integers()) store.setIntegerForKey(std::to_string(i).c_str(), i);
  }
  UserDefault store(scratch.name());
  for (const auto& s : strings) EXPECT_TRUE(store.getStringForKey(s.first.c_str()) == s.second) << s.first;
  for (int i : store_cases::integers()) EXPECT_EQ(store.getIntegerForKey(std::to_string(i).c_str()), i);
}

// Text stays readable in the registry editor; only what REG_SZ cannot hold exactly is binary.
TEST(RegistryValues, EachValueHasTheTypeThatKeepsItsBytes) {
  const struct {
    std::string text;
    DWORD type;
    std::string raw;
  } strings[] = {
      {"1+2", REG_SZ, wideBytes(L"1+2")},
      {"", REG_SZ, wideBytes(L"")},
      {"\xc3\xa9\xe2\x82\xac\xf0\x9f\x98\x80", REG_SZ, wideBytes(L"\u00e9\u20ac\U0001F600")},
      {std::string("a\0b", 3), REG_BINARY, std::string("a\0b", 3)},
      {"\xff", REG_BINARY, "\xff"},
      {"\xed\xa0\x80", REG_BINARY, "\xed\xa0\x80"},  // a surrogate in UTF-8 is not UTF-8
      {"\xc0\xaf", REG_BINARY, "\xc0\xaf"},          // nor is an overlong form
  };
  ScratchStore scratch("types");
  UserDefault store(scratch.name());
  HKEY key = scratch.open();
  for (const auto& s : strings) {
    store.setStringForKey("s", s.text);
    const std::optional<RawValue> raw = rawValue(key, L"s");
    ASSERT_TRUE(raw);
    EXPECT_EQ(raw->type, s.type) << s.text;
    EXPECT_TRUE(raw->bytes == s.raw) << s.text;
  }
  store.setIntegerForKey("n", -2);
  EXPECT_EQ(rawValue(key, L"n")->type, static_cast<DWORD>(REG_DWORD));
  EXPECT_EQ(rawValue(key, L"n")->bytes, std::string("\xfe\xff\xff\xff"));
  RegCloseKey(key);
}

TEST(RegistryValues, IntegerReadOfTextFollowsAtoiAndClamps) {
  ScratchStore scratch("atoi");
  for (const std::string& name : {std::string(), scratch.name()}) {
    UserDefault store(name);
    for (const auto& c : store_cases::atoiCases()) {
      store.setStringForKey("k", c.text);
      EXPECT_EQ(store.getIntegerForKey("k", 99), c.expected) << '"' << c.text << "\" in " << name;
    }
  }
}

// Values another program or a hand edit put in the key read in a defined way.
TEST(RegistryValues, EveryRegistryTypeReadsAsIntegerAndText) {
  const struct {
    DWORD type;
    std::string raw;
    int integer;
    std::string text;
  } cases[] = {
      {REG_DWORD, std::string("\x00\x00\x00\x80", 4), INT_MIN, "-2147483648"},
      {REG_DWORD_BIG_ENDIAN, std::string("\x00\x00\x01\x02", 4), 258, "258"},
      {REG_QWORD, std::string("\x00\x1a\x71\x18\x02\x00\x00\x00", 8), INT_MAX, "9000000000"},
      {REG_QWORD, std::string("\x00\xe6\x8e\xe7\xfd\xff\xff\xff", 8), INT_MIN, "-9000000000"},
      {REG_SZ, wideBytes(L"  5 apples"), 5, "  5 apples"},
      {REG_SZ, wideBytes(L"12", false), 12, "12"},                        // no final NUL
      {REG_SZ, wideBytes(L"7") + std::string("\0", 1), 7, "7"},           // half a unit more
      {REG_EXPAND_SZ, wideBytes(L"%PATH%"), 0, "%PATH%"},                 // not expanded
      {REG_MULTI_SZ, wideBytes(L"12") + wideBytes(L"x") + wideBytes(L""), 12, "12"},
      {REG_BINARY, std::string("12\xff", 3), 12, "12\xff"},
      {REG_DWORD, std::string("\x05\x00", 2), 0, std::string("\x05\x00", 2)},  // cut short: bytes
      {REG_NONE, "", 0, ""},
  };
  ScratchStore scratch("types-read");
  UserDefault store(scratch.name());
  HKEY key = scratch.open();
  for (const auto& c : cases) {
    setRaw(key, L"k", c.type, c.raw);
    EXPECT_EQ(store.getIntegerForKey("k", 77), c.integer) << c.type << " " << c.text;
    EXPECT_TRUE(store.getStringForKey("k", "dflt") == c.text) << c.type << " " << c.text;
  }
  RegCloseKey(key);
  EXPECT_EQ(store.getIntegerForKey("absent", 3), 3);
  EXPECT_EQ(store.getStringForKey("absent"), "");
  store.setIntegerForKey(nullptr, 5);
  EXPECT_EQ(store.getIntegerForKey(nullptr, 4), 4);
}

TEST(RegistryValues, AllEntriesSortedByKeyBytesWithIntegersAsText) {
  const store_cases::AllEntriesCase c = store_cases::allEntriesCase();
  ScratchStore scratch("all");
  UserDefault store(scratch.name());
  for (const auto& i : c.integers) store.setIntegerForKey(i.first.c_str(), i.second);
  for (const auto& s : c.strings) store.setStringForKey(s.first.c_str(), s.second);
  EXPECT_EQ(store.allEntries(), c.expected);
  EXPECT_EQ(UserDefault(scratch.name()).allEntries(), c.expected);
}

// Value names are the keys as text, so the registry editor shows "SoundEffect". Bytes that are
// not UTF-8 still give a name of their own that names them back. The registry compares names
// without regard to case: keys that differ only in case are one value.
TEST(RegistryValues, KeysAreValueNames) {
  const struct {
    std::string key;
    std::wstring name;
  } cases[] = {
      {"SoundEffect", L"SoundEffect"},
      {"", L""},
      {"\xc3\xa9t\xc3\xa9", L"\u00e9t\u00e9"},
      {"\xff\x80", L"\xdcff\xdc80"},
      {"back\\slash", L"back\\slash"},
  };
  ScratchStore scratch("names");
  HKEY key = scratch.open();
  {
    UserDefault store(scratch.name());
    for (const auto& c : cases) store.setStringForKey(c.key.c_str(), "v" + c.key);
  }
  UserDefault store(scratch.name());
  for (const auto& c : cases) {
    EXPECT_TRUE(rawValue(key, c.name)) << c.key;
    EXPECT_EQ(store.getStringForKey(c.key.c_str()), "v" + c.key);
  }
  EXPECT_EQ(store.allEntries().size(), std::size(cases));
  store.setIntegerForKey("mem1", 1);
  store.setIntegerForKey("MEM1", 2);
  EXPECT_EQ(store.getIntegerForKey("mem1"), 2);
  RegCloseKey(key);
}

TEST(RegistryValues, StoreNamesSelectKeysOfTheirOwn) {
  const std::string absolute = "HKEY_CURRENT_USER\\Software\\Pemtrix\\Stores\\test-absolute";
  const struct {
    std::string name;
    bool persistent;
    std::string message;  // the start of the one line on standard error, if any
  } cases[] = {
      {"", false, ""},
      {":memory:", false, ""},
      {"test-named", true, ""},
      {absolute, true, ""},
      {"a\\b", false, "pemtrix: cannot open the store a\\b (a store name cannot hold a backslash)"},
      {std::string(256, 'n'), false, "pemtrix: cannot open the store " + std::string(256, 'n')},
      {"HKEY_CURRENT_USER\\", false, "pemtrix: cannot open the store HKEY_CURRENT_USER\\ (not a key path)"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    testing::internal::CaptureStderr();
    {
      UserDefault store(c.name);
      EXPECT_EQ(store.isPersistent(), c.persistent);
      store.setStringForKey("Mem1", c.name);
      EXPECT_EQ(store.getStringForKey("Mem1"), c.name);
    }
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(err.rfind(c.message, 0), 0u) << err;
    EXPECT_EQ(lineCount(err), c.message.empty() ? 0 : 1) << err;
  }
  // Each store is apart from the others and from the program's own, and key names compare
  // without regard to case.
  EXPECT_EQ(UserDefault("TEST-NAMED").getStringForKey("Mem1"), "test-named");
  EXPECT_EQ(UserDefault(absolute).getStringForKey("Mem1"), absolute);
  EXPECT_EQ(UserDefault(cocos2d::storage::kDefaultStorePath).getStringForKey("Mem1", "none"), "none");
  RegDeleteTreeW(HKEY_CURRENT_USER, keyPathOf("test-named").c_str());
  RegDeleteTreeW(HKEY_CURRENT_USER, keyPathOf("test-absolute").c_str());
}

TEST(RegistryTransaction, OtherInstancesSeeAllTheWritesOrNone) {
  ScratchStore scratch("transaction");
  UserDefault store(scratch.name());
  UserDefault observer(scratch.name());
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
    EXPECT_EQ(store.allEntries().size(), 21u);
  });
  EXPECT_EQ(seenByObserver(), 21);
  // The journal went with the commit.
  HKEY key = scratch.open(KEY_READ);
  EXPECT_FALSE(rawValue(key, cocos2d::storage::kJournalValueName));
  RegCloseKey(key);

  EXPECT_THROW(store.runInTransaction([&] {
    store.setIntegerForKey("nHistStrings", 0);
    throw std::runtime_error("interrupted");
  }),
               std::runtime_error);
  EXPECT_EQ(store.getIntegerForKey("nHistStrings"), 20);
  // No transaction is left open: the other instance can write, and this one sees it.
  observer.setStringForKey("histString3", "changed");
  EXPECT_EQ(store.getStringForKey("histString3"), "changed");
}

// The store in memory undoes a transaction that throws just as the registry does.
TEST(RegistryTransaction, MemoryStoreRollsBackToo) {
  UserDefault store("");
  store.setIntegerForKey("kept", 1);
  EXPECT_THROW(store.runInTransaction([&] {
    store.setIntegerForKey("kept", 2);
    store.setStringForKey("new", "x");
    throw std::runtime_error("interrupted");
  }),
               std::runtime_error);
  EXPECT_EQ(store.allEntries(), (Entries{{"kept", "1"}}));
}

}  // namespace
