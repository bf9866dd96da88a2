// Takes turns with the other instances using one store: a named mutex per registry key, held
// while an instance writes, so that a transaction's journal is applied by one of them at a time.
#pragma once

#include <windows.h>

#include <string>

namespace cocos2d {
namespace storage {

// The mutex's name for a key path under HKEY_CURRENT_USER. Key names compare without regard
// to case, so two spellings of one key give one name. In the session's namespace: instances of
// one user in one logon session share it.
std::wstring mutexNameFor(const std::wstring& keyPath);

class StoreMutex {
 public:
  explicit StoreMutex(const std::wstring& keyPath);
  ~StoreMutex();
  StoreMutex(const StoreMutex&) = delete;
  StoreMutex& operator=(const StoreMutex&) = delete;

  // ERROR_SUCCESS, or why the mutex could not be had.
  DWORD openError() const { return _openError; }

  // Waits up to timeoutMs. A mutex whose holder died is held too: the journal tells what that
  // holder left unfinished. Recursive on one thread, as Windows mutexes are.
  bool lock(int timeoutMs);
  void unlock();

 private:
  HANDLE _handle = nullptr;
  DWORD _openError = ERROR_SUCCESS;
};

// Holds a StoreMutex for one scope, if it could be had.
class StoreLock {
 public:
  StoreLock(StoreMutex& mutex, int timeoutMs) : _mutex(mutex), _held(mutex.lock(timeoutMs)) {}
  ~StoreLock() {
    if (_held) _mutex.unlock();
  }
  StoreLock(const StoreLock&) = delete;
  StoreLock& operator=(const StoreLock&) = delete;

  bool held() const { return _held; }

 private:
  StoreMutex& _mutex;
  const bool _held;
};

}  // namespace storage
}  // namespace cocos2d
