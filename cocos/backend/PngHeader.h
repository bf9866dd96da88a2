// Reads an image's size from its PNG header without decoding it, so that a backend can load
// the calculator's hundred-odd key images at the cost of a file open each and decode the
// pixels when an image is first drawn. Shared by the backends.
#pragma once

#include <string>

namespace cocos2d::backend {

// False when the file cannot be read or does not start with a valid PNG header.
bool readPngSize(const std::string& path, int& width, int& height);

}  // namespace cocos2d::backend
