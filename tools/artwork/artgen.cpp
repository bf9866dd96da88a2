// artgen: draws every button image and synthesises the key click.
//
//   artgen --keys keys.txt --fonts main.ttf,fallback.ttf,... --out resources
//          --wav click.wav [--contact sheet.png]
//
// keys.txt lists one key per line: base name, size class, colour role and
// caption markup (the rest of the line). Each key yields NAME.png and
// NAME-pushed.png under <out>/buttons; the fixed buttons go to
// <out>/images. The optional contact sheet previews all art at the
// window's 0.6 scale in the keypad and command-grid layouts.
#include "canvas.h"
#include "caption.h"
#include "keyart.h"
#include "sound.h"

#include <SDL.h>
#include <SDL_image.h>
#include <SDL_ttf.h>

#include <cstdio>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

using namespace art;

namespace {

struct Options {
    std::string keys, out, wav, contact;
    std::vector<std::string> fonts;
};

Options parseArgs(int argc, char** argv) {
    Options o;
    for (int i = 1; i + 1 < argc; i += 2) {
        std::string flag = argv[i], value = argv[i + 1];
        if (flag == "--keys") o.keys = value;
        else if (flag == "--out") o.out = value;
        else if (flag == "--wav") o.wav = value;
        else if (flag == "--contact") o.contact = value;
        else if (flag == "--fonts") {
            std::stringstream ss(value);
            for (std::string f; std::getline(ss, f, ',');) o.fonts.push_back(f);
        } else {
            throw std::runtime_error("unknown option " + flag);
        }
    }
    if (argc % 2 == 0 || o.keys.empty() || o.out.empty() || o.wav.empty() || o.fonts.empty())
        throw std::runtime_error("usage: artgen --keys FILE --fonts A.ttf[,B.ttf...] --out DIR --wav FILE [--contact FILE]");
    return o;
}

std::vector<KeyArt> readKeys(const std::string& path) {
    std::ifstream in(path);
    if (!in) throw std::runtime_error("cannot read " + path);
    std::vector<KeyArt> keys;
    std::set<std::string> seen;
    int lineNo = 0;
    for (std::string line; std::getline(in, line);) {
        ++lineNo;
        std::istringstream ls(line);
        std::string name, size, role;
        if (!(ls >> name) || name[0] == '#') continue;
        std::string where = path + ":" + std::to_string(lineNo) + ": ";
        if (!(ls >> size >> role)) throw std::runtime_error(where + "expected name, size, role, caption");
        std::string caption;
        std::getline(ls >> std::ws, caption);
        while (!caption.empty() && (caption.back() == ' ' || caption.back() == '\r')) caption.pop_back();
        KeyArt k{name, findSizeClass(size), role, caption};
        if (!k.size) throw std::runtime_error(where + "unknown size class " + size);
        if (!knownRole(role)) throw std::runtime_error(where + "unknown colour role " + role);
        if (caption.empty()) throw std::runtime_error(where + "missing caption");
        if (!seen.insert(name).second) throw std::runtime_error(where + "duplicate key " + name);
        keys.push_back(k);
    }
    return keys;
}

void save(const Image& img, const std::string& path) {
    if (!savePng(img, path)) throw std::runtime_error("cannot write " + path);
}

// Lays the art out as the calculator does at 0.6 window scale: a 6 x 4
// command grid per page above the 5 x 4 keypad, then the screen buttons on
// white, the background of the screens that use them.
void writeContactSheet(const std::vector<KeyArt>& keys, const std::map<std::string, Image>& normal,
                       const Image& back, const Image& row, const Image& dialog, const std::string& path) {
    const float scale = 0.6f, gap = 20.0f;
    const float padW = 153.75f * scale, padH = 112.356f * scale;
    const float cmdW = 128.125f * scale, cmdH = 84.267f * scale;
    const float colW = 5 * padW;
    const float gridsH = 4 * cmdH + gap / 2 + 4 * padH;
    Image sheet(static_cast<int>(2 * colW + 3 * gap), static_cast<int>(gridsH + 2 * gap + 120));
    sheet.fillAll(hex("#1E232A"));
    fill(sheet, roundRect(Rect{0, gridsH + 2 * gap, 2000, 2000}, 0), hex("#FFFFFF"));

    std::vector<const KeyArt*> pad, cmd;
    for (const KeyArt& k : keys) (k.size->height == 152 ? pad : cmd).push_back(&k);
    for (int page = 0; page < 2; ++page) {
        float ox = gap + page * (colW + gap), oy = gap;
        for (size_t i = 0; i < 24 && page * 24 + i < cmd.size(); ++i) {
            const Image& img = normal.at(cmd[page * 24 + i]->name);
            drawScaled(sheet, img, ox + (i % 6) * cmdW, oy + (i / 6) * cmdH, cmdW, cmdH);
        }
        oy += 4 * cmdH + gap / 2;
        for (size_t i = 0; i < pad.size() && i < 20; ++i) {
            const Image& img = normal.at(pad[i]->name);
            drawScaled(sheet, img, ox + (i % 5) * padW, oy + (i / 5) * padH, padW, padH);
        }
    }
    float y = gridsH + 3 * gap;
    float backSize = 123 * 0.44375f * scale;
    drawScaled(sheet, back, gap, y, backSize, backSize);
    drawScaled(sheet, back, 2 * gap + backSize, y, 123 * 0.44375f, 123 * 0.44375f);
    drawScaled(sheet, row, 4 * gap + 2 * backSize + 30, y, 800 * scale, 90 * scale);
    drawScaled(sheet, dialog, 4 * gap + 2 * backSize + 30, y + 90 * scale + 4, 160 * scale, 60 * scale);
    save(sheet, path);
}

void run(const Options& o) {
    std::vector<KeyArt> keys = readKeys(o.keys);
    CaptionRenderer text(o.fonts);
    std::map<std::string, Image> normal;
    for (const KeyArt& k : keys) {
        try {
            Image up = drawKey(text, k, false);
            save(up, o.out + "/buttons/" + k.name + ".png");
            save(drawKey(text, k, true), o.out + "/buttons/" + k.name + "-pushed.png");
            normal.emplace(k.name, std::move(up));
        } catch (const std::exception& e) {
            throw std::runtime_error("key " + k.name + ": " + e.what());
        }
    }
    Image back = drawBack(false), row = drawRow(false), dialog = drawDialogButton(false);
    save(back, o.out + "/images/Back.png");
    save(drawBack(true), o.out + "/images/Back-pushed.png");
    save(row, o.out + "/images/white-800x90.png");
    save(drawRow(true), o.out + "/images/white-800x90-pushed.png");
    save(dialog, o.out + "/images/button-white.png");
    save(drawDialogButton(true), o.out + "/images/button-pushed.png");
    if (!writeClickWav(o.wav)) throw std::runtime_error("cannot write " + o.wav);
    if (!o.contact.empty()) writeContactSheet(keys, normal, back, row, dialog, o.contact);
}

}  // namespace

int main(int argc, char** argv) {
    // Only surfaces are used: no window or video device is needed.
    if (TTF_Init() != 0) {
        std::fprintf(stderr, "artgen: %s\n", TTF_GetError());
        return 1;
    }
    int status = 0;
    try {
        run(parseArgs(argc, argv));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "artgen: %s\n", e.what());
        status = 1;
    }
    TTF_Quit();
    return status;
}
