#include "proj.win32/StandardStreams.h"

#include <windows.h>
#include <fcntl.h>
#include <io.h>

#include <cstdio>

namespace {

// What the program was started with on one of its standard handles. A windowed program
// started from a console without redirection has nothing there, or handles of the console,
// which it can use only once it is attached to it.
enum class Handle { None, Character, Redirected };

Handle startedWith(DWORD which) {
  HANDLE handle = GetStdHandle(which);
  if (handle == nullptr || handle == INVALID_HANDLE_VALUE) return Handle::None;
  switch (GetFileType(handle)) {
    case FILE_TYPE_UNKNOWN: return Handle::None;
    case FILE_TYPE_CHAR: return Handle::Character;
    default: return Handle::Redirected;
  }
}

bool isConsole(int fd) {
  const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(fd));
  DWORD mode = 0;
  return handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode) != 0;
}

}  // namespace

void connectStandardStreams() {
  const Handle input = startedWith(STD_INPUT_HANDLE), output = startedWith(STD_OUTPUT_HANDLE),
               error = startedWith(STD_ERROR_HANDLE);
  const bool redirected = input == Handle::Redirected && output == Handle::Redirected && error == Handle::Redirected;
  // Attached, the program also ends with Ctrl+C in that console, as a console program does.
  if (!redirected && AttachConsole(ATTACH_PARENT_PROCESS)) {
    if (output == Handle::None) std::freopen("CONOUT$", "w", stdout);
    if (error == Handle::None) std::freopen("CONOUT$", "w", stderr);
    if (input == Handle::None) {
      std::freopen("CONIN$", "r", stdin);
      // The line reader reads descriptor 0.
      if (_fileno(stdin) > 0) _dup2(_fileno(stdin), 0);
    }
  }
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
  // A console keeps its text mode, in which Ctrl+Z ends the input typed.
  if (!isConsole(0)) _setmode(0, _O_BINARY);
}
