// Maps local boxes through the engine's affine transforms onto window pixels: the box an
// axis-aligned transform yields (with its mirroring), the quad any transform yields, and
// the whole-pixel snapping that keeps edges sharp on the software renderer.
#pragma once

#include "cocos/math/AffineTransform.h"

namespace cocos2d::backend::software {

// A box in local coordinates (y up): x0 < x1, y0 < y1. Images put their row 0 at y1.
struct LocalBox {
  float x0 = 0, y0 = 0, x1 = 0, y1 = 0;
};

// A region of the window in pixels, y down; right and bottom are exclusive.
struct PixelArea {
  float left = 0, top = 0, right = 0, bottom = 0;
};

// The pixel box of a local box under an axis-aligned transform, normalised so that
// left <= right and top <= bottom; flipX / flipY say whether the image appears mirrored.
struct PixelBox {
  float left = 0, top = 0, right = 0, bottom = 0;
  bool flipX = false, flipY = false;
};

struct PixelRect {
  int x = 0, y = 0, w = 0, h = 0;
};

// Corners in image order: top-left, top-right, bottom-right, bottom-left of the image
// (local (x0, y1), (x1, y1), (x1, y0), (x0, y0)).
struct PixelQuad {
  float x[4] = {0, 0, 0, 0};
  float y[4] = {0, 0, 0, 0};
};

PixelBox mapAxisAligned(const AffineTransform& t, const LocalBox& box);
PixelQuad mapQuad(const AffineTransform& t, const LocalBox& box);

// Rounds each edge to the nearest pixel boundary, so neighbouring boxes share edges
// without gaps or overlaps; a box that rounds to nothing but is not empty keeps one pixel.
PixelRect snapToPixels(const PixelBox& box);

bool overlaps(const PixelBox& box, const PixelArea& area);
bool overlaps(const PixelQuad& quad, const PixelArea& area);

// How many pixels one local unit spans along each local axis.
float scaleAlongX(const AffineTransform& t);
float scaleAlongY(const AffineTransform& t);

// A transform that turns local y-up space onto the screen with an even scale, neither
// skewed nor mirrored: `scale` pixels per unit and the on-screen angle, clockwise.
struct Turn {
  float scale = 0;
  float radians = 0;
};
// False for other transforms, and for axis-aligned ones, which have exact paths of their own.
bool asTurn(const AffineTransform& t, Turn& turn);

}  // namespace cocos2d::backend::software
