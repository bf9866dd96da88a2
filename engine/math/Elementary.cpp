#include "engine/math/Elementary.h"

#include <cmath>
#include <cstdint>
#include <limits>

#include "engine/math/Bits.h"
#include "engine/math/DoubleDouble.h"
#include "engine/math/Reduction.h"
#include "engine/math/Tables.h"

namespace elementary {

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();

// The NaN for an argument outside a function's domain has the sign that Linux's C library
// gives it (glibc on x86-64), so that both systems print the same "nan" or "-nan":
//
//   sin, cos, tan of +-infinity          -nan
//   asin, acos of |x| > 1 (infinities)   nan
//   log of x < 0 (-infinity)             -nan
//
// A NaN argument comes back as it is, with its sign; atan2 with two gives its x.
double trigonometricOfInfinity() { return negativeNaN(); }
double inverseSineOutsideDomain() { return positiveNaN(); }
double logarithmOfNegative() { return negativeNaN(); }

// The unbiased exponent of a finite x != 0, subnormals included.
int binaryExponent(double x) {
  const int biased = static_cast<int>((bitsOf(x) >> 52) & 0x7ff);
  if (biased != 0) return biased - 1023;
  return exponentOf(x * 0x1p54) - 54;
}

// x 2^k exactly, for results in the normal range and any k from -2100 to 2100.
double scaled(double x, int k) {
  while (k > 1000) {
    x *= powerOfTwo(1000);
    k -= 1000;
  }
  while (k < -1000) {
    x *= powerOfTwo(-1000);
    k += 1000;
  }
  return x * powerOfTwo(k);
}

// p 2^k rounded once to a double, for p from 0.7 to 1.5 and k from -1140 to 1024: the normal
// range scales the rounded p; below it the rounding happens at the grid of the subnormals
// (p 2^(k+1074) rounded to an integer, ties to even), so that it happens once.
double roundedTimesPowerOfTwo(DoubleDouble p, int k) {
  if (k >= -1021) return scaled(rounded(p), k);
  const int shift = k + 1074;
  if (shift < -2) return 0.0;
  const double a = p.hi * powerOfTwo(shift);
  const double b = p.lo * powerOfTwo(shift);
  const std::int64_t whole = static_cast<std::int64_t>(a);  // a >= 0 and below 2^53
  const DoubleDouble rest = twoSum(a - static_cast<double>(whole), b);  // from -0.5 to 1.5
  const bool odd = (whole & 1) != 0;
  std::int64_t units = whole;
  if (rest.hi > 0.5 || (rest.hi == 0.5 && (rest.lo > 0 || (rest.lo == 0 && odd)))) {
    ++units;
  } else if (rest.hi < -0.5 || (rest.hi == -0.5 && (rest.lo < 0 || (rest.lo == 0 && odd)))) {
    --units;
  }
  return static_cast<double>(units) * fromBits(1);  // times 2^-1074, exact
}

// sin r and cos r for |r| up to a little beyond pi/4, by their Taylor series to the term
// below 2^-106 of the result.
DoubleDouble sineKernel(DoubleDouble r) {
  const DoubleDouble r2 = r * r;
  DoubleDouble p = kSineSeries[13];
  for (int k = 12; k >= 0; --k) p = p * r2 + kSineSeries[k];
  return p * r;
}

DoubleDouble cosineKernel(DoubleDouble r) {
  const DoubleDouble r2 = r * r;
  DoubleDouble p = kCosineSeries[14];
  for (int k = 13; k >= 0; --k) p = p * r2 + kCosineSeries[k];
  return p;
}

// atan u for |u| up to a little beyond 1: three halvings of the angle,
// atan u = 2 atan(u / (1 + sqrt(1 + u^2))), bring |u| below tan(pi/32) < 0.1, where the
// series converges fast.
DoubleDouble arctanKernel(DoubleDouble u) {
  for (int i = 0; i < 3; ++i) u = u / (squareRoot(u * u + 1.0) + 1.0);
  const DoubleDouble u2 = u * u;
  DoubleDouble p = kArctanSeries[17];
  for (int k = 16; k >= 0; --k) p = p * u2 + kArctanSeries[k];
  return p * u * 8.0;
}

// The angle of the point (x, y) for x, y >= 0, not both 0: from 0 to pi/2.
DoubleDouble angleOf(DoubleDouble y, DoubleDouble x) {
  if (y.hi <= x.hi) return arctanKernel(y / x);
  return kHalfPi - arctanKernel(x / y);
}

// sqrt(1 - a^2) for 0 <= a < 1, from (1 - a)(1 + a), each factor exact in two doubles.
DoubleDouble cofactor(double a) { return squareRoot(twoSum(1.0, -a) * twoSum(1.0, a)); }

double negatedIf(bool negative, double x) { return negative ? -x : x; }

}  // namespace

double sin(double x) {
  if (std::isnan(x)) return x + x;
  if (std::isinf(x)) return trigonometricOfInfinity();
  if (std::fabs(x) < 0x1p-27) return x;  // x^3/6 is below half an ulp
  const ReducedAngle a = reduceByHalfPi(x);
  switch (a.quadrant) {
    case 0: return rounded(sineKernel(a.r));
    case 1: return rounded(cosineKernel(a.r));
    case 2: return -rounded(sineKernel(a.r));
    default: return -rounded(cosineKernel(a.r));
  }
}

double cos(double x) {
  if (std::isnan(x)) return x + x;
  if (std::isinf(x)) return trigonometricOfInfinity();
  if (std::fabs(x) < 0x1p-27) return 1.0;
  const ReducedAngle a = reduceByHalfPi(x);
  switch (a.quadrant) {
    case 0: return rounded(cosineKernel(a.r));
    case 1: return -rounded(sineKernel(a.r));
    case 2: return -rounded(cosineKernel(a.r));
    default: return rounded(sineKernel(a.r));
  }
}

double tan(double x) {
  if (std::isnan(x)) return x + x;
  if (std::isinf(x)) return trigonometricOfInfinity();
  if (std::fabs(x) < 0x1p-27) return x;  // x^3/3 is below half an ulp
  const ReducedAngle a = reduceByHalfPi(x);
  const DoubleDouble s = sineKernel(a.r);
  const DoubleDouble c = cosineKernel(a.r);
  return a.quadrant % 2 == 0 ? rounded(s / c) : -rounded(c / s);
}

double asin(double x) {
  if (std::isnan(x)) return x + x;
  const double a = std::fabs(x);
  if (a > 1) return inverseSineOutsideDomain();
  if (a < 0x1p-28) return x;
  if (a == 1) return negatedIf(x < 0, kHalfPi.hi);
  return negatedIf(x < 0, rounded(angleOf({a, 0.0}, cofactor(a))));
}

double acos(double x) {
  if (std::isnan(x)) return x + x;
  const double a = std::fabs(x);
  if (a > 1) return inverseSineOutsideDomain();
  if (x == 1) return 0.0;
  if (x == -1) return kPi.hi;
  const DoubleDouble angle = angleOf(cofactor(a), {a, 0.0});
  return rounded(x < 0 ? kPi - angle : angle);
}

double atan(double x) {
  if (std::isnan(x)) return x + x;
  const double a = std::fabs(x);
  if (a < 0x1p-28) return x;                                 // x^3/3 is below half an ulp
  if (a > 0x1p60) return negatedIf(x < 0, kHalfPi.hi);       // so is 1/x beside pi/2
  return negatedIf(x < 0, rounded(angleOf({a, 0.0}, {1.0, 0.0})));
}

double atan2(double y, double x) {
  if (std::isnan(x)) return x + x;
  if (std::isnan(y)) return y + y;
  const bool below = std::signbit(y);
  const double ay = std::fabs(y);
  const double ax = std::fabs(x);
  double angle = 0.0;
  if (ay == 0) {
    angle = std::signbit(x) ? kPi.hi : 0.0;
  } else if (ax == 0) {
    angle = kHalfPi.hi;
  } else if (std::isinf(ay)) {
    if (!std::isinf(ax)) {
      angle = kHalfPi.hi;
    } else {
      angle = x > 0 ? kHalfPi.hi * 0.5 : rounded(kHalfPi * 1.5);
    }
  } else if (std::isinf(ax)) {
    angle = x > 0 ? 0.0 : kPi.hi;
  } else {
    const int ey = binaryExponent(ay);
    const int ex = binaryExponent(ax);
    if (ey - ex > 60) {
      angle = kHalfPi.hi;
    } else if (ex - ey > 60) {
      // The angle is y/x less a part in 2^120 of it, or pi less y/x.
      angle = x > 0 ? ay / ax : kPi.hi;
    } else {
      // Scaled alike so that the larger is from 1 to 2; the smaller stays normal.
      const int k = -(ey > ex ? ey : ex);
      const DoubleDouble a = angleOf({scaled(ay, k), 0.0}, {scaled(ax, k), 0.0});
      angle = rounded(x < 0 ? kPi - a : a);
    }
  }
  return negatedIf(below, angle);
}

double exp(double x) {
  if (std::isnan(x)) return x + x;
  if (x > 710) return kInfinity;
  if (x < -746) return 0.0;
  // x = n ln 2 + r with |r| <= ln 2 / 2 (a little more where x/ln 2 rounds): x less n times
  // the first piece is exact, n times the second is exact, n times the third is rounded far
  // below 2^-106.
  const double n = (x * kInverseLn2 + 0x1.8p52) - 0x1.8p52;
  const double a = x - n * kLn2Pieces[0];
  const DoubleDouble r = twoSum(a, -n * kLn2Pieces[1]) + (-n * kLn2Pieces[2]);
  DoubleDouble p = kExpSeries[23];
  for (int k = 22; k >= 0; --k) p = p * r + kExpSeries[k];
  return roundedTimesPowerOfTwo(p, static_cast<int>(n));
}

double log(double x) {
  if (std::isnan(x)) return x + x;
  if (x < 0) return logarithmOfNegative();
  if (x == 0) return -kInfinity;
  if (std::isinf(x)) return x;
  // x = 2^k m with sqrt(1/2) < m <= sqrt(2); ln m = 2 atanh s with s = (m - 1) / (m + 1),
  // |s| < 0.172.
  int k = 0;
  if (x < 0x1p-1022) {
    x *= 0x1p54;
    k = -54;
  }
  k += exponentOf(x);
  double m = fromBits((bitsOf(x) & 0x000fffffffffffffu) | 0x3ff0000000000000u);
  if (m > 0x1.6a09e667f3bcdp+0) {
    m *= 0.5;
    ++k;
  }
  const DoubleDouble s = DoubleDouble{m - 1.0, 0.0} / twoSum(m, 1.0);  // m - 1 is exact
  const DoubleDouble s2 = s * s;
  DoubleDouble p = kArctanhSeries[21];
  for (int i = 20; i >= 0; --i) p = p * s2 + kArctanhSeries[i];
  return rounded(kLn2 * static_cast<double>(k) + p * s * 2.0);
}

}  // namespace elementary
