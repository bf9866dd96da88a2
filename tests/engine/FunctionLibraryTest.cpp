#include <cmath>
#include <cstdio>
#include <limits>
#include <string>
#include <vector>

#include "EngineTestSupport.h"
#include "engine/FunctionLibrary.h"

namespace {

struct Case {
  const char* expression;
  const char* display;
};

class FunctionLibrary : public EngineTest {};

TEST_F(FunctionLibrary, OneArgumentFunctions) {
  const std::vector<Case> cases = {
      {"sin(30deg)", "0.5"},       {"deg(Pi)", "180"},           {"atan(1)", "0.785398163397448"},
      {"log(1000)", "3"},          {"log(0)", "-inf"},           {"ln(-1)", "-nan"},
      {"sqrt(-1)", "-nan"},        {"asin(2)", "nan"},           {"cubert(8)", "2"},
      {"cubert(-8)", "-nan"},      {"cubert(0)", "0"},           {"hyptan(1000)", "-nan"},
      {"hypcos(0)", "1"},          {"hypsin(1)", "1.1752011936438"},
      {"fact(0)", "1"},            {"fact(1)", "1"},             {"fact(5)", "120"},
      {"fact(3.7)", "6"},          {"fact(-1)", "Error."},       {"fact(-0.5)", "Error."},
      {"fact(170)", "7.257415615308e+306"}, {"fact(171)", "inf"},
      {"fact(3e9)", "1"},          {"fact(1e300)", "1"},
      {"int(-2.7)", "-2"},         {"int(2.7)", "2"},            {"int(3e9)", "-2147483648"},
      {"int(0/0)", "-2147483648"}, {"int(-2147483648.5)", "-2147483648"},
      {"sq(3)", "9"},              {"cube(-2)", "-8"},           {"exp(0)", "1"},
      {"ln(0)", "-inf"},           {"tan(0)", "0"},              {"acos(1)", "0"},
  };
  for (const auto& c : cases) EXPECT_EQ(plain(c.expression), c.display) << c.expression;
}

TEST_F(FunctionLibrary, TwoArgumentAndListFunctions) {
  const std::vector<Case> cases = {
      {"atan(1,1)", "0.785398163397448"}, {"atan(1,-1)", "2.35619449019234"},
      {"pow(2,10)", "1024"},     {"pow(-2,2)", "Error."},  {"pow(0,0)", "-nan"},
      {"pow(0,3)", "0"},
      {"perm(5,2)", "20"},       {"perm(5,0)", "1"},       {"comb(5,0)", "1"},
      {"perm(12,12)", "479001600"}, {"perm(5.9,2.9)", "20"}, {"perm(5,-1)", "Error."},
      {"comb(2,5)", "Error."},   {"comb(5,2)", "10"},      {"comb(12,6)", "924"},
      {"comb(5,5)", "1"},        {"perm(13,13)", "1932053504"}, {"perm(1,1)", "1"},
      {"perm(2147483647,2147483647)", "0"}, {"comb(2147483647,2000000000)", "0"},
      {"perm(3e9,1)", "Error."}, {"perm(0/0,0)", "Error."},
      {"gcd(12,18)", "6"},       {"gcd(12.9,18.2)", "6"},  {"gcd(0,5)", "0"},
      {"gcd(-1,5)", "Error."},   {"gcd(2147483647,1)", "1"}, {"gcd(3e9,5)", "Error."},
      {"gcd(0/0,5)", "Error."},  {"lcm(4,6)", "12"},       {"lcm(0,5)", "0"},
      {"lcm(-4,6)", "Error."},   {"lcm(2147483647,2147483646)", "-2147483646"},
      {"avg(1,2)", "1.5"},       {"avg(1,2,3)", "2"},      {"stdev(1,2,3)", "1"},
      {"stdevp(1,2,3)", "0.816496580927726"}, {"sqsum(1,2,3)", "14"},
      {"stdev(2,4)", "1.4142135623731"}, {"stdevp(2,4)", "1"}, {"sqsum(3,4)", "25"},
      {"rand(1,2)", "Error."},   {"sin(1,2,3)", "Error."},  {"pow(1,2,3)", "Error."},
      {"avg(-0,-0)", "-0"},      {"avg(-0,-0,-0)", "0"},   {"sin()", "Error."},      {"foo()", "Error."},
  };
  for (const auto& c : cases) EXPECT_EQ(plain(c.expression), c.display) << c.expression;
}

TEST_F(FunctionLibrary, RandomValuesStayInTheirRanges) {
  for (int i = 0; i < 2000; ++i) {
    double v = 0;
    ASSERT_TRUE(evaluateToValue("rand()", v));
    EXPECT_TRUE(v >= 0.0 && v < 1.0);
    ASSERT_TRUE(evaluateToValue("rand(6)", v));
    EXPECT_TRUE(v >= 0.0 && v < 6.0);
    ASSERT_TRUE(evaluateToValue("rand(-6)", v));
    EXPECT_TRUE(v > -6.0 && v <= 0.0);
  }
}

TEST_F(FunctionLibrary, RandomUnitIsTheRawDrawScaled) {
  seedRandomEngine(99);
  std::mt19937 reference(99);
  for (int i = 0; i < 100; ++i) EXPECT_EQ(randomUnit(), reference() * 2.3283064365386963e-10);
  // The extreme raw draw stays below 1.
  EXPECT_LT(4294967295u * 2.3283064365386963e-10, 1.0);
}

TEST(IntegerHelpers, TruncationWrappingAndDivisors) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  struct T {
    double in;
    std::int32_t out;
  };
  for (const T& c : std::vector<T>{{5.9, 5},
                                   {-2.7, -2},
                                   {2147483647.9, 2147483647},
                                   {2147483648.0, INT32_MIN},
                                   {-2147483648.9, INT32_MIN},
                                   {-2147483649.0, INT32_MIN},
                                   {nan, INT32_MIN},
                                   {INFINITY, INT32_MIN},
                                   {-INFINITY, INT32_MIN}}) {
    EXPECT_EQ(truncateToInt32(c.in), c.out) << c.in;
  }
  EXPECT_EQ(wrapToInt32(0x80000000u), INT32_MIN);
  EXPECT_EQ(wrapToInt32(0xFFFFFFFFu), -1);
  EXPECT_EQ(gcdBySubtraction(12, 18), 6);
  EXPECT_EQ(gcdBySubtraction(0, 7), 0);
  EXPECT_EQ(gcdBySubtraction(2147483647, 1), 1);
  EXPECT_EQ(gcdBySubtraction(1071, 462), 21);
  EXPECT_EQ(factorial(-5), 1.0);
  EXPECT_EQ(factorial(INT32_MAX), INFINITY);
}

}  // namespace
