#include "cocos/base/Utf8.h"

#include <algorithm>

namespace cocos2d {
namespace {

// Length of the well-formed sequence starting at i, with its code point; 0 when invalid.
std::size_t decodeOne(const unsigned char* s, std::size_t n, std::size_t i, char32_t& cp) {
  const unsigned char b0 = s[i];
  std::size_t len;
  unsigned char lo = 0x80, hi = 0xBF;  // allowed range of the second byte
  if (b0 >= 0xC2 && b0 <= 0xDF) {
    len = 2;
    cp = b0 & 0x1F;
  } else if (b0 >= 0xE0 && b0 <= 0xEF) {
    len = 3;
    cp = b0 & 0x0F;
    if (b0 == 0xE0) lo = 0xA0;  // overlong
    if (b0 == 0xED) hi = 0x9F;  // surrogates
  } else if (b0 >= 0xF0 && b0 <= 0xF4) {
    len = 4;
    cp = b0 & 0x07;
    if (b0 == 0xF0) lo = 0x90;  // overlong
    if (b0 == 0xF4) hi = 0x8F;  // above U+10FFFF
  } else {
    return 0;
  }
  if (i + len > n) return 0;
  for (std::size_t k = 1; k < len; ++k) {
    const unsigned char b = s[i + k];
    const unsigned char min = k == 1 ? lo : 0x80, max = k == 1 ? hi : 0xBF;
    if (b < min || b > max) return 0;
    cp = (cp << 6) | (b & 0x3F);
  }
  return len;
}

bool isContinuation(unsigned char b) { return (b & 0xC0) == 0x80; }

const unsigned char* bytesOf(const std::string& s) { return reinterpret_cast<const unsigned char*>(s.data()); }

// The start of the well-formed sequence that i falls strictly inside, with its length; i and
// 0 when i is a boundary. Interior bytes of a sequence are continuation bytes, so its start
// is at most three bytes back.
std::size_t enclosingSequence(const std::string& bytes, std::size_t i, std::size_t& length) {
  length = 0;
  const unsigned char* s = bytesOf(bytes);
  const std::size_t n = bytes.size();
  if (i == 0 || i >= n || !isContinuation(s[i])) return i;
  std::size_t j = i;
  while (j > 0 && i - j < 3 && isContinuation(s[j])) --j;
  if (isContinuation(s[j])) return i;
  char32_t cp = 0;
  const std::size_t len = decodeOne(s, n, j, cp);
  if (len == 0 || j + len <= i) return i;
  length = len;
  return j;
}

// Calls sink(code point, index of its first byte) for each code point in order.
template <typename Sink>
void decode(const std::string& bytes, Sink&& sink) {
  for (std::size_t i = 0; i < bytes.size();) {
    const std::size_t start = i;
    sink(decodeUtf8At(bytes, i), start);
  }
}

}  // namespace

void decodeUtf8(const std::string& bytes, std::vector<char32_t>& out) {
  decode(bytes, [&out](char32_t cp, std::size_t) { out.push_back(cp); });
}

std::size_t countUtf8CodePoints(const std::string& bytes) {
  std::size_t count = 0;
  decode(bytes, [&count](char32_t, std::size_t) { ++count; });
  return count;
}

std::size_t countUtf8CodePointsBefore(const std::string& bytes, std::size_t byteOffset) {
  std::size_t count = 0;
  decode(bytes, [&count, byteOffset](char32_t, std::size_t start) {
    if (start < byteOffset) ++count;
  });
  return count;
}

void appendUtf8(char32_t cp, std::string& out) {
  if (cp < 0x80) {
    out.push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else if (cp < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

std::string toValidUtf8(const std::string& bytes) {
  std::string out;
  out.reserve(bytes.size());
  decode(bytes, [&out](char32_t cp, std::size_t) { appendUtf8(cp, out); });
  return out;
}

std::size_t detail::decodeSequence(const unsigned char* s, std::size_t n, std::size_t i, char32_t& cp) {
  return decodeOne(s, n, i, cp);
}

std::size_t nextUtf8Boundary(const std::string& bytes, std::size_t i) {
  if (i >= bytes.size()) return bytes.size();
  decodeUtf8At(bytes, i);
  return i;
}

std::size_t previousUtf8Boundary(const std::string& bytes, std::size_t i) {
  if (i == 0) return 0;
  if (i > bytes.size()) return bytes.size();
  const unsigned char* s = bytesOf(bytes);
  if (s[i - 1] < 0x80) return i - 1;
  std::size_t length = 0;
  const std::size_t start = enclosingSequence(bytes, i - 1, length);
  return length != 0 ? start : i - 1;
}

std::size_t utf8BoundaryAtOrBefore(const std::string& bytes, std::size_t i) {
  std::size_t length = 0;
  return enclosingSequence(bytes, std::min(i, bytes.size()), length);
}

std::size_t utf8BoundaryAtOrAfter(const std::string& bytes, std::size_t i) {
  std::size_t length = 0;
  const std::size_t start = enclosingSequence(bytes, std::min(i, bytes.size()), length);
  return length != 0 ? start + length : start;
}

}  // namespace cocos2d
