// Numbers kept as the unevaluated sum of two doubles, hi + lo with |lo| at most half an ulp of
// hi: about 106 bits. The elementary functions compute in them and round once at the end.
// Every operation is exact or within a few units of 2^-104 of its result, provided that no
// intermediate value overflows or falls below about 2^-969 (where the low parts lose bits).
// Relies on round-to-nearest doubles and on no contraction of a*b+c into a fused operation.
#pragma once

#include <cmath>

namespace elementary {

struct DoubleDouble {
  double hi;
  double lo;
};

// a + b exactly, for any a and b.
inline DoubleDouble twoSum(double a, double b) {
  const double s = a + b;
  const double bb = s - a;
  const double e = (a - (s - bb)) + (b - bb);
  return {s, e};
}

// a + b exactly, for |a| >= |b| (or a = 0).
inline DoubleDouble quickTwoSum(double a, double b) {
  const double s = a + b;
  return {s, b - (s - a)};
}

// a split into two halves of 26 bits each, hi + lo = a (Veltkamp); |a| below 2^995.
inline DoubleDouble split(double a) {
  const double t = 134217729.0 * a;  // 2^27 + 1
  const double hi = t - (t - a);
  return {hi, a - hi};
}

// a * b exactly (Dekker), when neither the product nor its error term leaves the normal range.
inline DoubleDouble twoProduct(double a, double b) {
  const double p = a * b;
  const DoubleDouble x = split(a);
  const DoubleDouble y = split(b);
  const double e = ((x.hi * y.hi - p) + x.hi * y.lo + x.lo * y.hi) + x.lo * y.lo;
  return {p, e};
}

inline DoubleDouble operator-(DoubleDouble a) { return {-a.hi, -a.lo}; }

inline DoubleDouble operator+(DoubleDouble a, DoubleDouble b) {
  const DoubleDouble s = twoSum(a.hi, b.hi);
  const DoubleDouble t = twoSum(a.lo, b.lo);
  DoubleDouble r = quickTwoSum(s.hi, s.lo + t.hi);
  return quickTwoSum(r.hi, r.lo + t.lo);
}

inline DoubleDouble operator-(DoubleDouble a, DoubleDouble b) { return a + (-b); }

inline DoubleDouble operator+(DoubleDouble a, double b) {
  const DoubleDouble s = twoSum(a.hi, b);
  return quickTwoSum(s.hi, s.lo + a.lo);
}

inline DoubleDouble operator*(DoubleDouble a, DoubleDouble b) {
  const DoubleDouble p = twoProduct(a.hi, b.hi);
  return quickTwoSum(p.hi, p.lo + (a.hi * b.lo + a.lo * b.hi));
}

inline DoubleDouble operator*(DoubleDouble a, double b) {
  const DoubleDouble p = twoProduct(a.hi, b);
  return quickTwoSum(p.hi, p.lo + a.lo * b);
}

// a / b: the quotient of the high parts corrected twice by the remainder.
inline DoubleDouble operator/(DoubleDouble a, DoubleDouble b) {
  const double q1 = a.hi / b.hi;
  DoubleDouble r = a - b * q1;
  const double q2 = r.hi / b.hi;
  r = r - b * q2;
  const double q3 = r.hi / b.hi;
  const DoubleDouble q = quickTwoSum(q1, q2);
  return q + q3;
}

// The square root of a > 0: the correctly rounded root of the high part, corrected once.
inline DoubleDouble squareRoot(DoubleDouble a) {
  const double y = std::sqrt(a.hi);
  const DoubleDouble square = twoProduct(y, y);
  const DoubleDouble rest = (a - square);
  return quickTwoSum(y, rest.hi / (2.0 * y));
}

// The double nearest to a (ties to even): a.hi + a.lo rounds once.
inline double rounded(DoubleDouble a) { return a.hi + a.lo; }

}  // namespace elementary
