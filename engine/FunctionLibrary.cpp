#include "engine/FunctionLibrary.h"

#include <cmath>
#include <cstring>
#include <limits>

#include "engine/RandomEngine.h"

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

bool callWithoutArguments(const std::string& name, double& result) {
  if (name == "rand") {
    result = randomUnit();
    return true;
  }
  return false;
}

bool callWithOneArgument(const std::string& name, double x, double& result) {
  const char* n = name.c_str();
  if (!std::strcmp(n, "sin")) result = std::sin(x);
  else if (!std::strcmp(n, "cos")) result = std::cos(x);
  else if (!std::strcmp(n, "tan")) result = std::tan(x);
  else if (!std::strcmp(n, "asin")) result = std::asin(x);
  else if (!std::strcmp(n, "acos")) result = std::acos(x);
  else if (!std::strcmp(n, "atan")) result = std::atan(x);
  else if (!std::strcmp(n, "hypsin")) result = (std::exp(x) - std::exp(-x)) * 0.5;
  else if (!std::strcmp(n, "hypcos")) result = (std::exp(-x) + std::exp(x)) * 0.5;
  else if (!std::strcmp(n, "hyptan")) result = (std::exp(x) - std::exp(-x)) / (std::exp(-x) + std::exp(x));
  else if (!std::strcmp(n, "deg")) result = x * 180.0 / kPi;
  else if (!std::strcmp(n, "log")) result = std::log(x) / std::log(10.0);
  else if (!std::strcmp(n, "ln")) result = std::log(x);
  else if (!std::strcmp(n, "exp")) result = std::exp(x);
  else if (!std::strcmp(n, "sq")) result = x * x;
  else if (!std::strcmp(n, "sqrt")) result = std::sqrt(x);
  else if (!std::strcmp(n, "cube")) result = (x * x) * x;
  else if (!std::strcmp(n, "cubert")) result = std::exp(std::log(x) / 3.0);
  else if (!std::strcmp(n, "fact")) {
    if (x < 0) return false;
    result = factorial(truncateToInt32(x));
  } else if (!std::strcmp(n, "int")) result = truncateToInt32(x);
  else if (!std::strcmp(n, "rand")) result = randomUnit() * x;
  else return false;
  return true;
}

bool callWithTwoArguments(const std::string& name, double a, double b, double& result) {
  const char* n = name.c_str();
  if (!std::strcmp(n, "pow")) {
    if (a < 0) return false;
    result = std::exp(std::log(a) * b);
  } else if (!std::strcmp(n, "atan")) {
    result = std::atan2(a, b);
  } else if (!std::strcmp(n, "perm") || !std::strcmp(n, "comb")) {
    std::int32_t total = 0, chosen = 0;
    if (!countArguments(a, b, total, chosen)) return false;
    if (chosen == 0) {
      result = 1;
    } else {
      const std::int32_t product = fallingProduct(total, chosen);
      result = n[0] == 'p' ? product : truncateToInt32(product / factorial(chosen));
    }
  } else if (!std::strcmp(n, "gcd")) {
    std::int32_t l = 0, m = 0;
    if (!divisorArguments(a, b, l, m)) return false;
    result = gcdBySubtraction(l, m);
  } else if (!std::strcmp(n, "lcm")) {
    std::int32_t l = 0, m = 0;
    if (!divisorArguments(a, b, l, m)) return false;
    if (l == 0 || m == 0) {
      result = 0;
    } else {
      const std::int32_t quotient = l / gcdBySubtraction(l, m);
      result = wrapToInt32(static_cast<std::uint32_t>(quotient) * static_cast<std::uint32_t>(m));
    }
  } else if (!std::strcmp(n, "avg")) {
    result = (a + b) * 0.5;
  } else if (!std::strcmp(n, "stdevp")) {
    const double m = (a + b) * 0.5;
    result = std::sqrt((a * a + b * b) * 0.5 - m * m);
  } else if (!std::strcmp(n, "stdev")) {
    const double m = (a + b) * 0.5;
    result = std::sqrt((a * a + b * b) - (m * 2) * m);
  } else if (!std::strcmp(n, "sqsum")) {
    result = a * a + b * b;
  } else {
    return false;
  }
  return true;
}

bool callWithList(const std::string& name, const std::vector<double>& values, double& result) {
  double sum = 0.0, squares = 0.0;
  for (double v : values) {
    sum += v;
    squares += v * v;
  }
  const double n = static_cast<double>(values.size());
  const char* f = name.c_str();
  if (!std::strcmp(f, "avg")) {
    result = sum / n;
  } else if (!std::strcmp(f, "stdevp")) {
    const double mean = sum / n;
    result = std::sqrt(squares / n - mean * mean);
  } else if (!std::strcmp(f, "stdev")) {
    const double mean = sum / n;
    result = std::sqrt((squares - (n * mean) * mean) / (n - 1));
  } else if (!std::strcmp(f, "sqsum")) {
    result = squares;
  } else {
    return false;
  }
  return true;
}
