// Minimal floating-point raster used to draw the calculator's artwork.
//
// Shapes are described by signed distance functions (negative inside), which
// gives exact anti-aliasing for straight and curved edges without
// supersampling, and makes soft shadows and glows a simple ramp on the same
// distance. Everything is plain arithmetic on floats evaluated in a fixed
// order, so the output is bit-for-bit reproducible.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace art {

// Straight (non-premultiplied) colour, components in 0..1.
struct Color {
    float r = 0, g = 0, b = 0, a = 1;
};

// Parses "#RRGGBB"; aborts on malformed input because colours are authored
// in this tool, so a typo is a programming error.
Color hex(const char* rrggbb, float alpha = 1.0f);
Color mix(Color a, Color b, float t);
Color withAlpha(Color c, float a);
// Moves a colour toward black (amount > 0) or white (amount < 0).
Color darken(Color c, float amount);

struct Rect {
    float x0, y0, x1, y1;
    Rect moved(float dx, float dy) const { return {x0 + dx, y0 + dy, x1 + dx, y1 + dy}; }
    Rect inset(float d) const { return {x0 + d, y0 + d, x1 - d, y1 - d}; }
};

float roundRectDistance(float px, float py, const Rect& r, float radius);
float circleDistance(float px, float py, float cx, float cy, float radius);
// Distance to a line segment of the given half thickness (a capsule).
float capsuleDistance(float px, float py, float ax, float ay, float bx, float by,
                      float halfWidth);

using Shape = std::function<float(float x, float y)>;
using Paint = std::function<Color(float x, float y)>;

Shape roundRect(const Rect& r, float radius);
// A band of the given width centred on the outline of `s`.
Shape outline(Shape s, float width);

// RGBA image stored premultiplied, which keeps "over" compositing and
// resampling free of dark fringes around transparent edges.
class Image {
public:
    Image(int width, int height);

    int width() const { return _w; }
    int height() const { return _h; }

    // Composites `c` over the pixel, scaled by an extra coverage factor.
    void blend(int x, int y, Color c, float coverage);
    // Straight-alpha colour of a pixel.
    Color at(int x, int y) const;
    // Premultiplied channel access for resampling.
    const float* raw(int x, int y) const { return &_px[4 * (y * _w + x)]; }
    void fillAll(Color c);

private:
    int _w, _h;
    std::vector<float> _px;
};

// Fills the shape with analytic anti-aliasing: a pixel's coverage is
// 0.5 - distance from its centre, clamped to [0, 1].
void fill(Image& img, const Shape& shape, const Paint& paint);
void fill(Image& img, const Shape& shape, Color c);

// Fills with coverage fading from full at the outline to zero `softness`
// pixels outside it: drop shadows and glows.
void fillSoft(Image& img, const Shape& shape, Color c, float softness);

// Darkens (or lightens, for a light colour) the part of `body` that the
// same body shifted by (dx, dy) does not cover, feathered over `softness`
// pixels: a recessed key's inner shadow or a raised key's rim highlight.
void innerShadow(Image& img, const Shape& body, const Shape& shifted, Color c,
                 float softness);

// Alpha coverage mask (e.g. rendered text) painted in one colour at an
// integer offset.
struct Mask {
    int width = 0, height = 0;
    std::vector<float> alpha;
    float at(int x, int y) const { return alpha[y * width + x]; }
};
void paintMask(Image& img, const Mask& m, int x, int y, Color c);

// Draws `src` scaled into the rectangle (dx, dy, dw, dh) with an area
// average over 4x4 samples per destination pixel. Used only for the
// contact sheet, which previews the art at its on-screen size.
void drawScaled(Image& dst, const Image& src, float dx, float dy, float dw, float dh);

// Writes an 8-bit RGBA PNG; returns false with a message on stderr on failure.
bool savePng(const Image& img, const std::string& path);

}  // namespace art
