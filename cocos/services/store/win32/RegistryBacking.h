// The store's backing on Windows: the values of one registry key under HKEY_CURRENT_USER,
// shared by every running instance.
#pragma once

#include <windows.h>

#include <map>
#include <string>

#include "cocos/services/store/StoreBacking.h"
#include "cocos/services/store/win32/StoreMutex.h"

namespace cocos2d {
namespace storage {

// The program's own store. A path that starts with "HKEY_CURRENT_USER\" names its key;
// any other path is a store name, kept in HKEY_CURRENT_USER\Software\Pemtrix\Stores\<name>.
extern const char* const kDefaultStorePath;

// The key below HKEY_CURRENT_USER that path names, or false with the reason it names none.
bool storeKeyPath(const std::string& path, std::wstring& keyPath, std::string& why);

// A named mutex per key makes the instances take turns to write, and a transaction goes
// through a journal (StoreJournal.h), so that a kill at any moment leaves all of its writes or
// none.
class RegistryBacking : public Backing {
 public:
  // Takes over key, opened for reading and writing values.
  RegistryBacking(HKEY key, const std::wstring& keyPath, int busyTimeoutMs);
  ~RegistryBacking() override;
  RegistryBacking(const RegistryBacking&) = delete;
  RegistryBacking& operator=(const RegistryBacking&) = delete;

  // ERROR_SUCCESS when the instances' mutex could be had.
  DWORD mutexError() const { return _mutex.openError(); }
  // Applies what an instance killed in the middle of a transaction left, if another instance
  // is not busy with the store right now (it does so itself then).
  Status finishLeftovers();

  bool persistent() const override { return true; }
  Status read(const std::string& key, std::optional<Value>& value) override;
  Status write(const std::string& key, const Value& value) override;
  Status readAll(Entries& entries) override;
  Status begin() override;
  Status commit() override;
  void rollback() override;
  bool inTransaction() const override { return _inTransaction; }
  void setBusyTimeout(int milliseconds) override { _busyTimeoutMs = milliseconds; }

 private:
  // Both with the mutex held.
  Status finishJournal();
  // journalled: a journal holds these writes and goes once they are applied.
  Status applyTransaction(const Entries& writes, bool journalled);
  Status flush();

  HKEY _key;
  StoreMutex _mutex;
  int _busyTimeoutMs;
  bool _inTransaction = false;
  // The open transaction's writes, applied at commit; reads see them meanwhile.
  std::map<std::string, Value, std::less<>> _pending;
};

}  // namespace storage
}  // namespace cocos2d
