#include "cocos/backend/PngHeader.h"

#include <cstdio>
#include <cstring>

#include "cocos/base/Files.h"

namespace cocos2d::backend {
namespace {

unsigned long bigEndian32(const unsigned char* p) {
  return (static_cast<unsigned long>(p[0]) << 24) | (static_cast<unsigned long>(p[1]) << 16) |
         (static_cast<unsigned long>(p[2]) << 8) | static_cast<unsigned long>(p[3]);
}

}  // namespace

bool readPngSize(const std::string& path, int& width, int& height) {
  // Signature (8 bytes), then the IHDR chunk: length 13, type, width, height.
  unsigned char header[24];
  std::FILE* file = files::openFile(path, "rb");
  if (!file) return false;
  const std::size_t got = std::fread(header, 1, sizeof header, file);
  std::fclose(file);
  static const unsigned char kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  if (got != sizeof header || std::memcmp(header, kSignature, 8) != 0 || bigEndian32(header + 8) != 13 ||
      std::memcmp(header + 12, "IHDR", 4) != 0) {
    return false;
  }
  const unsigned long w = bigEndian32(header + 16), h = bigEndian32(header + 20);
  // The PNG limit is 2^31 - 1; anything near it is not an image we could make a texture of.
  if (w == 0 || h == 0 || w > 65535 || h > 65535) return false;
  width = static_cast<int>(w);
  height = static_cast<int>(h);
  return true;
}

}  // namespace cocos2d::backend
