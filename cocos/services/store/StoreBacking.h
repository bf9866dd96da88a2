// Where the store keeps its values: the interface of one system's backing (SQLite on Linux,
// the registry on Windows), and how a backing tells what went wrong.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "cocos/services/store/StoreValue.h"

namespace cocos2d {
namespace storage {

// The outcome of one operation. Failures of the same kind are reported once per run, so
// `kind` groups them (an SQLite primary code, a Windows error code) and `reason` words them.
struct Status {
  int kind = 0;
  std::string reason;
  bool damaged = false;  // the stored data itself is unreadable
  bool quiet = false;    // already said when the store was opened

  bool ok() const { return kind == 0 && !damaged; }
  static Status failure(int kind, std::string reason) { return Status{kind, std::move(reason), false, false}; }
};

using Entries = std::vector<std::pair<std::string, Value>>;

// One backing serves one UserDefault, on one thread at a time. Inside begin() .. commit() the
// writes reach other instances all together or not at all, and reads see them at once.
class Backing {
 public:
  virtual ~Backing() = default;

  // False when the values live in memory only.
  virtual bool persistent() const = 0;

  // Leaves value empty when the key is absent.
  virtual Status read(const std::string& key, std::optional<Value>& value) = 0;
  virtual Status write(const std::string& key, const Value& value) = 0;
  // Every key, in no particular order.
  virtual Status readAll(Entries& entries) = 0;

  virtual Status begin() = 0;
  virtual Status commit() = 0;
  virtual void rollback() = 0;
  // Whether a transaction is still open: some failures end it by themselves.
  virtual bool inTransaction() const = 0;

  // How long a write waits for another instance to finish its own.
  virtual void setBusyTimeout(int milliseconds) = 0;
};

// The system's backing for a store named by path (a file on Linux, a registry key on
// Windows). It never fails: where the location cannot be used it says so in one line on
// standard error and gives a backing in memory, holding what could be read.
std::unique_ptr<Backing> openBacking(const std::string& path, int busyTimeoutMs);

}  // namespace storage
}  // namespace cocos2d
