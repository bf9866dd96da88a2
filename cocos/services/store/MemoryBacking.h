// The store in memory: for "" and ":memory:", and for a location that cannot be used.
#pragma once

#include <map>
#include <optional>
#include <string>

#include "cocos/services/store/StoreBacking.h"

namespace cocos2d {
namespace storage {

class MemoryBacking : public Backing {
 public:
  MemoryBacking() = default;
  // Starts with what could be read from a location that cannot be written; of two entries
  // with one key, the later wins.
  explicit MemoryBacking(Entries entries);

  bool persistent() const override { return false; }
  Status read(const std::string& key, std::optional<Value>& value) override;
  Status write(const std::string& key, const Value& value) override;
  Status readAll(Entries& entries) override;
  Status begin() override;
  Status commit() override;
  void rollback() override;
  bool inTransaction() const override { return _inTransaction; }
  void setBusyTimeout(int) override {}

 private:
  // std::less<> compares std::string as memcmp does, so the keys are in byte order.
  std::map<std::string, Value, std::less<>> _values;
  bool _inTransaction = false;
  // What each key written in the open transaction held before it (nothing: it was absent),
  // so that a rollback puts it back without copying the whole store at begin.
  std::map<std::string, std::optional<Value>> _before;
};

}  // namespace storage
}  // namespace cocos2d
