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

// The code point at byte i, as decodeUtf8 reads it, and i moved past it (i < size).
inline char32_t decodeUtf8At(const std::string& bytes, std::size_t& i);

// The number of code points decodeUtf8 would produce.
std::size_t countUtf8CodePoints(const std::string& bytes);

// Character boundaries of a byte string as decodeUtf8 splits it: a well-formed sequence is
// one character, and so is every byte outside one. Indexes are byte offsets, 0 to size.
// The boundary after the character at i (i < size), and the one before i (i > 0).
std::size_t nextUtf8Boundary(const std::string& bytes, std::size_t i);
std::size_t previousUtf8Boundary(const std::string& bytes, std::size_t i);
// i itself when it is a boundary; otherwise the start (floor) or the end (ceiling) of the
// character that i falls inside.
std::size_t utf8BoundaryAtOrBefore(const std::string& bytes, std::size_t i);
std::size_t utf8BoundaryAtOrAfter(const std::string& bytes, std::size_t i);

namespace detail {
// Length of the well-formed multi-byte sequence at i, with its code point; 0 when invalid.
std::size_t decodeSequence(const unsigned char* s, std::size_t n, std::size_t i, char32_t& cp);
}  // namespace detail

inline char32_t decodeUtf8At(const std::string& bytes, std::size_t& i) {
  const auto b = static_cast<unsigned char>(bytes[i]);
  if (b < 0x80) {
    ++i;
    return b;
  }
  char32_t cp = 0;
  const std::size_t len =
      detail::decodeSequence(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), i, cp);
  if (len == 0) {
    ++i;
    return kReplacementCharacter;
  }
  i += len;
  return cp;
}

// The number of code points that start before a byte offset: an offset inside a character
// counts that character.
std::size_t countUtf8CodePointsBefore(const std::string& bytes, std::size_t byteOffset);

// Appends the UTF-8 form of a code point (at most U+10FFFF, not a surrogate).
void appendUtf8(char32_t cp, std::string& out);

// The bytes as decodeUtf8 reads them, encoded again: valid UTF-8 in which each unreadable
// byte became U+FFFD, for interfaces that refuse anything else.
std::string toValidUtf8(const std::string& bytes);

}  // namespace cocos2d
