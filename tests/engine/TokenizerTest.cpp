#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "engine/Tokenizer.h"

namespace {

std::vector<std::pair<TokenKind, std::string>> tokensOf(const std::string& input) {
  CTokenizer t(input);
  std::vector<std::pair<TokenKind, std::string>> out;
  while (t.nextToken() != TokenKind::End) out.emplace_back(t.kind(), t.text());
  return out;
}

using K = TokenKind;

TEST(Tokenizer, SplitsInputIntoKindsAndTexts) {
  struct Case {
    std::string input;
    std::vector<std::pair<TokenKind, std::string>> tokens;
  };
  const std::vector<Case> cases = {
      {"1'234.5e-3", {{K::Number, "1234.5e-3"}}},
      {"2e", {{K::Number, "2e"}}},
      {".", {{K::Number, "."}}},
      {"2E+", {{K::Number, "2E+"}}},
      {"1.2'3", {{K::Number, "1.2"}, {K::Other, "'"}, {K::Number, "3"}}},
      {"sin2(1)", {{K::Name, "sin2"}, {K::Other, "("}, {K::Number, "1"}, {K::Other, ")"}}},
      {"2x", {{K::Number, "2"}, {K::Name, "x"}}},
      {"30deg", {{K::Number, "30"}, {K::Name, "deg"}}},
      {"+-*/", {{K::Plus, "+"}, {K::Minus, "-"}, {K::Times, "*"}, {K::Divide, "/"}}},
      {"( ,%", {{K::Other, "("}, {K::Other, " "}, {K::Other, ","}, {K::Other, "%"}}},
      {"'1", {{K::Other, "'"}, {K::Number, "1"}}},
      {"\xC3\xA9", {{K::Other, "\xC3"}, {K::Other, "\xA9"}}},
      {std::string("1\0" "2", 3), {{K::Number, "1"}, {K::Other, std::string(1, '\0')}, {K::Number, "2"}}},
  };
  for (const auto& c : cases) EXPECT_EQ(tokensOf(c.input), c.tokens) << c.input;
}

TEST(Tokenizer, EndRepeatsWithEmptyText) {
  CTokenizer t("");
  EXPECT_EQ(t.nextToken(), TokenKind::End);
  EXPECT_EQ(t.nextToken(), TokenKind::End);
  EXPECT_EQ(t.text(), "");
}

}  // namespace
