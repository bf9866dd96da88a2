#include "proj.win32/StandardStreams.h"

#include <windows.h>
#include <fcntl.h>
#include <io.h>

#include <cstdio>

namespace {

// A handle that reaches something: a file, a pipe or a console. A windowed program started
// from a console without redirection has none, or handles of a console that is not its own.
bool usable(DWORD which) {
  HANDLE handle = GetStdHandle(which);
  return handle != nullptr && handle != INVALID_HANDLE_VALUE && GetFileType(handle) != FILE_TYPE_UNKNOWN;
}

bool isConsole(int fd) {
  const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(fd));
  DWORD mode = 0;
  return handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode) != 0;
}

}  // namespace

void connectStandardStreams() {
  const bool input = usable(STD_INPUT_HANDLE), output = usable(STD_OUTPUT_HANDLE), error = usable(STD_ERROR_HANDLE);
  if ((!input || !output || !error) && AttachConsole(ATTACH_PARENT_PROCESS)) {
    if (!output) std::freopen("CONOUT$", "w", stdout);
    if (!error) std::freopen("CONOUT$", "w", stderr);
    if (!input) {
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
