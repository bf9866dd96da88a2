// Checks the generated artwork and click that the program loads by bare
// file name: every image exists in both states at the size the layout
// assumes, and the click is short enough to play on every key press.
//
// PNG and MP3 headers are decoded by hand so the test needs nothing but
// GoogleTest. PEMTRIX_RESOURCES_DIR points at the resources/ folder.
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#ifndef PEMTRIX_RESOURCES_DIR
#error "define PEMTRIX_RESOURCES_DIR as the path of the resources folder"
#endif

namespace {

const std::string kRoot = PEMTRIX_RESOURCES_DIR;

std::optional<std::string> readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

uint32_t bigEndian32(const std::string& s, size_t at) {
    auto b = [&](size_t i) { return static_cast<uint32_t>(static_cast<unsigned char>(s[at + i])); };
    return b(0) << 24 | b(1) << 16 | b(2) << 8 | b(3);
}

struct PngHeader {
    uint32_t width = 0, height = 0;
    int bitDepth = 0, colourType = 0;
};

// The IHDR chunk must come first, right after the 8-byte signature.
std::optional<PngHeader> parsePng(const std::string& data) {
    static const char kSignature[] = "\x89PNG\r\n\x1a\n";
    if (data.size() < 33 || data.compare(0, 8, kSignature, 8) != 0) return std::nullopt;
    if (bigEndian32(data, 8) != 13 || data.compare(12, 4, "IHDR") != 0) return std::nullopt;
    PngHeader h;
    h.width = bigEndian32(data, 16);
    h.height = bigEndian32(data, 20);
    h.bitDepth = static_cast<unsigned char>(data[24]);
    h.colourType = static_cast<unsigned char>(data[25]);
    return h;
}

struct Image {
    std::string folder, name;
    uint32_t width, height;
};

std::vector<Image> withSize(const char* folder, std::initializer_list<const char*> names, uint32_t w,
                            uint32_t h) {
    std::vector<Image> out;
    for (const char* n : names) out.push_back({folder, n, w, h});
    return out;
}

// Keypad keys: digits, parentheses, operators, point, exponent entry.
const std::vector<Image> kKeypad = withSize(
    "buttons",
    {"num-0", "num-1", "num-2", "num-3", "num-4", "num-5", "num-6", "num-7", "num-8", "num-9", "open",
     "close", "mul", "div", "add", "sub", "dot", "exp10", "comma", "equal"},
    208, 152);

// Both pages of the command grid.
const std::vector<Image> kCommands = withSize(
    "buttons",
    {"shift", "sq",     "sqrt",   "set",   "get",  "ans",     "fact", "inv",   "power", "log",
     "ln",    "exp",    "hyp",    "sin",   "cos",  "tan",     "deg",  "PAI",   "up",    "down",
     "left",  "right",  "del",    "bs",    "shift2", "cube",  "cubert", "int", "rand",  "sqsum",
     "percent", "perm", "comb",   "avg",   "stdevp", "stdev", "todeg", "asin", "acos",  "atan",
     "gcd",   "lcm",    "copy",   "paste", "info", "help",    "star", "stg"},
    208, 137);

const std::vector<Image> kScreenButtons = [] {
    std::vector<Image> v = withSize("images", {"Back"}, 123, 123);
    v.push_back({"images", "white-800x90", 800, 90});
    return v;
}();

std::string pathOf(const std::string& folder, const std::string& file) {
    return kRoot + "/" + folder + "/" + file;
}

// Reports every problem with one image file rather than stopping early, so
// a failing run lists all missing or mis-sized art at once.
void expectPng(const std::string& folder, const std::string& file, uint32_t w, uint32_t h) {
    SCOPED_TRACE(folder + "/" + file);
    std::optional<std::string> data = readFile(pathOf(folder, file));
    ASSERT_TRUE(data) << "missing";
    std::optional<PngHeader> png = parsePng(*data);
    ASSERT_TRUE(png) << "not a PNG";
    EXPECT_EQ(png->width, w);
    EXPECT_EQ(png->height, h);
    // Keys have transparent corners, so the program relies on 8-bit RGBA.
    EXPECT_EQ(png->bitDepth, 8);
    EXPECT_EQ(png->colourType, 6) << "expected RGBA";
}

void expectBothStates(const std::vector<Image>& images) {
    for (const Image& img : images) {
        expectPng(img.folder, img.name + ".png", img.width, img.height);
        expectPng(img.folder, img.name + "-pushed.png", img.width, img.height);
    }
}

TEST(Resources, KeypadKeysExistInBothStatesAtKeypadSize) { expectBothStates(kKeypad); }

TEST(Resources, CommandKeysExistInBothStatesAtCommandSize) { expectBothStates(kCommands); }

TEST(Resources, ScreenButtonsExistInBothStates) {
    expectBothStates(kScreenButtons);
    // The dialog button's pressed state is named on its own.
    expectPng("images", "button-white.png", 160, 60);
    expectPng("images", "button-pushed.png", 160, 60);
}

// A generator bug that wrote the same art twice would leave keys that give
// no feedback when pressed.
TEST(Resources, PushedStateDiffersFromNormal) {
    std::vector<std::pair<std::string, std::string>> pairs = {
        {pathOf("images", "button-white.png"), pathOf("images", "button-pushed.png")}};
    for (const auto* list : {&kKeypad, &kCommands, &kScreenButtons})
        for (const Image& img : *list)
            pairs.push_back({pathOf(img.folder, img.name + ".png"), pathOf(img.folder, img.name + "-pushed.png")});
    for (const auto& [normal, pushed] : pairs) {
        std::optional<std::string> a = readFile(normal), b = readFile(pushed);
        if (!a || !b) continue;  // reported by the existence tests
        EXPECT_TRUE(*a != *b) << normal << " and its pushed state are identical";
    }
}

struct Mp3Summary {
    int frames = 0;
    int samplesPerFrame = 0;
    int sampleRate = 0;
    bool mono = true;
    bool mpeg1Layer3 = true;
};

// Walks the MPEG audio frames after an optional ID3v2 tag. Only MPEG-1
// Layer III is understood, which is what the encoder writes at 44.1 kHz.
std::optional<Mp3Summary> scanMp3(const std::string& d) {
    auto byte = [&](size_t i) { return static_cast<unsigned char>(d[i]); };
    size_t pos = 0;
    if (d.size() >= 10 && d.compare(0, 3, "ID3") == 0)
        pos = 10 + ((byte(6) & 0x7F) << 21 | (byte(7) & 0x7F) << 14 | (byte(8) & 0x7F) << 7 | (byte(9) & 0x7F));
    static const int kBitrates[16] = {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 0};
    static const int kRates[4] = {44100, 48000, 32000, 0};
    Mp3Summary s;
    while (pos + 4 <= d.size()) {
        if (d.compare(pos, 3, "TAG") == 0) break;  // trailing ID3v1 tag
        if (byte(pos) != 0xFF || (byte(pos + 1) & 0xE0) != 0xE0) return std::nullopt;
        bool mpeg1 = ((byte(pos + 1) >> 3) & 3) == 3, layer3 = ((byte(pos + 1) >> 1) & 3) == 1;
        int kbps = kBitrates[byte(pos + 2) >> 4], rate = kRates[(byte(pos + 2) >> 2) & 3];
        if (!mpeg1 || !layer3 || kbps == 0 || rate == 0) {
            s.mpeg1Layer3 = false;
            return s;
        }
        s.sampleRate = rate;
        s.samplesPerFrame = 1152;
        s.mono = s.mono && (byte(pos + 3) >> 6) == 3;
        ++s.frames;
        pos += static_cast<size_t>(144000 * kbps / rate + ((byte(pos + 2) >> 1) & 1));
    }
    return s;
}

TEST(Resources, ClickIsShortMonoMp3) {
    std::optional<std::string> data = readFile(pathOf("sounds", "button45.mp3"));
    ASSERT_TRUE(data) << "sounds/button45.mp3 missing";
    std::optional<Mp3Summary> mp3 = scanMp3(*data);
    ASSERT_TRUE(mp3) << "not a sequence of MPEG audio frames";
    ASSERT_TRUE(mp3->mpeg1Layer3);
    ASSERT_GT(mp3->frames, 0);
    EXPECT_EQ(mp3->sampleRate, 44100);
    EXPECT_TRUE(mp3->mono);
    // Every frame decodes to full length, encoder padding included; the
    // click plays on each key press, so it must be over within 60 ms.
    double seconds = static_cast<double>(mp3->frames) * mp3->samplesPerFrame / mp3->sampleRate;
    EXPECT_LT(seconds, 0.060);
}

}  // namespace
