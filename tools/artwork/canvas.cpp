#include "canvas.h"

#include <SDL.h>
#include <SDL_image.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace art {

namespace {

float clamp01(float v) { return std::min(1.0f, std::max(0.0f, v)); }

float smoothstep(float e0, float e1, float x) {
    float t = clamp01((x - e0) / (e1 - e0));
    return t * t * (3.0f - 2.0f * t);
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

Color hex(const char* s, float alpha) {
    if (std::strlen(s) != 7 || s[0] != '#') {
        std::fprintf(stderr, "artgen: bad colour '%s'\n", s);
        std::abort();
    }
    float ch[3];
    for (int i = 0; i < 3; ++i) {
        int hi = hexDigit(s[1 + 2 * i]), lo = hexDigit(s[2 + 2 * i]);
        if (hi < 0 || lo < 0) {
            std::fprintf(stderr, "artgen: bad colour '%s'\n", s);
            std::abort();
        }
        ch[i] = static_cast<float>(hi * 16 + lo) / 255.0f;
    }
    return {ch[0], ch[1], ch[2], alpha};
}

Color mix(Color a, Color b, float t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t,
            a.a + (b.a - a.a) * t};
}

Color withAlpha(Color c, float a) {
    c.a = a;
    return c;
}

Color darken(Color c, float amount) {
    Color target = amount >= 0 ? Color{0, 0, 0, c.a} : Color{1, 1, 1, c.a};
    return mix(c, target, std::fabs(amount));
}

float roundRectDistance(float px, float py, const Rect& r, float radius) {
    // Distance to a box shrunk by the radius, minus the radius.
    float cx = (r.x0 + r.x1) * 0.5f, cy = (r.y0 + r.y1) * 0.5f;
    float hx = (r.x1 - r.x0) * 0.5f - radius, hy = (r.y1 - r.y0) * 0.5f - radius;
    float qx = std::fabs(px - cx) - hx, qy = std::fabs(py - cy) - hy;
    float ox = std::max(qx, 0.0f), oy = std::max(qy, 0.0f);
    return std::sqrt(ox * ox + oy * oy) + std::min(std::max(qx, qy), 0.0f) - radius;
}

float circleDistance(float px, float py, float cx, float cy, float radius) {
    return std::hypot(px - cx, py - cy) - radius;
}

float capsuleDistance(float px, float py, float ax, float ay, float bx, float by,
                      float halfWidth) {
    float vx = bx - ax, vy = by - ay, wx = px - ax, wy = py - ay;
    float t = clamp01((wx * vx + wy * vy) / (vx * vx + vy * vy));
    return std::hypot(wx - vx * t, wy - vy * t) - halfWidth;
}

Shape roundRect(const Rect& r, float radius) {
    return [r, radius](float x, float y) { return roundRectDistance(x, y, r, radius); };
}

Shape outline(Shape s, float width) {
    return [s, width](float x, float y) { return std::fabs(s(x, y)) - width * 0.5f; };
}

Image::Image(int width, int height)
    : _w(width), _h(height), _px(static_cast<size_t>(4 * width * height), 0.0f) {}

void Image::blend(int x, int y, Color c, float coverage) {
    if (x < 0 || y < 0 || x >= _w || y >= _h) return;
    float a = clamp01(c.a * coverage);
    if (a <= 0.0f) return;
    float* p = &_px[4 * (y * _w + x)];
    p[0] = c.r * a + p[0] * (1.0f - a);
    p[1] = c.g * a + p[1] * (1.0f - a);
    p[2] = c.b * a + p[2] * (1.0f - a);
    p[3] = a + p[3] * (1.0f - a);
}

Color Image::at(int x, int y) const {
    const float* p = raw(x, y);
    if (p[3] <= 0.0f) return {0, 0, 0, 0};
    return {p[0] / p[3], p[1] / p[3], p[2] / p[3], p[3]};
}

void Image::fillAll(Color c) {
    for (int y = 0; y < _h; ++y) {
        for (int x = 0; x < _w; ++x) {
            float* p = &_px[4 * (y * _w + x)];
            p[0] = c.r * c.a;
            p[1] = c.g * c.a;
            p[2] = c.b * c.a;
            p[3] = c.a;
        }
    }
}

void fill(Image& img, const Shape& shape, const Paint& paint) {
    for (int y = 0; y < img.height(); ++y) {
        for (int x = 0; x < img.width(); ++x) {
            float cx = x + 0.5f, cy = y + 0.5f;
            float cover = clamp01(0.5f - shape(cx, cy));
            if (cover > 0.0f) img.blend(x, y, paint(cx, cy), cover);
        }
    }
}

void fill(Image& img, const Shape& shape, Color c) {
    fill(img, shape, [c](float, float) { return c; });
}

void fillSoft(Image& img, const Shape& shape, Color c, float softness) {
    for (int y = 0; y < img.height(); ++y) {
        for (int x = 0; x < img.width(); ++x) {
            float d = shape(x + 0.5f, y + 0.5f);
            float cover = 1.0f - smoothstep(-0.5f, softness, d);
            if (cover > 0.0f) img.blend(x, y, c, cover);
        }
    }
}

void innerShadow(Image& img, const Shape& body, const Shape& shifted, Color c,
                 float softness) {
    for (int y = 0; y < img.height(); ++y) {
        for (int x = 0; x < img.width(); ++x) {
            float cx = x + 0.5f, cy = y + 0.5f;
            float inside = clamp01(0.5f - body(cx, cy));
            if (inside <= 0.0f) continue;
            // Fully shadowed on and beyond the shifted outline, fading to
            // nothing `softness` pixels inside it.
            float shade = smoothstep(-softness, 0.5f, shifted(cx, cy));
            img.blend(x, y, c, inside * shade);
        }
    }
}

void paintMask(Image& img, const Mask& m, int ox, int oy, Color c) {
    for (int y = 0; y < m.height; ++y)
        for (int x = 0; x < m.width; ++x)
            if (m.at(x, y) > 0.0f) img.blend(ox + x, oy + y, c, m.at(x, y));
}

void drawScaled(Image& dst, const Image& src, float dx, float dy, float dw, float dh) {
    const int n = 4;  // samples per axis
    int x0 = static_cast<int>(std::floor(dx)), y0 = static_cast<int>(std::floor(dy));
    int x1 = static_cast<int>(std::ceil(dx + dw)), y1 = static_cast<int>(std::ceil(dy + dh));
    float sx = src.width() / dw, sy = src.height() / dh;
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            float acc[4] = {0, 0, 0, 0};
            int hits = 0;
            for (int j = 0; j < n; ++j) {
                for (int i = 0; i < n; ++i) {
                    float px = x + (i + 0.5f) / n, py = y + (j + 0.5f) / n;
                    ++hits;
                    if (px < dx || py < dy || px >= dx + dw || py >= dy + dh) continue;
                    int u = std::min(src.width() - 1, static_cast<int>((px - dx) * sx));
                    int v = std::min(src.height() - 1, static_cast<int>((py - dy) * sy));
                    const float* p = src.raw(u, v);
                    for (int k = 0; k < 4; ++k) acc[k] += p[k];
                }
            }
            float a = acc[3] / hits;
            if (a <= 0.0f) continue;
            dst.blend(x, y, {acc[0] / acc[3], acc[1] / acc[3], acc[2] / acc[3], a}, 1.0f);
        }
    }
}

bool savePng(const Image& img, const std::string& path) {
    SDL_Surface* s =
        SDL_CreateRGBSurfaceWithFormat(0, img.width(), img.height(), 32, SDL_PIXELFORMAT_RGBA32);
    if (!s) {
        std::fprintf(stderr, "artgen: %s\n", SDL_GetError());
        return false;
    }
    auto to8 = [](float v) { return static_cast<Uint8>(std::lround(clamp01(v) * 255.0f)); };
    for (int y = 0; y < img.height(); ++y) {
        Uint8* row = static_cast<Uint8*>(s->pixels) + y * s->pitch;
        for (int x = 0; x < img.width(); ++x) {
            Color c = img.at(x, y);
            Uint8 a = to8(c.a);
            // Fully transparent pixels are stored as zero so the files do
            // not carry invisible colour noise.
            row[4 * x + 0] = a ? to8(c.r) : 0;
            row[4 * x + 1] = a ? to8(c.g) : 0;
            row[4 * x + 2] = a ? to8(c.b) : 0;
            row[4 * x + 3] = a;
        }
    }
    bool ok = IMG_SavePNG(s, path.c_str()) == 0;
    if (!ok) std::fprintf(stderr, "artgen: cannot write %s: %s\n", path.c_str(), IMG_GetError());
    SDL_FreeSurface(s);
    return ok;
}

}  // namespace art
