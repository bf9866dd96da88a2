#include "cocos/services/store/win32/RegistryBacking.h"

#include <string_view>
#include <utility>

#include "cocos/services/store/MemoryBacking.h"
#include "cocos/services/store/StoreReport.h"
#include "cocos/services/store/win32/RegistryData.h"
#include "cocos/services/store/win32/StoreJournal.h"
#include "cocos/services/store/win32/WideText.h"

namespace cocos2d {
namespace storage {
namespace {

constexpr std::string_view kAbsolute = "HKEY_CURRENT_USER\\";
constexpr const wchar_t* kStoresKey = L"Software\\Pemtrix\\Stores\\";
// The registry's limits on names: of a key, and of a value.
constexpr std::size_t kLongestKeyName = 255;
constexpr std::size_t kLongestValueName = 16383;

Status failure(LONG code) { return Status::failure(static_cast<int>(code), errorText(code)); }

Status locked() { return Status::failure(WAIT_TIMEOUT, "locked by another instance"); }

// Every value but the journal, keys decoded.
LONG readValues(HKEY key, Entries& entries) {
  std::vector<std::wstring> names;
  LONG rc = registryValueNames(key, names);
  for (const std::wstring& name : names) {
    if (rc != ERROR_SUCCESS) break;
    if (name == kJournalValueName) continue;
    std::optional<Value> value;
    // A value another instance removed meanwhile comes back empty and is left out.
    rc = queryRegistryValue(key, name, value);
    if (value) entries.emplace_back(bytesFromWide(name), std::move(*value));
  }
  return rc;
}

// The writes of a journal left in key. Empty, with ERROR_SUCCESS, when there is none or when
// it cannot be read as one; only a hand edit makes that, since writing one value is atomic.
LONG readJournal(HKEY key, Entries& writes, bool& damaged) {
  std::optional<Value> journal;
  const LONG rc = queryRegistryValue(key, kJournalValueName, journal);
  damaged = journal && (journal->kind != Value::Kind::Bytes || !decodeJournal(journal->bytes, writes));
  if (damaged) writes.clear();
  return rc;
}

// A key that can be read but not written: the store runs in memory on what it holds, with
// any unfinished transaction applied there, as it would have been.
std::unique_ptr<Backing> readIntoMemory(const std::string& path, const std::wstring& keyPath,
                                        LONG writeError) {
  Entries entries;
  HKEY key = nullptr;
  LONG rc = RegOpenKeyExW(HKEY_CURRENT_USER, keyPath.c_str(), 0, KEY_QUERY_VALUE, &key);
  if (rc == ERROR_SUCCESS) {
    Entries journal;
    bool damaged = false;
    rc = readValues(key, entries);
    if (rc == ERROR_SUCCESS) rc = readJournal(key, journal, damaged);
    for (auto& write : journal) entries.emplace_back(std::move(write));
    RegCloseKey(key);
  }
  const bool read = rc == ERROR_SUCCESS;
  if (!read) entries.clear();
  sayOnStderr("cannot write the store at " + path + " (" + errorText(writeError) + ")" +
              (read ? "; its settings were read, but changes will not be kept this session"
                    : "; settings will not be kept this session"));
  // Later entries win: the journal's writes come after the values they replace.
  return std::make_unique<MemoryBacking>(std::move(entries));
}

}  // namespace

const char* const kDefaultStorePath = "HKEY_CURRENT_USER\\Software\\Pemtrix";

bool storeKeyPath(const std::string& path, std::wstring& keyPath, std::string& why) {
  if (path.compare(0, kAbsolute.size(), kAbsolute) == 0) {
    keyPath = wideFromBytes(std::string_view(path).substr(kAbsolute.size()));
    if (keyPath.empty() || keyPath.front() == L'\\' || keyPath.back() == L'\\' ||
        keyPath.find(L"\\\\") != std::wstring::npos) {
      why = "not a key path";
      return false;
    }
    return true;
  }
  const std::wstring name = wideFromBytes(path);
  if (name.find(L'\\') != std::wstring::npos) {
    why = "a store name cannot hold a backslash";
    return false;
  }
  if (name.size() > kLongestKeyName) {
    why = "a store name has at most " + std::to_string(kLongestKeyName) + " characters";
    return false;
  }
  keyPath = kStoresKey + name;
  return true;
}

std::unique_ptr<Backing> openBacking(const std::string& path, int busyTimeoutMs) {
  std::wstring keyPath;
  std::string why;
  if (!storeKeyPath(path, keyPath, why)) {
    sayOnStderr("cannot open the store " + path + " (" + why + "); settings will not be kept this session");
    return std::make_unique<MemoryBacking>();
  }
  HKEY key = nullptr;
  LONG rc = RegCreateKeyExW(HKEY_CURRENT_USER, keyPath.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                            KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, &key, nullptr);
  if (rc != ERROR_SUCCESS) return readIntoMemory(path, keyPath, rc);
  auto backing = std::make_unique<RegistryBacking>(key, keyPath, busyTimeoutMs);
  // Without the mutex the instances could not take turns over a journal.
  if (backing->mutexError() != ERROR_SUCCESS) {
    rc = static_cast<LONG>(backing->mutexError());
    backing.reset();
    return readIntoMemory(path, keyPath, rc);
  }
  const Status leftovers = backing->finishLeftovers();
  if (!leftovers.ok()) {
    sayOnStderr("cannot finish the last transaction of the store " + path + " (" + leftovers.reason +
                "); it is tried again at the next write");
  }
  return backing;
}

RegistryBacking::RegistryBacking(HKEY key, const std::wstring& keyPath, int busyTimeoutMs)
    : _key(key), _mutex(L"HKEY_CURRENT_USER\\" + keyPath), _busyTimeoutMs(busyTimeoutMs) {}

RegistryBacking::~RegistryBacking() {
  rollback();
  RegCloseKey(_key);
}

Status RegistryBacking::finishLeftovers() {
  // Not worth waiting for: whoever holds the mutex finishes any journal before it writes.
  const StoreLock lock(_mutex, 0);
  if (!lock.held()) return {};
  const Status status = finishJournal();
  return status.ok() ? flush() : status;
}

Status RegistryBacking::finishJournal() {
  Entries writes;
  bool damaged = false;
  const LONG rc = readJournal(_key, writes, damaged);
  if (rc != ERROR_SUCCESS) return failure(rc);
  if (damaged) {
    sayOnStderr("the store's journal of an unfinished transaction was unreadable and was dropped");
  } else if (writes.empty()) {
    return {};
  }
  return applyTransaction(writes, true);
}

// With a journal already written, or with none needed: applies the writes, then drops the
// journal. Should this instance die halfway, the journal is still there for the next.
Status RegistryBacking::applyTransaction(const Entries& writes, bool journalled) {
  for (const auto& write : writes) {
    const LONG rc = setRegistryValue(_key, wideFromBytes(write.first), write.second);
    if (rc != ERROR_SUCCESS) return failure(rc);
  }
  if (!journalled) return {};
  const LONG rc = RegDeleteValueW(_key, kJournalValueName);
  return rc == ERROR_SUCCESS || rc == ERROR_FILE_NOT_FOUND ? Status() : failure(rc);
}

Status RegistryBacking::flush() {
  const LONG rc = RegFlushKey(_key);
  return rc == ERROR_SUCCESS ? Status() : failure(rc);
}

Status RegistryBacking::read(const std::string& key, std::optional<Value>& value) {
  if (_inTransaction) {
    const auto it = _pending.find(key);
    if (it != _pending.end()) {
      value = it->second;
      return {};
    }
  }
  const std::wstring name = wideFromBytes(key);
  // No value has a longer name: the registry would only refuse the question.
  if (name.size() > kLongestValueName) return {};
  const LONG rc = queryRegistryValue(_key, name, value);
  return rc == ERROR_SUCCESS ? Status() : failure(rc);
}

Status RegistryBacking::write(const std::string& key, const Value& value) {
  const std::wstring name = wideFromBytes(key);
  // Refused now rather than at commit, where it would fail the whole transaction.
  if (name.size() > kLongestValueName) return failure(ERROR_INVALID_PARAMETER);
  if (_inTransaction) {
    _pending[key] = value;
    return {};
  }
  {
    const StoreLock lock(_mutex, _busyTimeoutMs);
    if (!lock.held()) return locked();
    // A journal another instance left must go first, or it would later undo this write.
    const Status status = finishJournal();
    if (!status.ok()) return status;
    const LONG rc = setRegistryValue(_key, name, value);
    if (rc != ERROR_SUCCESS) return failure(rc);
  }
  // Outside the lock: the other instances need not wait for the disk.
  return flush();
}

Status RegistryBacking::readAll(Entries& entries) {
  const LONG rc = readValues(_key, entries);
  if (_inTransaction) {
    for (const auto& write : _pending) entries.emplace_back(write.first, write.second);
  }
  return rc == ERROR_SUCCESS ? Status() : failure(rc);
}

// The mutex is held from here to the commit or rollback, as SQLite holds its write lock, so
// that no other instance writes in between.
Status RegistryBacking::begin() {
  if (!_mutex.lock(_busyTimeoutMs)) return locked();
  const Status status = finishJournal();
  if (!status.ok()) {
    _mutex.unlock();
    return status;
  }
  _inTransaction = true;
  _pending.clear();
  return {};
}

Status RegistryBacking::commit() {
  if (!_inTransaction) return {};
  Entries writes;
  writes.reserve(_pending.size());
  for (auto& write : _pending) writes.emplace_back(write.first, std::move(write.second));
  _pending.clear();
  _inTransaction = false;
  Status status;
  // One value is atomic by itself; more need the journal first.
  const bool journalled = writes.size() > 1;
  if (journalled) {
    const std::string journal = encodeJournal(writes);
    const LONG rc = journal.size() > MAXDWORD
                        ? ERROR_NOT_ENOUGH_MEMORY
                        : RegSetValueExW(_key, kJournalValueName, 0, REG_BINARY,
                                         reinterpret_cast<const BYTE*>(journal.data()),
                                         static_cast<DWORD>(journal.size()));
    if (rc != ERROR_SUCCESS) status = failure(rc);
  }
  if (status.ok()) status = applyTransaction(writes, journalled);
  _mutex.unlock();
  return status.ok() ? flush() : status;
}

void RegistryBacking::rollback() {
  if (!_inTransaction) return;
  _pending.clear();
  _inTransaction = false;
  _mutex.unlock();
}

}  // namespace storage
}  // namespace cocos2d
