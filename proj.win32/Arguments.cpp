#include "proj.win32/Arguments.h"

#include <windows.h>
#include <shellapi.h>

#include <climits>
#include <cwchar>

namespace {

// Lone surrogates, which a command line may hold, become U+FFFD.
std::string utf8(const wchar_t* wide) {
  const std::size_t length = std::wcslen(wide);
  if (length == 0 || length > INT_MAX) return {};
  const int size = static_cast<int>(length);
  const int needed = WideCharToMultiByte(CP_UTF8, 0, wide, size, nullptr, 0, nullptr, nullptr);
  std::string text(static_cast<std::size_t>(needed > 0 ? needed : 0), '\0');
  if (needed > 0) WideCharToMultiByte(CP_UTF8, 0, wide, size, text.data(), needed, nullptr, nullptr);
  return text;
}

}  // namespace

std::vector<std::string> commandLineArguments() {
  std::vector<std::string> arguments;
  int count = 0;
  wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
  if (!wide) return {"pemtrix"};
  for (int i = 0; i < count; ++i) arguments.push_back(utf8(wide[i]));
  LocalFree(wide);
  return arguments;
}
