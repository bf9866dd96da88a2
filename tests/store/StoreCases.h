// Cases every backing of the key/value store must pass, shared by the tests of each system.
#pragma once

#include <climits>
#include <string>
#include <utility>
#include <vector>

namespace store_cases {

using Entries = std::vector<std::pair<std::string, std::string>>;

// Strings of every kind a backing could mangle: empty, NULs, bytes that are not UTF-8, and one
// large enough to need more than a first read.
inline Entries byteStrings() {
  std::string large(1 << 20, '\0');
  for (size_t i = 0; i < large.size(); ++i) large[i] = static_cast<char>(i * 7 % 256);
  return {{"empty", ""},
          {"nul", std::string("nul\0inside", 10)},
          {"ff", "\xff\xfe"},
          {"bad utf-8", "\xc3\x28\xed\xa0\x80"},
          {"1 MB", large}};
}

inline std::vector<int> integers() { return {INT_MIN, -1, 0, INT_MAX}; }

struct AtoiCase {
  std::string text;
  int expected;
};

// An integer read of text gives what atoi would, saturating instead of overflowing.
inline std::vector<AtoiCase> atoiCases() {
  return {
      {"42", 42}, {"  -7x", -7}, {"abc", 0}, {"", 0}, {"+15", 15}, {"\t\n\v\f\r 8", 8},
      {"1e3", 1}, {"0x1A", 0}, {" - 5", 0}, {"\xef\xbc\x91", 0},  // full-width 1: no digit
      {std::string("12\0 34", 6), 12},
      {"2147483647", INT_MAX}, {"2147483648", INT_MAX}, {"99999999999", INT_MAX},
      {"-2147483648", INT_MIN}, {"-2147483649", INT_MIN}, {"-99999999999999999999999", INT_MIN},
  };
}

// Keys written in this order, with integers among them, list sorted by their bytes.
struct AllEntriesCase {
  std::vector<std::pair<std::string, int>> integers;
  Entries strings;
  Entries expected;
};

inline AllEntriesCase allEntriesCase() {
  return {{{"a10", -10}, {"\xc3\xa9", 1}},
          {{"a9", "nine"}, {"B", std::string("\0", 1)}, {"a", ""}},
          {{"B", std::string("\0", 1)}, {"a", ""}, {"a10", "-10"}, {"a9", "nine"}, {"\xc3\xa9", "1"}}};
}

}  // namespace store_cases
