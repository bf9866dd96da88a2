#include "cocos/base/Files.h"

#include <windows.h>
#include <io.h>

#include <climits>
#include <cstdlib>
#include <vector>

#include "cocos/base/win32/Utf16.h"

namespace cocos2d::files {
namespace {

DWORD attributesOf(const std::string& path) {
  if (path.empty()) return INVALID_FILE_ATTRIBUTES;
  return GetFileAttributesW(win32::utf16FromUtf8(path).c_str());
}

bool isSeparator(char c) { return c == '\\' || c == '/'; }

bool isDriveLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

}  // namespace

std::FILE* openFile(const std::string& path, const char* mode) {
  return _wfopen(win32::utf16FromUtf8(path).c_str(), win32::utf16FromUtf8(mode).c_str());
}

bool isRegularFile(const std::string& path) {
  const DWORD attributes = attributesOf(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool isDirectory(const std::string& path) {
  const DWORD attributes = attributesOf(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool isAbsolutePath(const std::string& path) {
  if (path.empty()) return false;
  if (isSeparator(path[0])) return true;
  return path.size() >= 3 && isDriveLetter(path[0]) && path[1] == ':' && isSeparator(path[2]);
}

std::string executableDirectory() {
  // The path may be longer than MAX_PATH: grow until it fits.
  std::vector<wchar_t> buffer(MAX_PATH);
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (n == 0) return ".";
    if (n < buffer.size()) {
      const std::string path = win32::utf8FromUtf16(std::wstring_view(buffer.data(), n));
      const std::size_t slash = path.find_last_of("\\/");
      if (slash == std::string::npos) return ".";
      // "C:\pemtrix.exe" lives in "C:\", not in "C:" (the current folder of drive C).
      return path.substr(0, slash > 0 && path[slash - 1] == ':' ? slash + 1 : slash);
    }
    if (buffer.size() >= 32768) return ".";
    buffer.resize(buffer.size() * 2);
  }
}

bool environmentPath(const char* name, std::string& path) {
  const wchar_t* value = _wgetenv(win32::utf16FromUtf8(name).c_str());
  if (!value) return false;
  path = win32::utf8FromUtf16(value);
  return true;
}

long readDescriptor(int fd, char* buffer, std::size_t size) {
  const unsigned count = size > INT_MAX ? INT_MAX : static_cast<unsigned>(size);
  return _read(fd, buffer, count);
}

bool isTerminal(int fd) {
  // _isatty is true for every character device, the NUL device too; only a console is a
  // terminal that someone types at.
  const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(fd));
  DWORD mode = 0;
  return handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode) != 0;
}

}  // namespace cocos2d::files
