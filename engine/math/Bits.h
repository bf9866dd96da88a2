// The bits of a double, without undefined behaviour: copies, not casts.
#pragma once

#include <cstdint>
#include <cstring>

namespace elementary {

inline std::uint64_t bitsOf(double x) {
  std::uint64_t bits = 0;
  std::memcpy(&bits, &x, sizeof bits);
  return bits;
}

inline double fromBits(std::uint64_t bits) {
  double x = 0;
  std::memcpy(&x, &bits, sizeof x);
  return x;
}

// 2^k for -1022 <= k <= 1023.
inline double powerOfTwo(int k) { return fromBits(static_cast<std::uint64_t>(k + 1023) << 52); }

// The unbiased exponent of a normal x: 2^e <= |x| < 2^(e+1).
inline int exponentOf(double x) { return static_cast<int>((bitsOf(x) >> 52) & 0x7ff) - 1023; }

// Quiet NaNs of either sign. The processor's own invalid operations (0/0, inf - inf) give the
// negative one.
inline double positiveNaN() { return fromBits(0x7ff8000000000000u); }
inline double negativeNaN() { return fromBits(0xfff8000000000000u); }

}  // namespace elementary
