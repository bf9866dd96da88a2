// Renders key captions written in a tiny markup into alpha masks.
//
//   ^{...}  superscript       x^{2}, sin^{−1}
//   _{...}  subscript         σ_{n−1}
//   ~{...}  overline          ~{x}
//   |       new line, drawn smaller ("⚙|SETTING")
//
// Each code point is drawn with the first font in the list that has a glyph
// for it, so Latin text keeps the main face while arrows, stars and gears
// come from the fallback. A code point no font provides is an error: a
// missing glyph would otherwise ship as an empty box on a key.
#pragma once

#include "canvas.h"

#include <map>
#include <string>
#include <utility>
#include <vector>

typedef struct _TTF_Font TTF_Font;

namespace art {

struct Caption {
    Mask mask;            // cropped to the inked pixels
    int baseline = 0;     // first line's baseline, in mask rows
    int capTop = 0;       // top of a capital letter on the first line
    // One line with letters, digits or a decimal point or comma: centred on
    // the capital band so it shares a baseline with the digits.
    bool textLike = false;
};

class CaptionRenderer {
public:
    explicit CaptionRenderer(std::vector<std::string> fontFiles);
    ~CaptionRenderer();
    CaptionRenderer(const CaptionRenderer&) = delete;
    CaptionRenderer& operator=(const CaptionRenderer&) = delete;

    // Renders at the given pixel size. Throws std::runtime_error when the
    // markup is malformed or a glyph is missing from every font.
    Caption render(const std::string& markup, int pixelSize);

    // Largest size up to `pixelSize` whose ink fits in maxW x maxH.
    Caption renderFitting(const std::string& markup, int pixelSize, int maxW, int maxH);

private:
    TTF_Font* font(size_t index, int pixelSize);

    std::vector<std::string> _files;
    std::map<std::pair<size_t, int>, TTF_Font*> _cache;
};

}  // namespace art
