#include "engine/math/Reduction.h"

#include <cstdint>

#include "engine/math/Bits.h"
#include "engine/math/Tables.h"

namespace elementary {

namespace {

// The product of a 53-bit integer and eight words of 2/pi: ten 32-bit limbs, lowest first.
constexpr int kWindowWords = 8;
constexpr int kProductLimbs = kWindowWords + 2;
constexpr int kProductBits = 32 * kProductLimbs;
using Product = std::uint32_t[kProductLimbs];

// The count bits (at most 64) of p from bit low upwards; bits outside the product are 0.
std::uint64_t bitsAt(const Product& p, int low, int count) {
  std::uint64_t value = 0;
  for (int i = count - 1; i >= 0; --i) {
    const int bit = low + i;
    const std::uint64_t set = bit >= 0 && bit < kProductBits ? (p[bit / 32] >> (bit % 32)) & 1u : 0u;
    value = (value << 1) | set;
  }
  return value;
}

// The integer nearest to t (ties to even), for |t| < 2^51.
double nearestInteger(double t) {
  constexpr double kShifter = 0x1.8p52;
  return (t + kShifter) - kShifter;
}

int quadrantOf(std::int64_t n) { return static_cast<int>(((n % 4) + 4) % 4); }

}  // namespace

ReducedAngle reduceByHalfPiBits(double x) {
  // |x| = m 2^e with m an integer below 2^53.
  const std::uint64_t bits = bitsOf(x);
  const bool negative = (bits >> 63) != 0;
  const int biased = static_cast<int>((bits >> 52) & 0x7ff);
  std::uint64_t m = bits & 0x000fffffffffffffu;
  int e = -1074;
  if (biased != 0) {
    m |= std::uint64_t{1} << 52;
    e = biased - 1075;
  }
  if (m == 0) return {0, {x, 0.0}};

  // x 2/pi = sum over k of m * word[k] * 2^(e - 32 (k + 1)). The words before `first` give
  // multiples of 4, which change neither the quadrant nor the rest; the words after the window
  // add less than 2^(53 + 33 - 256) to the fraction.
  const int first = e > 33 ? (e - 2) / 32 : 0;
  const int s = e - 32 * first;
  const int point = 32 * kWindowWords - s;  // bits of the product below the binary point
  std::uint32_t window[kWindowWords];
  for (int i = 0; i < kWindowWords; ++i) {
    const int word = first + kWindowWords - 1 - i;
    window[i] = word < 40 ? kTwoOverPiBits[word] : 0u;
  }
  Product p = {};
  const std::uint32_t halves[2] = {static_cast<std::uint32_t>(m), static_cast<std::uint32_t>(m >> 32)};
  for (int j = 0; j < 2; ++j) {
    std::uint64_t carry = 0;
    for (int i = 0; i < kWindowWords; ++i) {
      const std::uint64_t t = std::uint64_t{window[i]} * halves[j] + p[i + j] + carry;
      p[i + j] = static_cast<std::uint32_t>(t);
      carry = t >> 32;
    }
    p[kWindowWords + j] = static_cast<std::uint32_t>(carry);
  }

  // The two bits above the point are n mod 4. A fraction of a half or more rounds n up and
  // leaves the rest negative: its magnitude is 2^point minus the fraction.
  int quadrant = static_cast<int>(bitsAt(p, point, 2));
  const bool roundedUp = bitsAt(p, point - 1, 1) != 0;
  if (roundedUp) {
    quadrant = (quadrant + 1) % 4;
    std::uint64_t carry = 1;
    for (std::uint32_t& limb : p) {
      const std::uint64_t t = std::uint64_t{static_cast<std::uint32_t>(~limb)} + carry;
      limb = static_cast<std::uint32_t>(t);
      carry = t >> 32;
    }
  }
  for (int bit = point; bit < kProductBits; ++bit) p[bit / 32] &= ~(1u << (bit % 32));

  // The fraction's leading 106 bits as two doubles, times pi/2.
  int top = (point < kProductBits ? point : kProductBits) - 1;
  while (top >= 0 && bitsAt(p, top, 1) == 0) --top;
  if (top < 0) return {negative ? (4 - quadrant) % 4 : quadrant, {0.0, 0.0}};
  const double hi = static_cast<double>(bitsAt(p, top - 52, 53)) * powerOfTwo(top - 52 - point);
  const double lo = static_cast<double>(bitsAt(p, top - 105, 53)) * powerOfTwo(top - 105 - point);
  DoubleDouble r = quickTwoSum(hi, lo) * kHalfPi;
  if (roundedUp) r = -r;
  if (negative) return {(4 - quadrant) % 4, -r};
  return {quadrant, r};
}

ReducedAngle reduceByHalfPi(double x) {
  const double magnitude = x < 0 ? -x : x;
  if (magnitude <= 0x1.921fb54442d18p-1) return {0, {x, 0.0}};  // pi/4
  if (magnitude < 0x1p20) {
    // n < 2^20: n times each of the first three pieces is exact, and x minus the first product
    // is exact as the two are within a factor of 2 of each other.
    const double n = nearestInteger(x * kTwoOverPi);
    const double a = x - n * kHalfPiPieces[0];
    const DoubleDouble s1 = twoSum(a, -n * kHalfPiPieces[1]);
    const DoubleDouble s2 = twoSum(s1.hi, -n * kHalfPiPieces[2]);
    const double tail = (s1.lo + s2.lo) - n * kHalfPiPieces[3];
    const DoubleDouble r = twoSum(s2.hi, tail);
    // The tail's rounding is about 2^-106 of pi/4; a rest of at least 2^-10 keeps it
    // below 2^-96 of the rest. Nearer to a multiple of pi/2 the bits of 2/pi take over.
    if (r.hi > 0x1p-10 || r.hi < -0x1p-10) return {quadrantOf(static_cast<std::int64_t>(n)), r};
  }
  return reduceByHalfPiBits(x);
}

}  // namespace elementary
