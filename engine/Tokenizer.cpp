#include "engine/Tokenizer.h"

#include <utility>

std::string stripDigitGroupMarks(const std::string& literal) {
  std::string out;
  out.reserve(literal.size());
  for (char c : literal) {
    if (c != '\'') out.push_back(c);
  }
  return out;
}

CTokenizer::CTokenizer(std::string input) : _input(std::move(input)) {}

TokenKind CTokenizer::nextToken() {
  const std::size_t size = _input.size();
  if (_position >= size) {
    _kind = TokenKind::End;
    _text.clear();
    return _kind;
  }
  const auto c = static_cast<unsigned char>(_input[_position]);
  if (isAsciiDigit(c) || c == '.') {
    readNumber();
    return _kind;
  }
  if (isAsciiLetter(c)) {
    const std::size_t start = _position;
    ++_position;
    while (_position < size) {
      const auto n = static_cast<unsigned char>(_input[_position]);
      if (!isAsciiDigit(n) && !isAsciiLetter(n)) break;
      ++_position;
    }
    _text.assign(_input, start, _position - start);
    _kind = TokenKind::Name;
    return _kind;
  }
  ++_position;
  _text.assign(1, static_cast<char>(c));
  switch (c) {
    case '*': _kind = TokenKind::Times; break;
    case '+': _kind = TokenKind::Plus; break;
    case '-': _kind = TokenKind::Minus; break;
    case '/': _kind = TokenKind::Divide; break;
    default: _kind = TokenKind::Other; break;
  }
  return _kind;
}

void CTokenizer::readNumber() {
  const std::size_t size = _input.size();
  auto at = [&](std::size_t i) -> unsigned char {
    return i < size ? static_cast<unsigned char>(_input[i]) : 0;
  };
  const std::size_t start = _position;
  bool hasMarks = false;
  if (at(_position) != '.') {
    ++_position;
    while (isAsciiDigit(at(_position)) || at(_position) == '\'') {
      hasMarks |= at(_position) == '\'';
      ++_position;
    }
  }
  if (at(_position) == '.') {
    ++_position;
    while (isAsciiDigit(at(_position))) ++_position;
  }
  if (at(_position) == 'E' || at(_position) == 'e') {
    ++_position;
    if (at(_position) == '+' || at(_position) == '-') ++_position;
    while (isAsciiDigit(at(_position))) ++_position;
  }
  _text.assign(_input, start, _position - start);
  if (hasMarks) _text = stripDigitGroupMarks(_text);
  _kind = TokenKind::Number;
}
