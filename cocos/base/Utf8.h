// Decoding of UTF-8 byte strings that never fails: each byte that does not belong to a
// well-formed sequence becomes U+FFFD, so any bytes can be shown and measured.
#pragma once

#include <string>
#include <vector>

namespace cocos2d {

constexpr char32_t kReplacementCharacter = 0xFFFD;

// Appends the code points of bytes to out. Overlong forms, surrogates and values above
// U+10FFFF are invalid, as are truncated sequences; each of their bytes gives one U+FFFD.
void decodeUtf8(const std::string& bytes, std::vector<char32_t>& out);

// The number of code points decodeUtf8 would produce.
std::size_t countUtf8CodePoints(const std::string& bytes);

// The number of code points that start before a byte offset: an offset inside a character
// counts that character.
std::size_t countUtf8CodePointsBefore(const std::string& bytes, std::size_t byteOffset);

// Appends the UTF-8 form of a code point (at most U+10FFFF, not a surrogate).
void appendUtf8(char32_t cp, std::string& out);

// The bytes as decodeUtf8 reads them, encoded again: valid UTF-8 in which each unreadable
// byte became U+FFFD, for interfaces that refuse anything else.
std::string toValidUtf8(const std::string& bytes);

}  // namespace cocos2d
