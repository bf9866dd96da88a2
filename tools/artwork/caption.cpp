#include "caption.h"

#include <SDL.h>
#include <SDL_ttf.h>

#include <algorithm>
#include <cctype>
#include <climits>
#include <cmath>
#include <cstdio>
#include <stdexcept>

namespace art {

namespace {

enum class RunKind { Normal, Super, Sub, Over };

struct Run {
    std::u32string text;
    RunKind kind = RunKind::Normal;
};
using Line = std::vector<Run>;

// A rendered piece of text: coverage at an integer position relative to the
// line's pen origin (x = 0 at the start, y = 0 on the baseline).
struct Piece {
    int x = 0, y = 0, w = 0, h = 0;
    std::vector<float> alpha;
};

struct Box {
    int x0 = INT_MAX, y0 = INT_MAX, x1 = INT_MIN, y1 = INT_MIN;
    bool empty() const { return x0 > x1; }
};

// Sizes relative to the line's base size. Superscripts sit high enough to
// clear an x-height letter yet stay inside the cap band's upper edge.
constexpr float kScriptScale = 0.62f;
constexpr float kSuperRise = 0.38f;
constexpr float kSubDrop = 0.16f;
// Lines after the first are a label under an icon, so they are smaller.
constexpr float kSecondLineScale = 0.55f;
constexpr float kLineGap = 0.12f;

std::u32string decodeUtf8(const std::string& s) {
    std::u32string out;
    for (size_t i = 0; i < s.size();) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        int len = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
        if (len == 0 || i + len > s.size()) throw std::runtime_error("invalid UTF-8 in caption");
        char32_t cp = len == 1 ? c : c & (0x7F >> len);
        for (int k = 1; k < len; ++k) {
            unsigned char cc = static_cast<unsigned char>(s[i + k]);
            if ((cc >> 6) != 2) throw std::runtime_error("invalid UTF-8 in caption");
            cp = (cp << 6) | (cc & 0x3F);
        }
        out.push_back(cp);
        i += len;
    }
    return out;
}

std::string encodeUtf8(const std::u32string& s) {
    std::string out;
    for (char32_t cp : s) {
        if (cp < 0x80) {
            out += static_cast<char>(cp);
        } else if (cp < 0x800) {
            out += static_cast<char>(0xC0 | (cp >> 6));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else if (cp < 0x10000) {
            out += static_cast<char>(0xE0 | (cp >> 12));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (cp >> 18));
            out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        }
    }
    return out;
}

std::vector<Line> parse(const std::string& markup) {
    std::u32string s = decodeUtf8(markup);
    std::vector<Line> lines(1);
    Run current;
    auto flush = [&] {
        if (!current.text.empty()) lines.back().push_back(current);
        current = Run{};
    };
    for (size_t i = 0; i < s.size(); ++i) {
        char32_t c = s[i];
        if ((c == U'^' || c == U'_' || c == U'~') && i + 1 < s.size() && s[i + 1] == U'{') {
            size_t end = s.find(U'}', i + 2);
            if (end == std::u32string::npos) throw std::runtime_error("unclosed { in caption");
            flush();
            current.kind = c == U'^' ? RunKind::Super : c == U'_' ? RunKind::Sub : RunKind::Over;
            current.text = s.substr(i + 2, end - i - 2);
            flush();
            i = end;
        } else if (c == U'|') {
            flush();
            lines.emplace_back();
        } else {
            current.text.push_back(c);
        }
    }
    flush();
    for (const Line& l : lines)
        if (l.empty()) throw std::runtime_error("empty caption line");
    return lines;
}

bool isCombining(char32_t cp) { return cp >= 0x300 && cp < 0x370; }

Box inkBox(const std::vector<Piece>& pieces) {
    Box b;
    for (const Piece& p : pieces)
        for (int y = 0; y < p.h; ++y)
            for (int x = 0; x < p.w; ++x)
                if (p.alpha[y * p.w + x] > 0.0f) {
                    b.x0 = std::min(b.x0, p.x + x);
                    b.x1 = std::max(b.x1, p.x + x);
                    b.y0 = std::min(b.y0, p.y + y);
                    b.y1 = std::max(b.y1, p.y + y);
                }
    return b;
}

Piece toPiece(SDL_Surface* rendered, int x, int y) {
    // Blended text is ARGB8888 with the glyph coverage in the alpha byte.
    SDL_Surface* s = SDL_ConvertSurfaceFormat(rendered, SDL_PIXELFORMAT_ARGB8888, 0);
    if (!s) throw std::runtime_error(SDL_GetError());
    Piece p;
    p.x = x;
    p.y = y;
    p.w = s->w;
    p.h = s->h;
    p.alpha.resize(static_cast<size_t>(p.w * p.h));
    for (int row = 0; row < p.h; ++row) {
        const Uint32* px =
            reinterpret_cast<const Uint32*>(static_cast<const Uint8*>(s->pixels) + row * s->pitch);
        for (int col = 0; col < p.w; ++col)
            p.alpha[row * p.w + col] = static_cast<float>(px[col] >> 24) / 255.0f;
    }
    SDL_FreeSurface(s);
    return p;
}

}  // namespace

CaptionRenderer::CaptionRenderer(std::vector<std::string> fontFiles) : _files(std::move(fontFiles)) {
    if (_files.empty()) throw std::runtime_error("no fonts given");
}

CaptionRenderer::~CaptionRenderer() {
    for (auto& entry : _cache) TTF_CloseFont(entry.second);
}

TTF_Font* CaptionRenderer::font(size_t index, int pixelSize) {
    auto key = std::make_pair(index, pixelSize);
    auto it = _cache.find(key);
    if (it != _cache.end()) return it->second;
    TTF_Font* f = TTF_OpenFont(_files[index].c_str(), pixelSize);
    if (!f) throw std::runtime_error("cannot open font " + _files[index] + ": " + TTF_GetError());
    // Light hinting keeps large captions smooth rather than snapped to the
    // pixel grid, which matters once the key is scaled down on screen.
    TTF_SetFontHinting(f, TTF_HINTING_LIGHT);
    _cache[key] = f;
    return f;
}

Caption CaptionRenderer::render(const std::string& markup, int pixelSize) {
    std::vector<Line> lines = parse(markup);
    std::vector<std::vector<Piece>> laid(lines.size());
    bool hasAlnum = false;

    for (size_t li = 0; li < lines.size(); ++li) {
        float lineSize = pixelSize * (li == 0 ? 1.0f : kSecondLineScale);
        int pen = 0;
        for (const Run& run : lines[li]) {
            bool script = run.kind == RunKind::Super || run.kind == RunKind::Sub;
            size_t firstPiece = laid[li].size();
            int px = static_cast<int>(std::lround(lineSize * (script ? kScriptScale : 1.0f)));
            int shift = run.kind == RunKind::Super ? -static_cast<int>(std::lround(lineSize * kSuperRise))
                        : run.kind == RunKind::Sub ? static_cast<int>(std::lround(lineSize * kSubDrop))
                                                   : 0;
            // Split the run into stretches drawn with the same font.
            size_t start = 0;
            while (start < run.text.size()) {
                size_t fi = _files.size();
                for (size_t k = 0; k < _files.size(); ++k)
                    if (TTF_GlyphIsProvided32(font(k, px), run.text[start])) {
                        fi = k;
                        break;
                    }
                if (fi == _files.size()) {
                    char buf[64];
                    std::snprintf(buf, sizeof buf, "no font has a glyph for U+%04X",
                                  static_cast<unsigned>(run.text[start]));
                    throw std::runtime_error(buf);
                }
                size_t end = start + 1;
                while (end < run.text.size()) {
                    char32_t cp = run.text[end];
                    bool sameFont = TTF_GlyphIsProvided32(font(fi, px), cp) &&
                                    (fi == 0 || isCombining(cp) ||
                                     !TTF_GlyphIsProvided32(font(0, px), cp));
                    if (!sameFont) break;
                    ++end;
                }
                std::u32string seg = run.text.substr(start, end - start);
                for (char32_t cp : seg)
                    if (cp < 0x80 && (std::isalnum(static_cast<int>(cp)) || cp == U'.' || cp == U',') && li == 0)
                        hasAlnum = true;
                std::string utf8 = encodeUtf8(seg);
                TTF_Font* f = font(fi, px);
                SDL_Surface* s = TTF_RenderUTF8_Blended(f, utf8.c_str(), SDL_Color{255, 255, 255, 255});
                if (!s) throw std::runtime_error(TTF_GetError());
                laid[li].push_back(toPiece(s, pen, shift - TTF_FontAscent(f)));
                SDL_FreeSurface(s);
                int advance = 0, height = 0;
                TTF_SizeUTF8(f, utf8.c_str(), &advance, &height);
                pen += advance;
                start = end;
            }
            if (run.kind == RunKind::Over) {
                // A drawn bar: combining overline marks are not placed
                // reliably over the preceding letter by every shaper.
                std::vector<Piece> covered(laid[li].begin() + firstPiece, laid[li].end());
                Box b = inkBox(covered);
                int thick = std::max(2, static_cast<int>(std::lround(px * 0.08f)));
                int gap = static_cast<int>(std::lround(px * 0.09f));
                Piece bar;
                bar.x = b.x0;
                bar.w = b.x1 - b.x0 + 1;
                bar.h = thick;
                bar.y = b.y0 - gap - thick;
                bar.alpha.assign(static_cast<size_t>(bar.w * bar.h), 1.0f);
                laid[li].push_back(std::move(bar));
            }
        }
    }

    // Centre every line on the first line's ink and stack later lines
    // below it with a gap proportional to the size.
    std::vector<Piece> all;
    Box first = inkBox(laid[0]);
    if (first.empty()) throw std::runtime_error("caption renders no ink: " + markup);
    int centreX2 = first.x0 + first.x1;  // doubled to stay in integers
    int bottom = first.y1;
    for (size_t li = 0; li < laid.size(); ++li) {
        Box b = inkBox(laid[li]);
        if (b.empty()) throw std::runtime_error("caption line renders no ink: " + markup);
        int dx = (centreX2 - (b.x0 + b.x1)) / 2;
        int dy = 0;
        if (li > 0) {
            dy = bottom + static_cast<int>(std::lround(pixelSize * kLineGap)) - b.y0;
            bottom = b.y1 + dy;
        }
        for (Piece& p : laid[li]) {
            p.x += dx;
            p.y += dy;
            all.push_back(std::move(p));
        }
    }

    Box ink = inkBox(all);
    Caption cap;
    cap.mask.width = ink.x1 - ink.x0 + 1;
    cap.mask.height = ink.y1 - ink.y0 + 1;
    cap.mask.alpha.assign(static_cast<size_t>(cap.mask.width * cap.mask.height), 0.0f);
    for (const Piece& p : all)
        for (int y = 0; y < p.h; ++y)
            for (int x = 0; x < p.w; ++x) {
                float a = p.alpha[y * p.w + x];
                if (a <= 0.0f) continue;
                float& dst = cap.mask.alpha[(p.y + y - ink.y0) * cap.mask.width + (p.x + x - ink.x0)];
                dst = std::min(1.0f, dst + a);  // overlapping pieces (combining marks) add up
            }

    int minx, maxx, miny, maxy, adv;
    TTF_GlyphMetrics32(font(0, pixelSize), U'H', &minx, &maxx, &miny, &maxy, &adv);
    cap.baseline = -ink.y0;
    cap.capTop = cap.baseline - maxy;
    cap.textLike = hasAlnum && lines.size() == 1;
    return cap;
}

Caption CaptionRenderer::renderFitting(const std::string& markup, int pixelSize, int maxW, int maxH) {
    for (int px = pixelSize; px >= 8; px -= 1) {
        Caption c = render(markup, px);
        if (c.mask.width <= maxW && c.mask.height <= maxH) return c;
    }
    throw std::runtime_error("caption does not fit its key: " + markup);
}

}  // namespace art
