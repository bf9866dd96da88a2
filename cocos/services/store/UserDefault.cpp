// What the store does the same on every system: values kept in memory when the backing
// refuses them, conversions, transactions joined and rolled back, and failures reported once.
#include "cocos/services/store/UserDefault.h"

#include <map>
#include <optional>
#include <set>
#include <string_view>

#include "cocos/services/store/MemoryBacking.h"
#include "cocos/services/store/StoreBacking.h"
#include "cocos/services/store/StoreReport.h"

namespace cocos2d {

using storage::Value;

namespace {

constexpr int kDefaultBusyTimeoutMs = 5000;

bool inMemoryByRequest(const std::string& path) { return path.empty() || path == ":memory:"; }

}  // namespace

struct UserDefault::Impl {
  std::string path;
  int busyTimeoutMs = kDefaultBusyTimeoutMs;
  std::unique_ptr<storage::Backing> backing;

  int transactionDepth = 0;
  // The backing holds an open transaction.
  bool transactionOpen = false;
  // The backing could not begin one: the transaction's writes stay in memory for this run,
  // so that other instances see none of them rather than some.
  bool transactionRefused = false;
  // Writes of the open transaction, so that they survive in `unsaved` if the commit fails.
  std::vector<std::pair<std::string, Value>> transactionWrites;
  // Writes the backing refused. Reads look here first, so a value written in this run reads
  // back even when it could not be kept; a later successful write of the key removes it.
  std::map<std::string, Value, std::less<>> unsaved;
  // Failure kinds already reported, so a failing disk gives one line, not one per key press.
  std::set<std::string> reported;

  explicit Impl(const std::string& requested) : path(requested) {
    if (inMemoryByRequest(path)) {
      backing = std::make_unique<storage::MemoryBacking>();
    } else {
      backing = storage::openBacking(path, busyTimeoutMs);
    }
  }

  ~Impl() { commit(); }

  void reportFailure(const char* action, const storage::Status& status) {
    if (status.quiet) return;
    const std::string where = backing->persistent() ? "the store " + path : "the in-memory store";
    const bool writing = action[0] == 'w';
    const std::string consequence = writing ? "changes are kept for this session only"
                                            : "values written earlier may be missing";
    if (status.damaged) {
      if (reported.insert("damaged").second) {
        storage::sayOnStderr(where + " is damaged (" + status.reason + "); " + consequence);
      }
    } else if (reported.insert(action + std::to_string(status.kind)).second) {
      storage::sayOnStderr("cannot " + std::string(action) + " " + where + " (" + status.reason +
                           "); " + consequence);
    }
  }

  const Value* findUnsaved(const char* key) const {
    if (unsaved.empty()) return nullptr;
    const auto it = unsaved.find(std::string_view(key));
    return it != unsaved.end() ? &it->second : nullptr;
  }

  std::optional<Value> lookup(const char* key) {
    if (const Value* v = findUnsaved(key)) return *v;
    std::optional<Value> value;
    const storage::Status status = backing->read(key, value);
    if (!status.ok()) reportFailure("read", status);
    return value;
  }

  void write(const char* key, Value value) {
    if (!transactionRefused) {
      const storage::Status status = backing->write(key, value);
      if (status.ok()) {
        const auto it = unsaved.find(std::string_view(key));
        if (it != unsaved.end()) unsaved.erase(it);
        if (transactionOpen) transactionWrites.emplace_back(key, std::move(value));
        return;
      }
      reportFailure("write", status);
      // Some failures end the whole transaction by themselves.
      if (transactionOpen && !backing->inTransaction()) abandonTransaction();
    }
    unsaved[key] = std::move(value);
  }

  void begin() {
    const storage::Status status = backing->begin();
    transactionOpen = status.ok();
    transactionRefused = !transactionOpen;
    if (transactionRefused) reportFailure("write", status);
  }

  void commit() {
    transactionRefused = false;
    if (!transactionOpen) return;
    const storage::Status status = backing->commit();
    if (status.ok()) {
      transactionWrites.clear();
    } else {
      reportFailure("write", status);
    }
    abandonTransaction();
  }

  void rollback() {
    if (transactionOpen) backing->rollback();
    transactionWrites.clear();
    transactionOpen = false;
    transactionRefused = false;
  }

  // Ends the transaction's bookkeeping; writes it still holds were not committed and are kept
  // for this run.
  void abandonTransaction() {
    for (auto& entry : transactionWrites) unsaved[entry.first] = std::move(entry.second);
    transactionWrites.clear();
    transactionOpen = false;
  }
};

namespace {

std::unique_ptr<UserDefault>& instanceSlot() {
  static std::unique_ptr<UserDefault> instance;
  return instance;
}

std::string& configuredPath() {
  static std::string path;
  return path;
}

}  // namespace

UserDefault* UserDefault::getInstance() {
  std::unique_ptr<UserDefault>& slot = instanceSlot();
  if (!slot) slot = std::make_unique<UserDefault>(configuredPath());
  return slot.get();
}

void UserDefault::setStorePath(const std::string& path) { configuredPath() = path; }

void UserDefault::destroyInstance() { instanceSlot().reset(); }

UserDefault::UserDefault(const std::string& path) : _impl(std::make_unique<Impl>(path)) {}

UserDefault::~UserDefault() = default;

int UserDefault::getIntegerForKey(const char* key, int defaultValue) {
  if (key == nullptr) return defaultValue;
  const std::optional<Value> value = _impl->lookup(key);
  return value ? storage::integerOf(*value) : defaultValue;
}

int UserDefault::getIntegerForKey(const char* key) { return getIntegerForKey(key, 0); }

std::string UserDefault::getStringForKey(const char* key) {
  return getStringForKey(key, std::string());
}

std::string UserDefault::getStringForKey(const char* key, const std::string& defaultValue) {
  if (key == nullptr) return defaultValue;
  std::optional<Value> value = _impl->lookup(key);
  if (!value) return defaultValue;
  // A long text moves out rather than being copied once more.
  return value->kind == Value::Kind::Bytes ? std::move(value->bytes) : storage::textOf(*value);
}

void UserDefault::setIntegerForKey(const char* key, int value) {
  if (key != nullptr) _impl->write(key, Value::ofInteger(value));
}

void UserDefault::setStringForKey(const char* key, const std::string& value) {
  if (key != nullptr) _impl->write(key, Value::ofBytes(value));
}

void UserDefault::flush() {}

void UserDefault::runInTransaction(const std::function<void()>& body) {
  if (!body) return;
  const bool outermost = _impl->transactionDepth == 0;
  if (outermost) _impl->begin();
  ++_impl->transactionDepth;
  try {
    body();
  } catch (...) {
    --_impl->transactionDepth;
    if (outermost) _impl->rollback();
    throw;
  }
  --_impl->transactionDepth;
  if (outermost) _impl->commit();
}

std::vector<std::pair<std::string, std::string>> UserDefault::allEntries() {
  storage::Entries stored;
  const storage::Status status = _impl->backing->readAll(stored);
  if (!status.ok()) _impl->reportFailure("read", status);
  std::map<std::string, std::string> merged;
  for (const auto& entry : stored) merged[entry.first] = storage::textOf(entry.second);
  for (const auto& entry : _impl->unsaved) merged[entry.first] = storage::textOf(entry.second);
  return {merged.begin(), merged.end()};
}

bool UserDefault::isPersistent() const { return _impl->backing->persistent(); }

void UserDefault::setBusyTimeout(int milliseconds) {
  _impl->busyTimeoutMs = milliseconds;
  _impl->backing->setBusyTimeout(milliseconds);
}

}  // namespace cocos2d
