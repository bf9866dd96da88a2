#include "cocos/services/store/MemoryBacking.h"

#include <utility>

namespace cocos2d {
namespace storage {

MemoryBacking::MemoryBacking(Entries entries) {
  for (auto& entry : entries) _values[std::move(entry.first)] = std::move(entry.second);
}

Status MemoryBacking::read(const std::string& key, std::optional<Value>& value) {
  const auto it = _values.find(key);
  if (it != _values.end()) value = it->second;
  return {};
}

Status MemoryBacking::write(const std::string& key, const Value& value) {
  auto it = _values.find(key);
  if (_inTransaction && _before.count(key) == 0) {
    _before.emplace(key, it != _values.end() ? std::optional<Value>(std::move(it->second)) : std::nullopt);
  }
  if (it != _values.end()) {
    it->second = value;
  } else {
    _values.emplace(key, value);
  }
  return {};
}

Status MemoryBacking::readAll(Entries& entries) {
  entries.assign(_values.begin(), _values.end());
  return {};
}

Status MemoryBacking::begin() {
  _inTransaction = true;
  _before.clear();
  return {};
}

Status MemoryBacking::commit() {
  _inTransaction = false;
  _before.clear();
  return {};
}

void MemoryBacking::rollback() {
  for (auto& entry : _before) {
    if (entry.second) {
      _values[entry.first] = std::move(*entry.second);
    } else {
      _values.erase(entry.first);
    }
  }
  _before.clear();
  _inTransaction = false;
}

}  // namespace storage
}  // namespace cocos2d
