// The registry store's test program. Started with --child it is another instance of the
// program instead, for the tests that need two processes on one store.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "cocos/services/store/UserDefault.h"

namespace {

using cocos2d::UserDefault;

// Writes 500 integers under prefix and reads each back: exit status 0 when all went into the
// registry.
int writeKeys(const std::string& store, const std::string& prefix) {
  UserDefault defaults(store);
  bool ok = defaults.isPersistent();
  for (int i = 0; i < 500; ++i) {
    const std::string key = prefix + std::to_string(i);
    defaults.setIntegerForKey(key.c_str(), i);
    ok = ok && defaults.getIntegerForKey(key.c_str(), -1) == i;
  }
  return ok ? 0 : 1;
}

// Saves one whole history after another, as the calculator does after each evaluation, until
// it is killed: entry i of generation g starts with "g<g> i<i> ", padded to `size` bytes.
int saveHistories(const std::string& store, const std::string& size) {
  UserDefault defaults(store);
  const std::size_t length = std::stoul(size);
  for (int generation = 1; generation < 1000000; ++generation) {
    defaults.runInTransaction([&] {
      defaults.setIntegerForKey("nHistStrings", 20);
      for (int i = 0; i < 20; ++i) {
        std::string entry = "g" + std::to_string(generation) + " i" + std::to_string(i) + " ";
        entry.resize(std::max(length, entry.size()), 'x');
        defaults.setStringForKey(("histString" + std::to_string(i)).c_str(), entry);
      }
    });
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 2 && std::strcmp(argv[1], "--child") == 0) {
    const std::string role = argc > 2 ? argv[2] : "";
    if (role == "write-keys" && argc == 5) return writeKeys(argv[3], argv[4]);
    if (role == "save-histories" && argc == 5) return saveHistories(argv[3], argv[4]);
    return 2;
  }
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
