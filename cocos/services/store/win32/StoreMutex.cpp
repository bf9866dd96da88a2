#include "cocos/services/store/win32/StoreMutex.h"

#include <cstdint>

namespace cocos2d {
namespace storage {

std::wstring mutexNameFor(const std::wstring& keyPath) {
  std::wstring upper = keyPath;
  if (!upper.empty()) CharUpperBuffW(upper.data(), static_cast<DWORD>(upper.size()));
  // Mutex names are limited to MAX_PATH characters and may not hold a backslash; a store
  // name alone may be 255 characters. A hash of the path fits in any case.
  std::uint64_t hash = 14695981039346656037ull;  // FNV-1a
  for (const wchar_t c : upper) {
    hash = (hash ^ static_cast<std::uint16_t>(c)) * 1099511628211ull;
  }
  static const wchar_t digits[] = L"0123456789abcdef";
  std::wstring name = L"Local\\Pemtrix.store.";
  for (int shift = 60; shift >= 0; shift -= 4) name += digits[(hash >> shift) & 0xF];
  return name;
}

StoreMutex::StoreMutex(const std::wstring& keyPath) {
  _handle = CreateMutexW(nullptr, FALSE, mutexNameFor(keyPath).c_str());
  if (_handle == nullptr) _openError = GetLastError();
}

StoreMutex::~StoreMutex() {
  if (_handle != nullptr) CloseHandle(_handle);
}

bool StoreMutex::lock(int timeoutMs) {
  if (_handle == nullptr) return false;
  const DWORD wait = WaitForSingleObject(_handle, timeoutMs < 0 ? 0 : static_cast<DWORD>(timeoutMs));
  return wait == WAIT_OBJECT_0 || wait == WAIT_ABANDONED;
}

void StoreMutex::unlock() {
  if (_handle != nullptr) ReleaseMutex(_handle);
}

}  // namespace storage
}  // namespace cocos2d
