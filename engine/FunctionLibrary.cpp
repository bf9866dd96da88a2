#include "engine/FunctionLibrary.h"

#include <cmath>
#include <limits>
#include <string_view>

#include "engine/RandomEngine.h"
#include "engine/math/TableFunctions.h"

namespace {

constexpr double kPi = 3.141592653589793;
constexpr std::int32_t kInt32Min = std::numeric_limits<std::int32_t>::min();

// Falling product n * (n-1) * ... * (n-r+1) in 32-bit arithmetic that wraps modulo 2^32.
// Needs 1 <= r <= n. Once the product is 0 modulo 2^32 it stays 0, which ends huge counts early.
std::int32_t fallingProduct(std::int32_t n, std::int32_t r) {
  std::uint32_t product = static_cast<std::uint32_t>(n);
  std::int32_t factor = n;
  std::int32_t countdown = r;
  while (factor > 2 && product != 0) {
    if (--countdown == 0) break;
    --factor;
    product *= static_cast<std::uint32_t>(factor);
  }
  return wrapToInt32(product);
}

// perm and comb share their argument checks; false when the counts are invalid.
bool countArguments(double total, double chosen, std::int32_t& n, std::int32_t& r) {
  r = truncateToInt32(chosen);
  if (r < 0) return false;
  n = truncateToInt32(total);
  return n >= r;
}

// gcd and lcm reject negative arguments and those that do not fit 32 bits.
bool divisorArguments(double a, double b, std::int32_t& l, std::int32_t& m) {
  if (a < 0 || b < 0) return false;
  l = truncateToInt32(a);
  m = truncateToInt32(b);
  return l != kInt32Min && m != kInt32Min;
}

}  // namespace

std::int32_t truncateToInt32(double x) {
  if (!(x > -2147483649.0 && x < 2147483648.0)) return kInt32Min;
  return static_cast<std::int32_t>(x);
}

std::int32_t wrapToInt32(std::uint32_t u) {
  if (u <= static_cast<std::uint32_t>(std::numeric_limits<std::int32_t>::max())) {
    return static_cast<std::int32_t>(u);
  }
  return static_cast<std::int32_t>(static_cast<std::int64_t>(u) - 4294967296LL);
}

double factorial(std::int32_t n) {
  double result = 1.0;
  for (std::int32_t k = n; k >= 2 && !std::isinf(result); --k) result *= k;
  return result;
}

std::int32_t gcdBySubtraction(std::int32_t a, std::int32_t b) {
  if (a == 0 || b == 0) return 0;
  // Euclid's remainders give the subtraction method's result for positive arguments
  // in a few dozen steps instead of up to 2^31.
  std::uint32_t x = a < 0 ? 0u - static_cast<std::uint32_t>(a) : static_cast<std::uint32_t>(a);
  std::uint32_t y = b < 0 ? 0u - static_cast<std::uint32_t>(b) : static_cast<std::uint32_t>(b);
  while (y != 0) {
    const std::uint32_t rest = x % y;
    x = y;
    y = rest;
  }
  return wrapToInt32(x);
}

namespace {

// How many arguments an entry takes: none, exactly one or two, or two and more (the
// statistics, whose two-argument forms are their list formulas for two values).
enum class Arity : std::uint8_t { None, One, Two, TwoOrMore };

// Every function gets its arguments as an array whose length its arity guarantees.
using Function = bool (*)(const double* x, std::size_t n, double& result);

struct FunctionEntry {
  std::string_view name;
  Arity arity;
  Function apply;
};

bool accepts(Arity arity, std::size_t count) {
  switch (arity) {
    case Arity::None: return count == 0;
    case Arity::One: return count == 1;
    case Arity::Two: return count == 2;
    case Arity::TwoOrMore: return count >= 2;
  }
  return false;
}

// A function that always succeeds, written as an expression of x (the arguments) and n.
#define PEMTRIX_VALUE(expression) [](const double* x, std::size_t n, double& r) { (void)x; (void)n; r = (expression); return true; }

bool permutations(const double* x, std::size_t, double& result) {
  std::int32_t total = 0, chosen = 0;
  if (!countArguments(x[0], x[1], total, chosen)) return false;
  result = chosen == 0 ? 1 : fallingProduct(total, chosen);
  return true;
}

bool combinations(const double* x, std::size_t, double& result) {
  std::int32_t total = 0, chosen = 0;
  if (!countArguments(x[0], x[1], total, chosen)) return false;
  result = chosen == 0 ? 1 : truncateToInt32(fallingProduct(total, chosen) / factorial(chosen));
  return true;
}

bool greatestCommonDivisor(const double* x, std::size_t, double& result) {
  std::int32_t l = 0, m = 0;
  if (!divisorArguments(x[0], x[1], l, m)) return false;
  result = gcdBySubtraction(l, m);
  return true;
}

bool leastCommonMultiple(const double* x, std::size_t, double& result) {
  std::int32_t l = 0, m = 0;
  if (!divisorArguments(x[0], x[1], l, m)) return false;
  if (l == 0 || m == 0) {
    result = 0;
  } else {
    const std::int32_t quotient = l / gcdBySubtraction(l, m);
    result = wrapToInt32(static_cast<std::uint32_t>(quotient) * static_cast<std::uint32_t>(m));
  }
  return true;
}

bool power(const double* x, std::size_t, double& result) {
  if (x[0] < 0) return false;
  result = tablemath::exp(tablemath::log(x[0]) * x[1]);
  return true;
}

bool factorialOf(const double* x, std::size_t, double& result) {
  if (x[0] < 0) return false;
  result = factorial(truncateToInt32(x[0]));
  return true;
}

// The sum and the sum of squares of the values, accumulated from the first on.
double sumOf(const double* x, std::size_t n) {
  double sum = 0.0;
  for (std::size_t i = 0; i < n; ++i) sum += x[i];
  return sum;
}

double squaresOf(const double* x, std::size_t n) {
  double squares = 0.0;
  for (std::size_t i = 0; i < n; ++i) squares += x[i] * x[i];
  return squares;
}

// Two values are added as they stand, so that the mean of two negative zeros keeps its sign.
double meanOf(const double* x, std::size_t n) {
  return n == 2 ? (x[0] + x[1]) * 0.5 : sumOf(x, n) / static_cast<double>(n);
}

// (e^-x + e^x) / 2. A NaN argument comes back as it is: of two NaNs a sum keeps the one the
// compiler happens to put first, and the two systems' builds put them in different orders.
double hyperbolicCosine(double x) {
  if (std::isnan(x)) return x;
  return (tablemath::exp(-x) + tablemath::exp(x)) * 0.5;
}

// In lookup order; a name may appear once per arity.
const FunctionEntry kFunctions[] = {
    {"rand", Arity::None, PEMTRIX_VALUE(randomUnit())},
    {"sin", Arity::One, PEMTRIX_VALUE(tablemath::sin(x[0]))},
    {"cos", Arity::One, PEMTRIX_VALUE(tablemath::cos(x[0]))},
    {"tan", Arity::One, PEMTRIX_VALUE(tablemath::tan(x[0]))},
    {"asin", Arity::One, PEMTRIX_VALUE(tablemath::asin(x[0]))},
    {"acos", Arity::One, PEMTRIX_VALUE(tablemath::acos(x[0]))},
    {"atan", Arity::One, PEMTRIX_VALUE(tablemath::atan(x[0]))},
    {"hypsin", Arity::One, PEMTRIX_VALUE((tablemath::exp(x[0]) - tablemath::exp(-x[0])) * 0.5)},
    {"hypcos", Arity::One, PEMTRIX_VALUE(hyperbolicCosine(x[0]))},
    // The exponentials as written: beyond about 709.78 one overflows and the result is NaN.
    {"hyptan", Arity::One, PEMTRIX_VALUE((tablemath::exp(x[0]) - tablemath::exp(-x[0])) / (tablemath::exp(-x[0]) + tablemath::exp(x[0])))},
    {"deg", Arity::One, PEMTRIX_VALUE(x[0] * 180.0 / kPi)},
    {"log", Arity::One, PEMTRIX_VALUE(tablemath::log(x[0]) / tablemath::log(10.0))},
    {"ln", Arity::One, PEMTRIX_VALUE(tablemath::log(x[0]))},
    {"exp", Arity::One, PEMTRIX_VALUE(tablemath::exp(x[0]))},
    {"sq", Arity::One, PEMTRIX_VALUE(x[0] * x[0])},
    {"sqrt", Arity::One, PEMTRIX_VALUE(tablemath::sqrt(x[0]))},
    {"cube", Arity::One, PEMTRIX_VALUE((x[0] * x[0]) * x[0])},
    // Through the logarithm, so that a negative argument gives NaN rather than a real root.
    {"cubert", Arity::One, PEMTRIX_VALUE(tablemath::exp(tablemath::log(x[0]) / 3.0))},
    {"fact", Arity::One, factorialOf},
    {"int", Arity::One, PEMTRIX_VALUE(truncateToInt32(x[0]))},
    {"rand", Arity::One, PEMTRIX_VALUE(randomUnit() * x[0])},
    {"pow", Arity::Two, power},
    {"atan", Arity::Two, PEMTRIX_VALUE(tablemath::atan2(x[0], x[1]))},
    {"perm", Arity::Two, permutations},
    {"comb", Arity::Two, combinations},
    {"gcd", Arity::Two, greatestCommonDivisor},
    {"lcm", Arity::Two, leastCommonMultiple},
    {"avg", Arity::TwoOrMore, PEMTRIX_VALUE(meanOf(x, n))},
    {"stdevp", Arity::TwoOrMore, PEMTRIX_VALUE(tablemath::sqrt(squaresOf(x, n) / static_cast<double>(n) - meanOf(x, n) * meanOf(x, n)))},
    {"stdev", Arity::TwoOrMore,
     PEMTRIX_VALUE(tablemath::sqrt((squaresOf(x, n) - (static_cast<double>(n) * meanOf(x, n)) * meanOf(x, n)) /
                             (static_cast<double>(n) - 1)))},
    {"sqsum", Arity::TwoOrMore, PEMTRIX_VALUE(squaresOf(x, n))},
};

#undef PEMTRIX_VALUE

}  // namespace

bool callFunction(const std::string& name, const double* arguments, std::size_t count, double& result) {
  for (const FunctionEntry& f : kFunctions) {
    if (name == f.name && accepts(f.arity, count)) return f.apply(arguments, count, result);
  }
  return false;
}
