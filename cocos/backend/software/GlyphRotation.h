// Turns a glyph's coverage bitmap by an angle, with bilinear sampling, into the smallest
// bitmap that holds the turned ink, with the ink's extent in each row. Text turned in steps
// (tumbling characters) is drawn from such bitmaps by blending whole pixels, which costs a
// fraction of texturing two triangles per glyph on the software renderer.
#pragma once

#include "cocos/backend/software/Coverage.h"

namespace cocos2d::backend::software {

// `radians` turns clockwise on screen (y down). Every source texel stays a unit square, so
// the glyph keeps its size; the bitmap is trimmed to the rows and columns with ink.
RotatedCoverage rotateCoverage(const Coverage& source, float radians);

// Angles quantised to `stepsPerTurn` equal steps: the step nearest to `radians`, in
// [0, stepsPerTurn), and the angle of a step.
int angleStep(float radians, int stepsPerTurn);
float stepAngle(int step, int stepsPerTurn);

}  // namespace cocos2d::backend::software
