// The system clipboard as text: bytes go in and come out unchanged, apart from the filter on
// reading that keeps pasted text on one line and free of "=".
#pragma once

#include <string>

// Replaces the clipboard's contents with text; empty text leaves the clipboard alone.
void writeClipboard(const std::string& text);

// The clipboard's text with every "\r", "\n" and "=" removed; empty when it holds no text.
std::string readClipboard();

// The filter that readClipboard applies, shared by every system's implementation.
std::string filterPastedText(const std::string& raw);
