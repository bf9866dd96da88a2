#include "engine/ResultFormatter.h"

#include <charconv>
#include <cmath>

#include "engine/Evaluator.h"
#include "engine/PreferenceSource.h"

namespace {
PreferenceSource* installedPreferences = nullptr;
}

void setPreferenceSource(PreferenceSource* source) { installedPreferences = source; }
PreferenceSource* preferenceSource() { return installedPreferences; }

std::string formatValue(double value) {
  // to_chars in general format with a precision prints exactly what printf's "%.15g" does,
  // several times faster; infinities and NaN get printf's spellings too.
  if (std::isnan(value)) return std::signbit(value) ? "-nan" : "nan";
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
  return std::string(buffer, result.ptr);
}

std::string insertDigitGroups(const std::string& text) {
  std::size_t digits = 0;
  while (digits < text.size() && text[digits] >= '0' && text[digits] <= '9') ++digits;
  if (digits <= 3) return text;
  std::string out;
  out.reserve(text.size() + digits / 3);
  const std::size_t headLength = digits % 3 == 0 ? 3 : digits % 3;
  out.append(text, 0, headLength);
  for (std::size_t i = headLength; i < digits; i += 3) {
    out.push_back('\'');
    out.append(text, i, 3);
  }
  out.append(text, digits, std::string::npos);
  return out;
}

std::string evaluateAndFormat(const std::string& expression) {
  CTokenizer tokenizer(expression);
  tokenizer.nextToken();
  double value = 0.0;
  // Text left after a complete expression ("2 + 3", "5,3", "2Pi") would otherwise be dropped
  // silently and a wrong number shown as the result.
  if (!parseExpression(tokenizer, value) || tokenizer.kind() != TokenKind::End) return "Error.";
  lastAnswer = value;
  std::string text = formatValue(value);
  const int commaSep = installedPreferences ? installedPreferences->getIntegerForKey("CommaSep", 1) : 1;
  if (commaSep != 0) text = insertDigitGroups(text);
  return text;
}
