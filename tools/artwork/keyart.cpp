#include "keyart.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <stdexcept>

namespace art {

namespace {

// Caption sizes are chosen for legibility after the window scales a key to
// about 44% (keypad) or 37% (command grid) of its drawn size.
const SizeClass kSizeClasses[] = {
    {"keypad", 208, 152, 98},        // digits about 70 px tall
    {"keypad-small", 208, 152, 74},  // multi-symbol keypad captions
    {"command", 208, 137, 54},
    {"command-big", 208, 137, 68},   // lone symbols read smaller than words
};

enum class Led { None, Off, On };

struct Style {
    const char* role;
    const char* face;
    const char* lip;   // the key's darker side, seen below the face
    const char* text;
    Led led;
};

// Light entry keys, blue-grey operators, an orange result key, dark command
// keys whose tint tells the two command pages apart, accent shift keys and
// red deletion keys.
const Style kStyles[] = {
    {"digit", "#F4F6F9", "#B4BCC8", "#1B2330", Led::None},
    {"operator", "#58749A", "#3A4F6B", "#FFFFFF", Led::None},
    {"equal", "#F07C1A", "#AE520A", "#FFFFFF", Led::None},
    {"page1", "#344052", "#1A212C", "#FFFFFF", Led::None},
    {"page2", "#1D5C66", "#0E3339", "#FFFFFF", Led::None},
    {"shift", "#E9B52E", "#A47A12", "#2A1F05", Led::Off},
    {"shift-lit", "#FFE15A", "#C99A10", "#2A1F05", Led::On},
    {"danger", "#C8473D", "#862A23", "#FFFFFF", Led::None},
};

const Style& styleFor(const std::string& role) {
    for (const Style& s : kStyles)
        if (role == s.role) return s;
    throw std::runtime_error("unknown colour role " + role);
}

constexpr float kMargin = 5.0f;   // transparent surround: abutting keys stay separate
constexpr float kRadius = 14.0f;
constexpr float kLipHeight = 5.0f;
constexpr float kPressDepth = 3.0f;  // face and caption move this far down when pushed

Paint verticalGradient(Color top, Color bottom, float y0, float y1) {
    return [=](float, float y) { return mix(top, bottom, std::min(1.0f, std::max(0.0f, (y - y0) / (y1 - y0)))); };
}

bool isLight(Color c) { return 0.299f * c.r + 0.587f * c.g + 0.114f * c.b > 0.6f; }

// Indicator lamp across the top of a shift key: dark when the first
// command page is showing, glowing on the second.
void drawLed(Image& img, float cx, float top, Led led, Color face) {
    const Shape lamp = roundRect(Rect{cx - 24, top + 10, cx + 24, top + 19}, 4.5f);
    if (led == Led::On) {
        fillSoft(img, lamp, hex("#FF5A00", 0.8f), 8.0f);
        fill(img, lamp, hex("#FFF6D8"));
    } else {
        fill(img, lamp, withAlpha(darken(face, 0.6f), 0.55f));
    }
}

}  // namespace

const SizeClass* findSizeClass(const std::string& name) {
    for (const SizeClass& s : kSizeClasses)
        if (name == s.name) return &s;
    return nullptr;
}

bool knownRole(const std::string& role) {
    for (const Style& s : kStyles)
        if (role == s.role) return true;
    return false;
}

Image drawKey(CaptionRenderer& text, const KeyArt& key, bool pushed) {
    const Style& st = styleFor(key.role);
    const float W = static_cast<float>(key.size->width), H = static_cast<float>(key.size->height);
    const Color face = hex(st.face), lip = hex(st.lip), ink = hex(st.text);
    Image img(key.size->width, key.size->height);

    const Rect body{kMargin, kMargin, W - kMargin, H - kMargin};
    // Raised, the face sits on top of the lip; pushed, it sinks toward the
    // lip so only a sliver of the side remains.
    const Rect restFace{kMargin, kMargin, W - kMargin, H - kMargin - kLipHeight};
    const Rect faceRect = pushed ? restFace.moved(0, kPressDepth) : restFace;
    const Shape faceShape = roundRect(faceRect, kRadius);

    if (st.led == Led::On)  // a lit shift key glows into its margin
        fillSoft(img, roundRect(body, kRadius), hex("#FFC400", 0.55f), kMargin);
    fillSoft(img, roundRect(body.moved(0, pushed ? 0.5f : 1.5f), kRadius), hex("#000000", pushed ? 0.22f : 0.32f),
             pushed ? 2.0f : 3.5f);
    fill(img, roundRect(Rect{kMargin, kMargin + 8, W - kMargin, H - kMargin}, kRadius), lip);

    Color top = pushed ? darken(face, 0.26f) : darken(face, -0.07f);
    Color bottom = pushed ? darken(face, 0.16f) : darken(face, 0.03f);
    fill(img, faceShape, verticalGradient(top, bottom, faceRect.y0, faceRect.y1));
    if (pushed) {
        // Recessed: shadow cast by the top edge onto the face.
        innerShadow(img, faceShape, roundRect(faceRect.moved(0, 8), kRadius), hex("#000000", 0.42f), 9.0f);
    } else {
        // Raised: a thin light rim along the top edge catches the light.
        innerShadow(img, faceShape, roundRect(faceRect.moved(0, 2.5f), kRadius),
                    hex("#FFFFFF", isLight(face) ? 0.9f : 0.22f), 1.5f);
    }
    // Hairline around the whole key gives light keys an edge on light
    // backgrounds.
    fill(img, outline(roundRect(Rect{kMargin, faceRect.y0, W - kMargin, H - kMargin}, kRadius), 1.0f),
         withAlpha(darken(lip, 0.35f), 0.45f));

    if (st.led != Led::None) drawLed(img, W * 0.5f, faceRect.y0, st.led, face);

    // Fit the caption inside the face with some padding, then centre it.
    const int padX = 12, padY = 9;
    const int maxW = static_cast<int>(restFace.x1 - restFace.x0) - 2 * padX;
    const int maxH = static_cast<int>(restFace.y1 - restFace.y0) - 2 * padY;
    Caption cap = text.renderFitting(key.caption, key.size->textPx, maxW, maxH);
    const float cx = (restFace.x0 + restFace.x1) * 0.5f, cy = (restFace.y0 + restFace.y1) * 0.5f;
    int x = static_cast<int>(std::lround(cx - cap.mask.width * 0.5f));
    // Words and numbers are centred on the capital-letter band so captions
    // in one row share a baseline whatever their descenders; lone symbols
    // are centred on their ink.
    float mid = cap.textLike ? (cap.capTop + cap.baseline) * 0.5f : cap.mask.height * 0.5f;
    int y = static_cast<int>(std::lround(cy - mid));
    y = std::max(y, static_cast<int>(restFace.y0) + padY);
    y = std::min(y, static_cast<int>(restFace.y1) - padY - cap.mask.height);
    if (pushed) y += static_cast<int>(kPressDepth);
    paintMask(img, cap.mask, x, y, ink);
    return img;
}

Image drawBack(bool pushed) {
    const int S = 123;
    const float c = S * 0.5f, r = 56.0f;
    Image img(S, S);
    auto disc = [=](float x, float y) { return circleDistance(x, y, c, c, r); };
    auto discShifted = [=](float dy) {
        return [=](float x, float y) { return circleDistance(x, y, c, c + dy, r); };
    };
    fillSoft(img, discShifted(pushed ? 0.5f : 2.0f), hex("#000000", pushed ? 0.2f : 0.3f), pushed ? 2.0f : 3.5f);
    Color face = hex("#344052");
    if (pushed) {
        fill(img, disc, verticalGradient(darken(face, 0.30f), darken(face, 0.18f), c - r, c + r));
        innerShadow(img, disc, discShifted(7.0f), hex("#000000", 0.45f), 8.0f);
    } else {
        fill(img, disc, verticalGradient(darken(face, -0.10f), darken(face, 0.05f), c - r, c + r));
        innerShadow(img, disc, discShifted(2.5f), hex("#FFFFFF", 0.22f), 1.5f);
    }
    // A heavy left arrow: shaft plus two arms meeting at the tip, with
    // round caps. 13 px strokes stay about 6 px wide at the shown size.
    const float half = 6.5f, dy = pushed ? 2.0f : 0.0f;
    const float tipX = 33.0f, tailX = 90.0f, armX = 58.0f, arm = 25.0f, y = c + dy;
    auto arrow = [=](float px, float py) {
        float d = capsuleDistance(px, py, tipX, y, tailX, y, half);
        d = std::min(d, capsuleDistance(px, py, tipX, y, armX, y - arm, half));
        return std::min(d, capsuleDistance(px, py, tipX, y, armX, y + arm, half));
    };
    fill(img, arrow, hex("#FFFFFF"));
    return img;
}

Image drawRow(bool pushed) {
    Image img(800, 90);
    img.fillAll(pushed ? hex("#E2E5EA") : hex("#FFFFFF"));
    fill(img, roundRect(Rect{-10, 88, 810, 100}, 0), hex("#D3D8DF"));
    return img;
}

Image drawDialogButton(bool pushed) {
    Image img(160, 60);
    const Rect r{1, 1, 159, 59};
    fill(img, roundRect(r, 12), pushed ? hex("#D3D8DF") : hex("#FFFFFF"));
    fill(img, outline(roundRect(r.inset(1), 11), 2.0f), pushed ? hex("#7A8594") : hex("#A3ACB8"));
    return img;
}

}  // namespace art
