#include "engine/Evaluator.h"

#include <charconv>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <system_error>
#include <vector>

#include "engine/FunctionLibrary.h"

double lastAnswer = 0.0;

namespace {

constexpr double kPi = 3.141592653589793;

// strtod's longest-valid-prefix conversion without its locale dependence; from_chars leaves
// overflow and underflow to strtod, which gives the infinity or the tiny value.
double numberValue(const std::string& text) {
  // Up to 15 plain digits are an integer that a double holds exactly: the same value as the
  // conversion below gives, without its cost.
  if (text.size() <= 15) {
    std::uint64_t whole = 0;
    bool digits = !text.empty();
    for (const char c : text) {
      if (c < '0' || c > '9') {
        digits = false;
        break;
      }
      whole = whole * 10 + static_cast<std::uint64_t>(c - '0');
    }
    if (digits) return static_cast<double>(whole);
  }
  double value = 0.0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  (void)end;
  if (error == std::errc::invalid_argument) return 0.0;
  if (error == std::errc::result_out_of_range) return std::strtod(text.c_str(), nullptr);
  return value;
}

// Reads the argument list of a call whose name and "(" have been consumed, and applies the
// function. The tokenizer stands on the first token after "(". Every argument is evaluated
// before the name is looked up.
bool evaluateCall(CTokenizer& t, const std::string& name, double& value) {
  if (t.textIs(")")) {
    t.nextToken();
    return callFunction(name, nullptr, 0, value);
  }
  // Calls of one or two arguments, nearly all of them, keep their values on the stack.
  double few[2] = {0.0, 0.0};
  std::vector<double> many;
  std::size_t count = 0;
  do {
    if (count > 0) t.nextToken();
    double argument = 0.0;
    if (!parseExpression(t, argument)) return false;
    if (count < 2) {
      few[count] = argument;
    } else {
      if (many.empty()) many.assign(few, few + 2);
      many.push_back(argument);
    }
    ++count;
  } while (t.textIs(","));
  if (!t.textIs(")")) return false;
  t.nextToken();
  return callFunction(name, many.empty() ? few : many.data(), count, value);
}

// Counts one level of nesting for the lifetime of a parenthesised construct.
class NestingGuard {
 public:
  explicit NestingGuard(CTokenizer& t) : _t(t) { ++_t.depth; }
  ~NestingGuard() { --_t.depth; }
  bool tooDeep() const { return _t.depth > kMaxNestingDepth; }
  NestingGuard(const NestingGuard&) = delete;
  NestingGuard& operator=(const NestingGuard&) = delete;

 private:
  CTokenizer& _t;
};

}  // namespace

bool parseExpression(CTokenizer& t, double& value) {
  double left = 0.0;
  if (!parseTerm(t, left)) return false;
  while (t.kind() == TokenKind::Plus || t.kind() == TokenKind::Minus) {
    const bool add = t.kind() == TokenKind::Plus;
    t.nextToken();
    double right = 0.0;
    if (!parseTerm(t, right)) return false;
    left = add ? left + right : left - right;
  }
  value = left;
  return true;
}

bool parseTerm(CTokenizer& t, double& value) {
  double left = 0.0;
  if (!parseFactor(t, left)) return false;
  while (t.kind() == TokenKind::Times || t.kind() == TokenKind::Divide) {
    const bool multiply = t.kind() == TokenKind::Times;
    t.nextToken();
    double right = 0.0;
    if (!parseFactor(t, right)) return false;
    left = multiply ? left * right : left / right;
  }
  value = left;
  return true;
}

bool parseFactor(CTokenizer& t, double& value) {
  if (!parsePrimary(t, value)) return false;
  if (t.textIs("deg")) {
    value = value * kPi / 180.0;
    t.nextToken();
  } else if (t.textIs("%")) {
    value = value / 100.0;
    t.nextToken();
  }
  return true;
}

bool parsePrimary(CTokenizer& t, double& value) {
  double sign = 1.0;
  if (t.kind() == TokenKind::Minus) {
    sign = -1.0;
    t.nextToken();
  }
  if (t.kind() == TokenKind::Number) {
    const double number = numberValue(t.text());
    t.nextToken();
    value = sign * number;
    return true;
  }
  if (t.kind() == TokenKind::Name) {
    if (t.textIs("Pi")) {
      t.nextToken();
      value = sign * kPi;
      return true;
    }
    if (t.textIs("Ans")) {
      t.nextToken();
      value = sign * lastAnswer;
      return true;
    }
    const std::string name = t.text();
    t.nextToken();
    if (!t.textIs("(")) return false;
    t.nextToken();
    NestingGuard nesting(t);
    if (nesting.tooDeep()) return false;
    double result = 0.0;
    if (!evaluateCall(t, name, result)) return false;
    value = sign * result;
    return true;
  }
  if (!t.textIs("(")) return false;
  t.nextToken();
  NestingGuard nesting(t);
  if (nesting.tooDeep()) return false;
  double inner = 0.0;
  if (!parseExpression(t, inner)) return false;
  if (!t.textIs(")")) return false;
  t.nextToken();
  value = sign * inner;
  return true;
}
