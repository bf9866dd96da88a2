// UTF-8 inside the program, UTF-16 at the Windows API: the conversions at that boundary.
#pragma once

#include <string>
#include <string_view>

namespace cocos2d::win32 {

// Bytes that are not UTF-8 become U+FFFD: a name that cannot be written in UTF-16 names
// nothing that exists.
std::wstring utf16FromUtf8(std::string_view text);

// Lone surrogates, which Windows allows in names, become U+FFFD.
std::string utf8FromUtf16(std::wstring_view text);

}  // namespace cocos2d::win32
