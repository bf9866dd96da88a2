// Shared by the registry store's tests, which run under Wine: a store key of each test's own,
// a look at the raw values behind the store, and copies of the test program run as other
// instances.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "cocos/services/store/win32/RegistryBacking.h"
#include "cocos/services/store/win32/StoreJournal.h"
#include "cocos/services/store/win32/StoreMutex.h"
#include "cocos/services/store/win32/WideText.h"
#include "tests/store/StoreCases.h"

namespace registry_test {

using store_cases::Entries;

// The subkey the store keeps a store name in.
inline std::wstring keyPathOf(const std::string& name) {
  std::wstring path;
  std::string why;
  cocos2d::storage::storeKeyPath(name, path, why);
  return path;
}

// A store name no other test uses, whose key is deleted before and after.
class ScratchStore {
 public:
  explicit ScratchStore(const std::string& label)
      : _name("test-" + label + "-" + std::to_string(GetCurrentProcessId())) {
    remove();
  }
  ~ScratchStore() { remove(); }
  const std::string& name() const { return _name; }
  std::wstring keyPath() const { return keyPathOf(_name); }

  // Opens the store's key directly, as another program would.
  HKEY open(REGSAM access = KEY_READ | KEY_WRITE) const {
    HKEY key = nullptr;
    RegCreateKeyExW(HKEY_CURRENT_USER, keyPath().c_str(), 0, nullptr, 0, access | WRITE_DAC, nullptr, &key, nullptr);
    return key;
  }

 private:
  void remove() const {
    // Write access may have been taken away by a test: give it back first.
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, keyPath().c_str(), 0, WRITE_DAC, &key) == ERROR_SUCCESS) {
      SECURITY_DESCRIPTOR open;
      InitializeSecurityDescriptor(&open, SECURITY_DESCRIPTOR_REVISION);
      SetSecurityDescriptorDacl(&open, TRUE, nullptr, FALSE);
      RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, &open);
      RegCloseKey(key);
    }
    RegDeleteTreeW(HKEY_CURRENT_USER, keyPath().c_str());
  }

  std::string _name;
};

// A value as the registry holds it.
struct RawValue {
  DWORD type = REG_NONE;
  std::string bytes;
};

inline std::optional<RawValue> rawValue(HKEY key, const std::wstring& name) {
  DWORD type = 0;
  DWORD size = 0;
  if (RegQueryValueExW(key, name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return std::nullopt;
  RawValue raw{type, std::string(size, '\0')};
  if (RegQueryValueExW(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(raw.bytes.data()), &size) !=
      ERROR_SUCCESS) {
    return std::nullopt;
  }
  raw.bytes.resize(size);
  return raw;
}

inline void setRaw(HKEY key, const std::wstring& name, DWORD type, const std::string& bytes) {
  RegSetValueExW(key, name.c_str(), 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                 static_cast<DWORD>(bytes.size()));
}

inline std::string wideBytes(const std::wstring& text, bool terminated = true) {
  return std::string(reinterpret_cast<const char*>(text.c_str()),
                     (text.size() + (terminated ? 1 : 0)) * sizeof(wchar_t));
}

inline long lineCount(const std::string& text) { return std::count(text.begin(), text.end(), '\n'); }

inline double millisecondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

// Another instance: this test program started again with the arguments of one of its child
// roles (see RegistryTestMain.cpp).
class Child {
 public:
  explicit Child(const std::vector<std::string>& arguments) {
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring command = L"\"" + std::wstring(self) + L"\" --child";
    for (const std::string& argument : arguments) command += L" \"" + cocos2d::storage::wideFromBytes(argument) + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    _started = CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                              &_process) != 0;
  }
  ~Child() {
    if (!_started) return;
    if (WaitForSingleObject(_process.hProcess, 0) == WAIT_TIMEOUT) kill();
    CloseHandle(_process.hProcess);
    CloseHandle(_process.hThread);
  }
  Child(const Child&) = delete;
  Child& operator=(const Child&) = delete;

  bool started() const { return _started; }
  // The exit code, or -1 when it did not end within timeoutMs.
  long wait(DWORD timeoutMs = 120000) {
    if (!_started || WaitForSingleObject(_process.hProcess, timeoutMs) != WAIT_OBJECT_0) return -1;
    DWORD code = 0;
    GetExitCodeProcess(_process.hProcess, &code);
    return static_cast<long>(code);
  }
  // As a user ending it from the task manager would: at once, wherever it is.
  void kill() {
    TerminateProcess(_process.hProcess, 9);
    WaitForSingleObject(_process.hProcess, INFINITE);
  }

 private:
  PROCESS_INFORMATION _process{};
  bool _started = false;
};

}  // namespace registry_test
