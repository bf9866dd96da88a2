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

CTokenizer::CTokenizer(std::string input) : input_(std::move(input)) {}

TokenKind CTokenizer::nextToken() {
  const std::size_t size = input_.size();
  if (position_ >= size) {
    kind_ = TokenKind::End;
    text_.clear();
    return kind_;
  }
  const auto c = static_cast<unsigned char>(input_[position_]);
  if (isAsciiDigit(c) || c == '.') {
    readNumber();
    return kind_;
  }
  if (isAsciiLetter(c)) {
    const std::size_t start = position_;
    ++position_;
    while (position_ < size) {
      const auto n = static_cast<unsigned char>(input_[position_]);
      if (!isAsciiDigit(n) && !isAsciiLetter(n)) break;
      ++position_;
    }
    text_.assign(input_, start, position_ - start);
    kind_ = TokenKind::Name;
    return kind_;
  }
  ++position_;
  text_.assign(1, static_cast<char>(c));
  switch (c) {
    case '*': kind_ = TokenKind::Times; break;
    case '+': kind_ = TokenKind::Plus; break;
    case '-': kind_ = TokenKind::Minus; break;
    case '/': kind_ = TokenKind::Divide; break;
    default: kind_ = TokenKind::Other; break;
  }
  return kind_;
}

void CTokenizer::readNumber() {
  const std::size_t size = input_.size();
  auto at = [&](std::size_t i) -> unsigned char {
    return i < size ? static_cast<unsigned char>(input_[i]) : 0;
  };
  const std::size_t start = position_;
  bool hasMarks = false;
  if (at(position_) != '.') {
    ++position_;
    while (isAsciiDigit(at(position_)) || at(position_) == '\'') {
      hasMarks |= at(position_) == '\'';
      ++position_;
    }
  }
  if (at(position_) == '.') {
    ++position_;
    while (isAsciiDigit(at(position_))) ++position_;
  }
  if (at(position_) == 'E' || at(position_) == 'e') {
    ++position_;
    if (at(position_) == '+' || at(position_) == '-') ++position_;
    while (isAsciiDigit(at(position_))) ++position_;
  }
  text_.assign(input_, start, position_ - start);
  if (hasMarks) text_ = stripDigitGroupMarks(text_);
  kind_ = TokenKind::Number;
}
