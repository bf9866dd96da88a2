// The mathematical functions that the function table calls. Linux keeps its C library's, which
// round correctly in nearly all cases. Windows gets elementary:: (PEMTRIX_PORTABLE_MATH, set by
// engine/CMakeLists.txt): its runtimes compute sin and cos with the x87 instructions, whose
// reduction by a 66-bit pi leaves no correct digit from about 1e19 on, exp and log in x87
// arithmetic, and asin, acos, atan and tan in whichever msvcrt.dll the system has, with NaN
// signs of their own. sqrt is the processor's on both, exact.
#pragma once

#include <cmath>

#if defined(PEMTRIX_PORTABLE_MATH)
#include "engine/math/Elementary.h"
#endif

namespace tablemath {

#if defined(PEMTRIX_PORTABLE_MATH)
using elementary::acos;
using elementary::asin;
using elementary::atan;
using elementary::atan2;
using elementary::cos;
using elementary::exp;
using elementary::log;
using elementary::sin;
using elementary::tan;
#else
inline double sin(double x) { return std::sin(x); }
inline double cos(double x) { return std::cos(x); }
inline double tan(double x) { return std::tan(x); }
inline double asin(double x) { return std::asin(x); }
inline double acos(double x) { return std::acos(x); }
inline double atan(double x) { return std::atan(x); }
inline double atan2(double y, double x) { return std::atan2(y, x); }
inline double exp(double x) { return std::exp(x); }
inline double log(double x) { return std::log(x); }
#endif

inline double sqrt(double x) { return std::sqrt(x); }

}  // namespace tablemath
