// What the registry store costs: a write, a whole history, a 10 MB value written and read
// back. The figures are printed, not asserted; the round trip of 10 MB is.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "cocos/services/store/UserDefault.h"
#include "tests/store/win32/RegistryTestSupport.h"

namespace {

using cocos2d::UserDefault;
using namespace registry_test;
using Clock = std::chrono::steady_clock;

void saveHistory(UserDefault& store, const std::string& entry) {
  store.runInTransaction([&] {
    store.setIntegerForKey("nHistStrings", 20);
    for (int i = 0; i < 20; ++i) store.setStringForKey(("histString" + std::to_string(i)).c_str(), entry);
  });
}

TEST(RegistryCost, WritesAndHistories) {
  ScratchStore scratch("cost");
  UserDefault store(scratch.name());
  const int writes = 200;
  auto start = Clock::now();
  for (int i = 0; i < writes; ++i) store.setIntegerForKey("bgix", i % 10);
  std::printf("[ measured ] one integer write: %.3f ms\n", millisecondsSince(start) / writes);
  start = Clock::now();
  for (int i = 0; i < writes; ++i) store.getIntegerForKey("bgix");
  std::printf("[ measured ] one integer read: %.3f ms\n", millisecondsSince(start) / writes);
  const int histories = 50;
  start = Clock::now();
  for (int i = 0; i < histories; ++i) saveHistory(store, "1'234'567.89012345 " + std::to_string(i));
  std::printf("[ measured ] a whole history (21 values, journalled): %.3f ms\n", millisecondsSince(start) / histories);
}

TEST(RegistryCost, TenMegabyteValuesRoundTrip) {
  ScratchStore scratch("ten-mb");
  std::string text(10 << 20, '7');  // REG_SZ: 20 MB of UTF-16
  std::string bytes(10 << 20, '\0');  // REG_BINARY
  for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i * 13 % 256);
  UserDefault store(scratch.name());
  for (const auto* value : {&text, &bytes}) {
    const char* kind = value == &text ? "text" : "binary";
    auto start = Clock::now();
    store.setStringForKey("histString0", *value);
    std::printf("[ measured ] 10 MB %s write: %.1f ms\n", kind, millisecondsSince(start));
    start = Clock::now();
    const std::string back = UserDefault(scratch.name()).getStringForKey("histString0");
    std::printf("[ measured ] 10 MB %s read by a new instance: %.1f ms\n", kind, millisecondsSince(start));
    EXPECT_TRUE(back == *value) << kind;
  }
  // The journal holds every entry as well: a history of 10 MB entries is written twice.
  auto start = Clock::now();
  saveHistory(store, text.substr(0, 1 << 20));
  std::printf("[ measured ] a history of twenty 1 MB entries: %.1f ms\n", millisecondsSince(start));
  EXPECT_EQ(UserDefault(scratch.name()).getStringForKey("histString19").size(), 1u << 20);
}

}  // namespace
