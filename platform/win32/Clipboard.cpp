// The Windows clipboard in its ANSI text format: bytes unchanged, no code page conversion.
#include "platform/Clipboard.h"

#include <windows.h>

void writeClipboard(const std::string& text) {
  if (text.empty()) return;
  if (!OpenClipboard(NULL)) return;
  EmptyClipboard();
  // Two spare bytes: the terminating NUL and a zeroed guard, as GMEM_ZEROINIT leaves them.
  HGLOBAL handle = GlobalAlloc(GMEM_DDESHARE | GMEM_ZEROINIT | GMEM_MOVEABLE, text.size() + 2);
  if (handle) {
    char* memory = static_cast<char*>(GlobalLock(handle));
    if (memory) {
      // The text may hold NUL bytes; lstrcpyA stops at the first, as a C string would.
      lstrcpyA(memory, text.c_str());
      GlobalUnlock(handle);
      if (!SetClipboardData(CF_TEXT, handle)) GlobalFree(handle);
    } else {
      GlobalFree(handle);
    }
  }
  CloseClipboard();
}

std::string readClipboard() {
  std::string raw;
  if (!OpenClipboard(NULL)) return raw;
  HANDLE handle = GetClipboardData(CF_TEXT);
  if (handle) {
    const char* memory = static_cast<const char*>(GlobalLock(handle));
    if (memory) {
      raw = memory;
      GlobalUnlock(handle);
    }
  }
  CloseClipboard();
  return filterPastedText(raw);
}
