// UTF-8 and the UTF-16 of the Windows API, both ways and without loss: the store's keys are
// byte strings, and every byte string needs a value name of its own that names it back.
#pragma once

#include <string>
#include <string_view>

namespace cocos2d {
namespace storage {

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool isValidUtf8(std::string_view bytes);

// Valid UTF-8 converts as it is; each byte that is not part of valid UTF-8 becomes the lone
// low surrogate U+DC00 + byte (U+DC80 to U+DCFF), which no valid UTF-8 produces, so that
// different byte strings never share a wide string.
std::wstring wideFromBytes(std::string_view bytes);

// The inverse of wideFromBytes. Lone surrogates that it never produces (only a hand-edited
// registry holds them) become U+FFFD.
std::string bytesFromWide(std::wstring_view wide);

}  // namespace storage
}  // namespace cocos2d
