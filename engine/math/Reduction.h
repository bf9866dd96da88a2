// Argument reduction for the trigonometric functions: x = n pi/2 + r with |r| <= pi/4 (a little
// more at the ends of a quadrant), n kept modulo 4.
#pragma once

#include "engine/math/DoubleDouble.h"

namespace elementary {

struct ReducedAngle {
  int quadrant;   // n mod 4, from 0 to 3
  DoubleDouble r; // the rest, within about 2^-100 of its value relative to it
};

// For finite x. Up to 2^20 by subtracting n times pi/2 in four pieces (Cody and Waite), beyond
// that, and where that cancels too much, from the bits of 2/pi (Payne and Hanek).
ReducedAngle reduceByHalfPi(double x);

// Always from the bits of 2/pi, for finite |x| >= pi/4: what reduceByHalfPi falls back on.
ReducedAngle reduceByHalfPiBits(double x);

}  // namespace elementary
