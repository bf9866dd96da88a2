#!/usr/bin/env bash
# Keeps the software renderer building for Windows: every source of cocos/backend/software/
# compiled with the mingw-w64 cross compiler (warnings are errors), and linked with a small
# program that draws a frame through it, so that nothing it needs is missing on Windows.
# usage: mingw_build_test.sh SOURCE_DIR
set -eu
source=$1
compiler=x86_64-w64-mingw32-g++-posix
command -v "$compiler" >/dev/null || { echo "mingw: $compiler not installed"; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cat >"$work/draw.cpp" <<'PROGRAM'
#include <cstdint>
#include <vector>

#include "cocos/backend/software/Renderer.h"

using namespace cocos2d;
using namespace cocos2d::backend::software;

class Blocks : public GlyphSource {
 public:
  bool rasterize(backend::FontId, int pixelSize, char32_t, GlyphBitmap& glyph) override {
    std::vector<std::uint8_t> rows(static_cast<std::size_t>(pixelSize) * 4, 64);
    copyCoverage(rows.data(), 4, 4, pixelSize, 64, glyph);
    return true;
  }
};

int main() {
  std::vector<std::uint32_t> pixels(64 * 64);
  Blocks blocks;
  Renderer renderer([](const std::string&, PixelImage&) { return false; }, blocks);
  renderer.setTarget(PixelBuffer{pixels.data(), 64, 64, 64});
  renderer.beginFrame(Color4B{255, 255, 255, 255});
  renderer.drawRect(AffineTransform{1, 0, 0, -1, 8, 40} * AffineTransform::rotationClockwise(30), 20, 10,
                    Color4B{255, 0, 0, 128});
  const backend::GlyphPlacement glyph{U'A', 0, 0};
  renderer.drawGlyphs(1, 10, &glyph, 1, AffineTransform{1, 0, 0, -1, 30, 30}, Color4B{0, 0, 0, 255});
  return pixels[30 * 64 + 32] == 0xFF000000u ? 0 : 1;
}
PROGRAM
objects=()
for file in "$source"/cocos/backend/software/*.cpp "$source/cocos/backend/PngHeader.cpp" "$work/draw.cpp"; do
  object="$work/$(basename "$file" .cpp).o"
  "$compiler" -std=c++17 -O2 -Wall -Wextra -Werror -I"$source" -c "$file" -o "$object"
  objects+=("$object")
done
"$compiler" -static -o "$work/draw.exe" "${objects[@]}"
echo "mingw: ${#objects[@]} sources built and linked"
echo "mingw: 1 passed, 0 failed"
