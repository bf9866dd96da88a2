// The constants of the elementary functions (Tables.cpp, written by generate_tables.py).
#pragma once

#include <cstdint>

#include "engine/math/DoubleDouble.h"

namespace elementary {

extern const std::uint32_t kTwoOverPiBits[40];
extern const DoubleDouble kHalfPi;
extern const DoubleDouble kPi;
extern const DoubleDouble kLn2;
extern const double kTwoOverPi;
extern const double kInverseLn2;
extern const double kHalfPiPieces[4];
extern const double kLn2Pieces[3];

extern const DoubleDouble kSineSeries[14];
extern const DoubleDouble kCosineSeries[15];
extern const DoubleDouble kExpSeries[24];
extern const DoubleDouble kArctanhSeries[22];
extern const DoubleDouble kArctanSeries[18];

}  // namespace elementary
