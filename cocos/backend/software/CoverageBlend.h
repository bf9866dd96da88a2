// Blends a solid colour through a coverage mask straight into 32-bit pixels: the drawing of
// glyphs. One branch-free formula per pixel, over each row's ink only: blitters that test
// every pixel for transparent, opaque or in between mispredict those branches on the ragged
// edges of text. Shared by the SDL backend (its window surface) and the software canvas.
#pragma once

#include <cstdint>

#include "cocos/backend/software/Coverage.h"
#include "cocos/backend/software/Geometry.h"
#include "cocos/backend/software/PixelFormat.h"

namespace cocos2d::backend::software {

// Puts the mask's top-left corner on pixel (x, y) of `target` and moves every byte of the
// pixels under it towards the byte of `source` by coverage times `alpha`: with `source` an
// opaque colour (0xFF in the byte of alpha, if the pixels have one) this is the colour
// blended over premultiplied or opaque pixels. Full coverage of an opaque colour replaces the
// pixel exactly; no coverage leaves it alone. Nothing outside `clip` or the target changes.
void blendCoverage(const PixelBuffer& target, const PixelRect& clip, int x, int y, const RotatedCoverage& ink,
                   std::uint32_t source, std::uint8_t alpha);

}  // namespace cocos2d::backend::software
