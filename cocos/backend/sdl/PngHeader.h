// Reads an image's size from its PNG header without decoding it, so that loading the
// calculator's hundred-odd key images costs a file open each rather than a full decode;
// the pixels are decoded when the image is first drawn.
#pragma once

#include <string>

namespace cocos2d::backend::sdl {

// False when the file cannot be read or does not start with a valid PNG header.
bool readPngSize(const std::string& path, int& width, int& height);

}  // namespace cocos2d::backend::sdl
