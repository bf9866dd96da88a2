// The drawing paths for transforms that turn, skew or mirror diagonally: every pixel whose
// centre falls near the box is mapped back into it, sampled there, and weighted by how much of
// the pixel the box covers, so that the edges of a turned box are smooth rather than stepped.
#pragma once

#include "cocos/backend/software/Coverage.h"
#include "cocos/backend/software/Geometry.h"
#include "cocos/backend/software/PixelFormat.h"

namespace cocos2d::backend::software {

void fillTransformed(const PixelBuffer& target, const PixelRect& clip, const AffineTransform& toPixels,
                     const LocalBox& box, const Color4B& colour);

// `source` texels of `image` over `box`, the source's top row at local y1, bilinear.
void drawImageTransformed(const PixelBuffer& target, const PixelRect& clip, const ImageView& image,
                          const PixelRect& source, const AffineTransform& toPixels, const LocalBox& box,
                          const Color4B& modulate);

// The mask's texels over `box`, its top row at local y1, bilinear, nothing beyond its edges.
void drawMaskTransformed(const PixelBuffer& target, const PixelRect& clip, const Coverage& mask,
                         const AffineTransform& toPixels, const LocalBox& box, const Color4B& colour);

}  // namespace cocos2d::backend::software
