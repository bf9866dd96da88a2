// engine/math on its own: exact results where there is no rounding to argue about, correctly
// rounded results where Linux's C library is off, agreement with that library over random
// arguments of every magnitude, and the two argument reductions against each other.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "engine/math/Elementary.h"
#include "engine/math/Reduction.h"

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
const double kNaN = std::numeric_limits<double>::quiet_NaN();

using Unary = double (*)(double);

Unary elementaryNamed(const std::string& name) {
  if (name == "sin") return elementary::sin;
  if (name == "cos") return elementary::cos;
  if (name == "tan") return elementary::tan;
  if (name == "asin") return elementary::asin;
  if (name == "acos") return elementary::acos;
  if (name == "atan") return elementary::atan;
  if (name == "exp") return elementary::exp;
  if (name == "log") return elementary::log;
  return nullptr;
}

// The C library's function; the argument passes through a volatile so that the compiler
// cannot fold the call with its own arithmetic.
double libraryCall(const std::string& name, double argument) {
  volatile double x = argument;
  if (name == "sin") return std::sin(x);
  if (name == "cos") return std::cos(x);
  if (name == "tan") return std::tan(x);
  if (name == "asin") return std::asin(x);
  if (name == "acos") return std::acos(x);
  if (name == "atan") return std::atan(x);
  if (name == "exp") return std::exp(x);
  return std::log(x);
}

std::uint64_t bitsOf(double x) {
  std::uint64_t bits = 0;
  std::memcpy(&bits, &x, sizeof bits);
  return bits;
}

// Equal to the bit, except that NaNs need only agree in sign.
bool same(double a, double b) {
  if (std::isnan(a) || std::isnan(b)) return std::isnan(a) && std::isnan(b) && std::signbit(a) == std::signbit(b);
  return bitsOf(a) == bitsOf(b);
}

std::string show(double x) {
  char text[64];
  std::snprintf(text, sizeof text, "%a", x);
  return text;
}

// How many doubles lie from a to b, for finite a and b of any signs.
std::int64_t ulpsBetween(double a, double b) {
  const auto ordered = [](double x) {
    const std::int64_t bits = static_cast<std::int64_t>(bitsOf(x));
    return bits < 0 ? std::numeric_limits<std::int64_t>::min() - bits : bits;
  };
  const std::int64_t d = ordered(a) - ordered(b);
  return d < 0 ? -d : d;
}

struct Case {
  const char* function;
  double argument;
  double result;
};

TEST(Elementary, SpecialArgumentsAsTheCLibraryGivesThem) {
  const double pi = 0x1.921fb54442d18p+1, halfPi = 0x1.921fb54442d18p+0;
  const std::vector<Case> cases = {
      {"sin", 0.0, 0.0},         {"sin", -0.0, -0.0},       {"sin", kInf, -kNaN},
      {"sin", -kInf, -kNaN},     {"sin", 0x1p-30, 0x1p-30}, {"sin", 5e-324, 5e-324},
      {"cos", 0.0, 1.0},         {"cos", -0.0, 1.0},        {"cos", kInf, -kNaN},
      {"cos", -kInf, -kNaN},     {"cos", 0x1p-30, 1.0},
      {"tan", -0.0, -0.0},       {"tan", kInf, -kNaN},      {"tan", -kInf, -kNaN},
      {"asin", -0.0, -0.0},      {"asin", 1.0, halfPi},     {"asin", -1.0, -halfPi},
      {"asin", 1.0000000000000002, kNaN}, {"asin", -2.0, kNaN}, {"asin", kInf, kNaN},
      {"asin", -kInf, kNaN},
      {"acos", 1.0, 0.0},        {"acos", -1.0, pi},        {"acos", 0.0, halfPi},
      {"acos", -0.0, halfPi},    {"acos", 2.0, kNaN},       {"acos", -1.0000000000000002, kNaN},
      {"acos", -kInf, kNaN},
      {"atan", -0.0, -0.0},      {"atan", kInf, halfPi},    {"atan", -kInf, -halfPi},
      {"atan", 1.0, 0x1.921fb54442d18p-1}, {"atan", -5e-324, -5e-324},
      {"exp", 0.0, 1.0},         {"exp", -0.0, 1.0},        {"exp", kInf, kInf},
      {"exp", -kInf, 0.0},       {"exp", 710.0, kInf},      {"exp", -746.0, 0.0},
      {"exp", 1.0, 0x1.5bf0a8b145769p+1},
      {"log", 1.0, 0.0},         {"log", 0.0, -kInf},       {"log", -0.0, -kInf},
      {"log", kInf, kInf},       {"log", -1.0, -kNaN},      {"log", -5e-324, -kNaN},
      {"log", -kInf, -kNaN},     {"log", 2.0, 0x1.62e42fefa39efp-1},
  };
  for (const Case& c : cases) {
    const double got = elementaryNamed(c.function)(c.argument);
    EXPECT_TRUE(same(got, c.result)) << c.function << "(" << show(c.argument) << ") = " << show(got)
                                     << (std::signbit(got) ? " (sign set)" : "") << ", want " << show(c.result);
  }
  // A NaN argument comes back with its sign, whichever function takes it.
  for (const char* name : {"sin", "cos", "tan", "asin", "acos", "atan", "exp", "log"}) {
    EXPECT_TRUE(same(elementaryNamed(name)(kNaN), kNaN)) << name;
    EXPECT_TRUE(same(elementaryNamed(name)(-kNaN), -kNaN)) << name;
  }
}

TEST(Elementary, Atan2OfZerosInfinitiesAndNaN) {
  const double pi = 0x1.921fb54442d18p+1, halfPi = 0x1.921fb54442d18p+0, quarterPi = 0x1.921fb54442d18p-1;
  struct Pair {
    double y, x, result;
  };
  const std::vector<Pair> cases = {
      {0.0, 0.0, 0.0},          {-0.0, 0.0, -0.0},        {0.0, -0.0, pi},
      {-0.0, -0.0, -pi},        {0.0, -1.0, pi},          {-0.0, -1.0, -pi},
      {0.0, 1.0, 0.0},          {-0.0, 1.0, -0.0},        {1.0, 0.0, halfPi},
      {-1.0, -0.0, -halfPi},    {kInf, 1.0, halfPi},      {-kInf, -1.0, -halfPi},
      {kInf, kInf, quarterPi},  {-kInf, kInf, -quarterPi}, {kInf, -kInf, 0x1.2d97c7f3321d2p+1},
      {1.0, kInf, 0.0},         {-1.0, kInf, -0.0},       {1.0, -kInf, pi},
      {-1.0, -kInf, -pi},       {1.0, 1.0, quarterPi},    {-1.0, -1.0, -0x1.2d97c7f3321d2p+1},
      {1e-300, 1e300, 0.0},     {-1e-300, -1e300, -pi},   {1e300, 1e-300, halfPi},
      {5e-324, 1.0, 5e-324},    {1e-320, 2e-320, 0x1.dac670561bb4fp-2},
      {kNaN, 1.0, kNaN},        {-kNaN, 1.0, -kNaN},      {1.0, -kNaN, -kNaN},
      {kNaN, -kNaN, -kNaN},     {-kNaN, kNaN, kNaN},
  };
  for (const Pair& c : cases) {
    const double got = elementary::atan2(c.y, c.x);
    EXPECT_TRUE(same(got, c.result)) << "atan2(" << show(c.y) << ", " << show(c.x) << ") = " << show(got)
                                     << ", want " << show(c.result);
  }
}

// Correctly rounded results, from the functions evaluated to 4000 bits: the doubles nearest to
// multiples of pi/2, where the reduction needs 120 bits below the argument's own; the ends of
// the range; and cases where Linux's C library rounds the wrong way.
TEST(Elementary, CorrectlyRoundedWhereItIsHard) {
  const std::vector<Case> cases = {
      {"sin", 0x1.6ac5b262ca1ffp+849, 0x1.0000000000000p+0},  // 6381956970095103 2^797,
      {"cos", 0x1.6ac5b262ca1ffp+849, -0x1.14ae72e6ba22fp-61},  // 4.7e-19 from a multiple of pi/2
      {"tan", 0x1.6ac5b262ca1ffp+849, -0x1.d9ba9a7975636p+60},
      {"tan", 0x1.69eab0985179bp+246, 0x1.72567cb9047a9p+57},   // the C library: 143270 ulps off
      {"cos", 0x1.69eab0985179bp+246, -0x1.61ecec9c577fdp-58},  // 136921
      {"tan", 0x1.4c96c11134d36p+578, 0x1.6ec67bcf77522p-58},   // 102825
      {"sin", 0x1.4c96c11134d36p+578, -0x1.6ec67bcf77522p-58},  // 102825
      {"sin", 1e22, -0x1.b453ab76bf397p-1},
      {"cos", 1e22, 0x1.0be2cef01c8f4p-1},
      {"tan", 1e22, -0x1.a0f79c1b6b257p+0},
      {"sin", 0x1.fffffffffffffp+1023, 0x1.452fc98b34e97p-8},
      {"cos", 0x1.fffffffffffffp+1023, -0x1.fffe62ecfab75p-1},
      {"tan", 0x1.921fb54442d18p+0, 0x1.d02967c31cdb5p+53},     // the double nearest pi/2
      {"cos", 0x1.921fb54442d18p+0, 0x1.1a62633145c07p-54},
      {"sin", 0x1.921fb54442d18p+1, 0x1.1a62633145c07p-53},
      {"sin", 0x1.921fb54442d18p-1, 0x1.6a09e667f3bccp-1},      // pi/4: no reduction
      {"sin", 0x1.921fb54442d19p-1, 0x1.6a09e667f3bcdp-1},      // just beyond it
      {"cos", 0x1.fffffcccccccdp+19, 0x1.f1b57557c0355p-1},     // either side of 2^20
      {"sin", 0x1.000001999999ap+20, 0x1.b138205a09cc0p-2},
      {"tan", -0x1.06c7bbe1df96ap+717, -0x1.1321c444947c5p-1},  // the C library rounds wrongly
      {"exp", 0x1p-26, 0x1.0000004000001p+0},                   // here too
      {"exp", -0x1.ef01c2f975da8p-2, 0x1.3bbd7872fafa2p-1},     // and here
      {"atan", 0x1.8d3a8cdbb723ap-1, 0x1.51d5a0eb591dep-1},     // and here
      {"log", 0x1.d3cd9c3952293p-1, -0x1.71c64d0922264p-4},     // and here
      {"log", 0x1.08e06b9a88db3p+3, 0x1.0e881882c8134p+1},      // and here
      {"exp", -740.0, 0x0.0000000000055p-1022},                 // subnormal
      {"exp", -0x1.74910d52d3051p+9, 0x0.0000000000001p-1022},  // rounds up to 2^-1074
      {"exp", -0x1.74910d52d3052p+9, 0.0},                      // rounds down to 0
      {"exp", 0x1.62e42fefa39efp+9, 0x1.fffffffffff2ap+1023},   // the largest finite result
      {"exp", -0x1.6232bdd7abcd2p+9, 0x1.000000000007cp-1022},  // just above the smallest normal
      {"asin", 0x1.fffffffffffffp-1, 0x1.921fb50442d18p+0},
      {"acos", -0x1.fffffffffffffp-1, 0x1.921fb52442d18p+1},
      {"acos", 0x0.0000000000001p-1022, 0x1.921fb54442d18p+0},
      {"log", 0x1.0000000000001p+0, 0x1.fffffffffffffp-53},
      {"log", 0x0.0000000000001p-1022, -0x1.74385446d71c3p+9},
      {"log", 0x1.fffffffffffffp+1023, 0x1.62e42fefa39efp+9},
      {"atan", 0x1.8p+60, 0x1.921fb54442d18p+0},
  };
  for (const Case& c : cases) {
    const double got = elementaryNamed(c.function)(c.argument);
    EXPECT_TRUE(same(got, c.result)) << c.function << "(" << show(c.argument) << ") = " << show(got) << ", want "
                                     << show(c.result);
    const double negated = elementaryNamed(c.function)(-c.argument);
    const std::string f = c.function;
    if (f == "sin" || f == "tan" || f == "atan") {
      EXPECT_TRUE(same(negated, -c.result)) << "odd " << f;
    } else if (f == "cos") {
      EXPECT_TRUE(same(negated, c.result)) << "even cos";
    }
  }
  EXPECT_EQ(elementary::atan2(62.80584214397683, 8.685606863067672), 0x1.6ef1a9bbd492fp+0);
}

// Random arguments of every magnitude against Linux's C library: at most one ulp apart, and
// rarely apart at all (the library itself is not always correctly rounded: about one result in
// a thousand rounds the other way). PEMTRIX_ELEMENTARY_SAMPLES sets the count per range for a
// long run by hand; it prints the mismatches and the largest distance.
TEST(Elementary, AgreesWithTheCLibrary) {
  const char* samples = std::getenv("PEMTRIX_ELEMENTARY_SAMPLES");
  const long count = samples != nullptr ? std::atol(samples) : 20000;
  struct Range {
    const char* function;
    double low, high;
    bool exponent;  // low and high are binary exponents, with either sign
  };
  const std::vector<Range> ranges = {
      {"sin", -10, 10, false},   {"sin", -30, 1023, true},   {"cos", -10, 10, false},
      {"cos", -30, 1023, true},  {"tan", -10, 10, false},    {"tan", -30, 1023, true},
      {"asin", -1, 1, false},    {"asin", -1074, 0, true},   {"acos", -1, 1, false},
      {"acos", -1074, 0, true},  {"atan", -4, 4, false},     {"atan", -1074, 1023, true},
      {"exp", -745.2, 709.8, false}, {"exp", -1, 1, false},  {"exp", -1074, 9.5, true},
      {"log", 0.5, 2, false},    {"log", -1074, 1023, true},
  };
  std::mt19937_64 random(20260107);
  for (const Range& range : ranges) {
    std::uniform_real_distribution<double> draw(range.low, range.high);
    long differ = 0;
    std::int64_t worst = 0;
    double worstArgument = 0;
    for (long i = 0; i < count; ++i) {
      double x = draw(random);
      if (range.exponent) {
        x = std::exp2(x);
        if (std::string(range.function) != "log" && (random() & 1) != 0) x = -x;
      }
      const double ours = elementaryNamed(range.function)(x);
      const double theirs = libraryCall(range.function, x);
      if (same(ours, theirs)) continue;
      ++differ;
      const std::int64_t distance = std::isnan(ours) || std::isnan(theirs) ? 1 << 30 : ulpsBetween(ours, theirs);
      if (distance > worst) {
        worst = distance;
        worstArgument = x;
      }
    }
    std::printf("%-5s %s [%g, %g]: %ld of %ld differ (%.3f%%), by at most %lld ulp\n", range.function,
                range.exponent ? "+-2^" : "", range.low, range.high, differ, count, 100.0 * differ / count,
                static_cast<long long>(worst));
    EXPECT_LE(worst, 1) << range.function << "(" << show(worstArgument) << ")";
    EXPECT_LT(differ, count / 200 + 5) << range.function << " in [" << range.low << ", " << range.high << "]";
  }
  // atan2 of two magnitudes drawn alike: all the range, and within 2^20 of 1.
  for (const double spread : {1074.0, 20.0}) {
    std::uniform_real_distribution<double> exponent(-spread, spread < 1000 ? spread : 1023);
    long differ = 0;
    for (long i = 0; i < count; ++i) {
      const double y = std::exp2(exponent(random)) * ((random() & 1) != 0 ? -1 : 1);
      const double x = std::exp2(exponent(random)) * ((random() & 1) != 0 ? -1 : 1);
      volatile double vy = y, vx = x;
      const double ours = elementary::atan2(y, x), theirs = std::atan2(vy, vx);
      if (same(ours, theirs)) continue;
      ++differ;
      EXPECT_LE(ulpsBetween(ours, theirs), 1) << "atan2(" << show(y) << ", " << show(x) << ")";
    }
    std::printf("atan2 +-2^[-%g, %g] twice: %ld of %ld differ (%.3f%%)\n", spread, spread < 1000 ? spread : 1023,
                differ, count, 100.0 * differ / count);
    EXPECT_LT(differ, count / 200 + 5);
  }
}

// Below 2^20 the reduction subtracts n pi/2 in pieces; the bits of 2/pi must give the same
// quadrant and the same rest, also right beside multiples of pi/2.
TEST(Elementary, TheTwoReductionsAgree) {
  std::mt19937_64 random(7);
  std::uniform_real_distribution<double> exponent(-0.3, 20);
  std::vector<double> arguments;
  for (int i = 0; i < 20000; ++i) arguments.push_back(std::exp2(exponent(random)) * ((random() & 1) != 0 ? -1 : 1));
  for (long k = 1; k < 1 << 20; k = k * 3 + 1) {
    double x = static_cast<double>(k) * 0x1.921fb54442d18p+0;
    for (int step = 0; step < 6; ++step) {
      arguments.push_back(x);
      arguments.push_back(-x);
      x = std::nextafter(x, kInf);
    }
  }
  for (const double x : arguments) {
    if (std::fabs(x) < 0x1.921fb54442d18p-1) continue;
    const elementary::ReducedAngle pieces = elementary::reduceByHalfPi(x);
    const elementary::ReducedAngle bits = elementary::reduceByHalfPiBits(x);
    ASSERT_EQ(pieces.quadrant, bits.quadrant) << show(x);
    const double difference = (pieces.r.hi - bits.r.hi) + (pieces.r.lo - bits.r.lo);
    EXPECT_LE(std::fabs(difference), std::fabs(bits.r.hi) * 0x1p-95) << show(x);
    EXPECT_LE(std::fabs(bits.r.hi), 0x1.921fb54442d18p-1 * (1 + 0x1p-40)) << show(x);
  }
}

}  // namespace
