// Draws into a caller-owned buffer of premultiplied 32-bit pixels (PixelFormat.h): clears,
// solid boxes and images under any affine transform, and coverage masks (glyphs), all cut by
// one clip rectangle. Upright boxes land on whole pixels, so that neighbours share their edges
// and keys stay sharp; anything turned or skewed is sampled per pixel with smoothed edges.
#pragma once

#include <cstdint>
#include <vector>

#include "cocos/backend/software/Coverage.h"
#include "cocos/backend/software/Geometry.h"
#include "cocos/backend/software/PixelFormat.h"
#include "cocos/backend/software/Resample.h"

namespace cocos2d::backend::software {

class Canvas {
 public:
  // The buffer stays the caller's; it must outlive its use here. Resets the clip.
  void setTarget(const PixelBuffer& target);
  const PixelBuffer& target() const { return _target; }

  // Window pixels from the top-left; null for none. Always kept within the buffer (possibly
  // empty, which lets nothing through).
  void setClip(const PixelRect* clip);
  const PixelRect& clip() const { return _clip; }
  // The clip as the culling tests take it.
  PixelArea visibleArea() const;

  // Sets pixels to the colour, premultiplied; the clip does not apply.
  void clear(const Color4B& colour);
  void clear(const Color4B& colour, const PixelRect& region);

  // `box` in local coordinates through `toPixels` onto the buffer.
  void fillBox(const AffineTransform& toPixels, const LocalBox& box, const Color4B& colour);

  // The texels `source` of `image` (premultiplied) stretched over `box`, whose top edge (local
  // y1) takes the source's top row. Upright boxes snap to whole pixels and are resampled
  // (bilinear when enlarged, averaged when shrunk, either way per axis); other transforms
  // sample bilinearly at every pixel centre.
  void drawImage(const ImageView& image, const PixelRect& source, const AffineTransform& toPixels,
                 const LocalBox& box, const Color4B& modulate);

  // `image` 1:1 with its top-left texel on pixel (x, y): the fastest path, taken by images
  // already resampled to their size on screen.
  void copyImage(const ImageView& image, int x, int y, const Color4B& modulate);

  // A solid colour through a coverage mask whose top-left corner is on pixel (x, y).
  void blendMask(const RotatedCoverage& mask, int x, int y, const Color4B& colour);

  // A coverage mask stretched over `box` under any transform (the mask's top row at local
  // y1), sampled bilinearly, with nothing outside the mask's texels.
  void drawMask(const Coverage& mask, const AffineTransform& toPixels, const LocalBox& box, const Color4B& colour);

 private:
  void blendSolid(const PixelRect& area, std::uint32_t pixel);
  void drawImageUpright(const ImageView& image, const PixelRect& source, const PixelBox& pixels,
                        const Color4B& modulate);
  bool clipTo(const PixelRect& area, PixelRect& inside) const;

  PixelBuffer _target;
  PixelRect _clip;
  Resampler _resampler;
  std::vector<std::uint32_t> _scratch;  // resampled texels of the clipped part of one draw
};

}  // namespace cocos2d::backend::software
