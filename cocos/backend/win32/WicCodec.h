// Images through the Windows Imaging Component: files decoded into the straight-alpha pixels
// the software renderer's image store takes, and frames written as PNG files. COM is started on
// the calling thread with the first use and stopped with the codec; one thread uses it.
#pragma once

#include <cstdint>
#include <string>

#include "cocos/backend/software/MipChain.h"
#include "cocos/backend/software/PixelFormat.h"

struct IWICImagingFactory;

namespace cocos2d::backend::win32 {

class WicCodec {
 public:
  WicCodec() = default;
  ~WicCodec();
  WicCodec(const WicCodec&) = delete;
  WicCodec& operator=(const WicCodec&) = delete;

  // The whole first frame of the image at `path` (UTF-8) as 0xAARRGGBB words, straight alpha,
  // rows top to bottom. False when it is missing or no image WIC can read.
  bool decode(const std::string& path, software::PixelImage& image);

  // `pixels` as an opaque PNG at `path` (UTF-8): the alpha byte is written as 255, as a
  // window shows them.
  bool writePng(const std::string& path, const software::PixelBuffer& pixels);

 private:
  IWICImagingFactory* factory();

  IWICImagingFactory* _factory = nullptr;
  bool _comStarted = false;
  bool _failed = false;
};

}  // namespace cocos2d::backend::win32
