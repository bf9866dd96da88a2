#include <cstdio>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "EngineTestSupport.h"

namespace {

class ResultFormatting : public EngineTest {};

TEST_F(ResultFormatting, DisplayWithGroupingOnAndOff) {
  struct Case {
    const char* expression;
    int commaSep;
    const char* display;
  };
  const std::vector<Case> cases = {
      {"1+2", 1, "3"},
      {"1/3", 1, "0.333333333333333"},
      {"0.1+0.2", 1, "0.3"},
      {"Pi", 1, "3.14159265358979"},
      {"1234567", 1, "1'234'567"},
      {"1234567", 0, "1234567"},
      {"1234567", 5, "1'234'567"},
      {"1234.5678", 1, "1'234.5678"},
      {"-1234567", 1, "-1234567"},
      {"1000", 1, "1'000"},
      {"999", 1, "999"},
      {"123456789012345", 1, "123'456'789'012'345"},
      {"1234567890123456", 1, "1.23456789012346e+15"},
      {"1'234'567+1", 1, "1'234'568"},
      {"0.0001", 1, "0.0001"},
      {"0.00001", 1, "1e-05"},
      {"1/0", 1, "inf"},
      {"2+", 1, "Error."},
  };
  for (const auto& c : cases) {
    preferences.commaSep = c.commaSep;
    EXPECT_EQ(evaluateAndFormat(c.expression), c.display) << c.expression;
  }
}

TEST_F(ResultFormatting, PreferenceIsReadOnlyAfterSuccess) {
  preferences.reads = 0;
  evaluateAndFormat("2+");
  EXPECT_EQ(preferences.reads, 0);
  evaluateAndFormat("2");
  EXPECT_EQ(preferences.reads, 1);
  setPreferenceSource(nullptr);  // no store: the default groups digits
  EXPECT_EQ(evaluateAndFormat("1000"), "1'000");
}

TEST(DigitGroups, OnlyLeadingIntegerDigitsAreGrouped) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"", ""},           {"1", "1"},           {"123", "123"},
      {"1234", "1'234"},  {"123456", "123'456"}, {"1234567.891", "1'234'567.891"},
      {"-1234", "-1234"}, {"1e+20", "1e+20"},   {"inf", "inf"},
      {"12345abc6789", "12'345abc6789"},
  };
  for (const auto& [in, out] : cases) EXPECT_EQ(insertDigitGroups(in), out) << in;
}

TEST(ValueFormatting, MatchesThePrintfConversion) {
  std::mt19937_64 bits(2024);
  std::vector<double> values = {0.0, -0.0, 1e-310, -1e-310, 1e308, 1e15, 1e14, 999999999999999.5,
                                0.0001, 0.00009999999999999999, INFINITY, -INFINITY,
                                std::numeric_limits<double>::quiet_NaN(), -std::numeric_limits<double>::quiet_NaN()};
  for (int i = 0; i < 20000; ++i) {
    const std::uint64_t raw = bits();
    double d;
    static_assert(sizeof d == sizeof raw);
    std::memcpy(&d, &raw, sizeof d);
    values.push_back(d);
    values.push_back(static_cast<double>(static_cast<std::int64_t>(raw >> 20)) / 1000.0);
  }
  for (double v : values) {
    char expected[64];
    std::snprintf(expected, sizeof expected, "%.15g", v);
    ASSERT_EQ(formatValue(v), expected);
  }
}

}  // namespace
