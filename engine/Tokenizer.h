// Splits expression text into tokens, one at a time, for the recursive-descent evaluator.
// Blanks are not skipped: any byte that starts no number or name is a one-byte token.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

enum class TokenKind : std::uint8_t {
  End = 0,
  Number = 1,
  Name = 2,
  Plus = 3,
  Minus = 4,
  Times = 5,
  Divide = 6,
  Other = 9,
};

// Removes every digit-group mark (apostrophe) from a number literal.
std::string stripDigitGroupMarks(const std::string& literal);

class CTokenizer {
 public:
  explicit CTokenizer(std::string input);

  // Reads the token at the read position, advances past it and returns its kind.
  TokenKind nextToken();

  TokenKind kind() const { return _kind; }
  const std::string& text() const { return _text; }
  // The literal's length is known when compiling: no strlen per comparison, which a long
  // expression makes millions of.
  template <std::size_t N>
  bool textIs(const char (&literal)[N]) const {
    return _text.size() == N - 1 && _text.compare(0, N - 1, literal, N - 1) == 0;
  }
  std::size_t position() const { return _position; }

  // Nesting of parentheses and argument lists entered so far; the evaluator keeps it so
  // that a deeply nested expression fails instead of exhausting the call stack.
  int depth = 0;

 private:
  void readNumber();

  TokenKind _kind = TokenKind::End;
  std::string _text;
  std::size_t _position = 0;
  std::string _input;
};

// Character classes of the "C" locale, independent of the process locale.
inline bool isAsciiDigit(unsigned char c) { return c >= '0' && c <= '9'; }
inline bool isAsciiLetter(unsigned char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
