#include "app/JsonWriter.h"

#include <cmath>
#include <cstdio>

namespace {

// Length of the valid UTF-8 sequence starting at i, or 0 when the bytes there are not one.
std::size_t utf8SequenceLength(const std::string& s, std::size_t i) {
  const auto b0 = static_cast<unsigned char>(s[i]);
  std::size_t length = 0;
  unsigned long cp = 0;
  if (b0 >= 0xC2 && b0 <= 0xDF) length = 2, cp = b0 & 0x1F;
  else if (b0 >= 0xE0 && b0 <= 0xEF) length = 3, cp = b0 & 0x0F;
  else if (b0 >= 0xF0 && b0 <= 0xF4) length = 4, cp = b0 & 0x07;
  else return 0;
  if (i + length > s.size()) return 0;
  for (std::size_t k = 1; k < length; ++k) {
    const auto b = static_cast<unsigned char>(s[i + k]);
    if ((b & 0xC0) != 0x80) return 0;
    cp = (cp << 6) | (b & 0x3F);
  }
  const bool overlong = (length == 3 && cp < 0x800) || (length == 4 && cp < 0x10000);
  if (overlong || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
  return length;
}

}  // namespace

std::string jsonQuote(const std::string& bytes) {
  std::string out;
  out.reserve(bytes.size() + 2);
  out.push_back('"');
  for (std::size_t i = 0; i < bytes.size();) {
    const auto c = static_cast<unsigned char>(bytes[i]);
    if (c == '"' || c == '\\') {
      out.push_back('\\');
      out.push_back(static_cast<char>(c));
      ++i;
    } else if (c == '\n') {
      out += "\\n", ++i;
    } else if (c == '\r') {
      out += "\\r", ++i;
    } else if (c == '\t') {
      out += "\\t", ++i;
    } else if (c < 0x20 || c == 0x7F) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
      out += escaped, ++i;
    } else if (c < 0x80) {
      out.push_back(static_cast<char>(c)), ++i;
    } else if (const std::size_t n = utf8SequenceLength(bytes, i)) {
      out.append(bytes, i, n), i += n;
    } else {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
      out += escaped, ++i;
    }
  }
  out.push_back('"');
  return out;
}

void JsonWriter::separate() {
  if (_afterKey) {
    _afterKey = false;
    return;
  }
  if (!_first.empty()) {
    if (!_first.back()) _out.push_back(',');
    _first.back() = false;
  }
}

void JsonWriter::raw(const std::string& s) {
  separate();
  _out += s;
}

JsonWriter& JsonWriter::beginObject() {
  raw("{");
  _first.push_back(true);
  return *this;
}

JsonWriter& JsonWriter::endObject() {
  _out.push_back('}');
  _first.pop_back();
  return *this;
}

JsonWriter& JsonWriter::beginArray() {
  raw("[");
  _first.push_back(true);
  return *this;
}

JsonWriter& JsonWriter::endArray() {
  _out.push_back(']');
  _first.pop_back();
  return *this;
}

JsonWriter& JsonWriter::key(const std::string& name) {
  raw(jsonQuote(name) + ":");
  _afterKey = true;
  return *this;
}

JsonWriter& JsonWriter::value(const std::string& text) {
  raw(jsonQuote(text));
  return *this;
}

JsonWriter& JsonWriter::value(long long number) {
  raw(std::to_string(number));
  return *this;
}

JsonWriter& JsonWriter::value(double number) {
  if (!std::isfinite(number)) return null();
  char buffer[40];
  std::snprintf(buffer, sizeof buffer, "%.9g", number);
  raw(buffer);
  return *this;
}

JsonWriter& JsonWriter::value(bool flag) {
  raw(flag ? "true" : "false");
  return *this;
}

JsonWriter& JsonWriter::null() {
  raw("null");
  return *this;
}

JsonWriter& JsonWriter::strings(const std::vector<std::string>& items) {
  beginArray();
  for (const auto& s : items) value(s);
  return endArray();
}

JsonWriter& JsonWriter::numbers(const std::vector<double>& items) {
  beginArray();
  for (double d : items) value(d);
  return endArray();
}
