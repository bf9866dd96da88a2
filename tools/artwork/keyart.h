// Drawing of every button image: calculator keys from their description in
// keys.txt, plus the few one-off buttons (back arrow, list rows, dialog
// buttons) whose shapes are fixed in code.
#pragma once

#include "canvas.h"
#include "caption.h"

#include <string>

namespace art {

// How big a key image is and how large its caption starts out before it
// is shrunk to fit.
struct SizeClass {
    const char* name;
    int width, height;
    int textPx;
};

struct KeyArt {
    std::string name;
    const SizeClass* size = nullptr;
    std::string role;
    std::string caption;
};

// nullptr when the name is unknown.
const SizeClass* findSizeClass(const std::string& name);
bool knownRole(const std::string& role);

Image drawKey(CaptionRenderer& text, const KeyArt& key, bool pushed);

// Round back-arrow button. It is shown at under half size, so the arrow is
// a heavy stroke rather than a glyph.
Image drawBack(bool pushed);
// Full-width white list row with a hairline separator at the bottom.
Image drawRow(bool pushed);
// Plain dialog button; the program draws its label on top.
Image drawDialogButton(bool pushed);

}  // namespace art
