#include "cocos/services/store/win32/WideText.h"

namespace cocos2d {
namespace storage {
namespace {

static_assert(sizeof(wchar_t) == 2, "the Windows API's wide characters are UTF-16 units");

// A byte that is not part of valid UTF-8 is 0x80 or above: it escapes to U+DC80 .. U+DCFF.
constexpr char32_t kEscapeBase = 0xDC00;

// The code point of the valid UTF-8 sequence at bytes[i], and its length; 0 when invalid.
std::size_t decodeOne(std::string_view bytes, std::size_t i, char32_t& point) {
  const auto at = [&](std::size_t k) { return static_cast<unsigned char>(bytes[k]); };
  const unsigned char lead = at(i);
  if (lead < 0x80) {
    point = lead;
    return 1;
  }
  std::size_t length = 0;
  char32_t min = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, min = 0x80, point = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, min = 0x800, point = lead & 0x0F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, min = 0x10000, point = lead & 0x07;
  } else {
    return 0;
  }
  if (bytes.size() - i < length) return 0;
  for (std::size_t k = 1; k < length; ++k) {
    if ((at(i + k) & 0xC0) != 0x80) return 0;
    point = (point << 6) | (at(i + k) & 0x3F);
  }
  if (point < min || point > 0x10FFFF || (point >= 0xD800 && point <= 0xDFFF)) return 0;
  return length;
}

void appendUtf8(std::string& out, char32_t point) {
  if (point < 0x80) {
    out += static_cast<char>(point);
  } else if (point < 0x800) {
    out += static_cast<char>(0xC0 | (point >> 6));
    out += static_cast<char>(0x80 | (point & 0x3F));
  } else if (point < 0x10000) {
    out += static_cast<char>(0xE0 | (point >> 12));
    out += static_cast<char>(0x80 | ((point >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (point & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (point >> 18));
    out += static_cast<char>(0x80 | ((point >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((point >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (point & 0x3F));
  }
}

}  // namespace

bool isValidUtf8(std::string_view bytes) {
  char32_t point = 0;
  for (std::size_t i = 0; i < bytes.size();) {
    const std::size_t length = decodeOne(bytes, i, point);
    if (length == 0) return false;
    i += length;
  }
  return true;
}

std::wstring wideFromBytes(std::string_view bytes) {
  std::wstring wide;
  wide.reserve(bytes.size());
  char32_t point = 0;
  for (std::size_t i = 0; i < bytes.size();) {
    const std::size_t length = decodeOne(bytes, i, point);
    if (length == 0) {
      wide += static_cast<wchar_t>(kEscapeBase + static_cast<unsigned char>(bytes[i]));
      i += 1;
      continue;
    }
    if (point >= 0x10000) {
      point -= 0x10000;
      wide += static_cast<wchar_t>(0xD800 + (point >> 10));
      wide += static_cast<wchar_t>(0xDC00 + (point & 0x3FF));
    } else {
      wide += static_cast<wchar_t>(point);
    }
    i += length;
  }
  return wide;
}

std::string bytesFromWide(std::wstring_view wide) {
  std::string bytes;
  bytes.reserve(wide.size());
  for (std::size_t i = 0; i < wide.size(); ++i) {
    const char32_t unit = static_cast<char16_t>(wide[i]);
    const bool high = unit >= 0xD800 && unit <= 0xDBFF;
    const char32_t next = i + 1 < wide.size() ? static_cast<char16_t>(wide[i + 1]) : 0;
    if (high && next >= 0xDC00 && next <= 0xDFFF) {
      appendUtf8(bytes, 0x10000 + ((unit - 0xD800) << 10) + (next - 0xDC00));
      ++i;
    } else if (unit >= kEscapeBase + 0x80 && unit <= kEscapeBase + 0xFF) {
      bytes += static_cast<char>(unit - kEscapeBase);
    } else if (unit >= 0xD800 && unit <= 0xDFFF) {
      appendUtf8(bytes, 0xFFFD);
    } else {
      appendUtf8(bytes, unit);
    }
  }
  return bytes;
}

}  // namespace storage
}  // namespace cocos2d
