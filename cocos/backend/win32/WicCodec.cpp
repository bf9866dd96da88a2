#include "cocos/backend/win32/WicCodec.h"

#include <objbase.h>
#include <wincodec.h>

#include <climits>
#include <cstdio>
#include <vector>

#include "cocos/backend/win32/ComRef.h"
#include "cocos/base/win32/Utf16.h"

namespace cocos2d::backend::win32 {

WicCodec::~WicCodec() {
  if (_factory) _factory->Release();
  _factory = nullptr;
  if (_comStarted) CoUninitialize();
}

IWICImagingFactory* WicCodec::factory() {
  if (_factory || _failed) return _factory;
  // An apartment of this thread's own; a thread that has one already keeps it (S_FALSE, or
  // RPC_E_CHANGED_MODE for another kind), and only a successful start is undone here.
  const HRESULT started = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  _comStarted = SUCCEEDED(started);
  if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&_factory)))) {
    _factory = nullptr;
    _failed = true;
    std::fputs("pemtrix: the Windows Imaging Component is not available; no images are shown\n", stderr);
  }
  return _factory;
}

bool WicCodec::decode(const std::string& path, software::PixelImage& image) {
  IWICImagingFactory* wic = factory();
  if (!wic) return false;
  ComRef<IWICBitmapDecoder> decoder;
  ComRef<IWICBitmapFrameDecode> frame;
  ComRef<IWICBitmapSource> converted;
  const std::wstring widePath = cocos2d::win32::utf16FromUtf8(path);
  if (FAILED(wic->CreateDecoderFromFilename(widePath.c_str(), nullptr, GENERIC_READ, WICDecodeMetadataCacheOnDemand,
                                            decoder.put())) ||
      FAILED(decoder->GetFrame(0, frame.put())) ||
      // 32bppBGRA is straight alpha, bytes B, G, R, A: 0xAARRGGBB words on this machine.
      FAILED(WICConvertBitmapSource(GUID_WICPixelFormat32bppBGRA, frame.get(), converted.put()))) {
    return false;
  }
  UINT width = 0, height = 0;
  if (FAILED(converted->GetSize(&width, &height)) || width == 0 || height == 0 || width > INT_MAX / 4 ||
      height > INT_MAX / 4 / width) {
    return false;
  }
  image.width = static_cast<int>(width);
  image.height = static_cast<int>(height);
  image.argb.resize(static_cast<std::size_t>(width) * height);
  const UINT stride = width * 4;
  return SUCCEEDED(converted->CopyPixels(nullptr, stride, stride * height, reinterpret_cast<BYTE*>(image.argb.data())));
}

bool WicCodec::writePng(const std::string& path, const software::PixelBuffer& pixels) {
  IWICImagingFactory* wic = factory();
  if (!wic || !pixels.pixels || pixels.width <= 0 || pixels.height <= 0) return false;
  // Opaque copies of the rows: the premultiplied pixels of an opaque frame are its colours.
  const auto width = static_cast<UINT>(pixels.width), height = static_cast<UINT>(pixels.height);
  std::vector<std::uint32_t> rows(static_cast<std::size_t>(width) * height);
  for (UINT y = 0; y < height; ++y) {
    const std::uint32_t* from = pixels.pixels + static_cast<std::ptrdiff_t>(y) * pixels.stride;
    std::uint32_t* to = rows.data() + static_cast<std::size_t>(y) * width;
    for (UINT x = 0; x < width; ++x) to[x] = from[x] | 0xFF000000u;
  }
  ComRef<IWICStream> stream;
  ComRef<IWICBitmapEncoder> encoder;
  ComRef<IWICBitmapFrameEncode> frame;
  const std::wstring widePath = cocos2d::win32::utf16FromUtf8(path);
  if (FAILED(wic->CreateStream(stream.put())) || FAILED(stream->InitializeFromFilename(widePath.c_str(), GENERIC_WRITE)) ||
      FAILED(wic->CreateEncoder(GUID_ContainerFormatPng, nullptr, encoder.put())) ||
      FAILED(encoder->Initialize(stream.get(), WICBitmapEncoderNoCache)) ||
      FAILED(encoder->CreateNewFrame(frame.put(), nullptr)) || FAILED(frame->Initialize(nullptr)) ||
      FAILED(frame->SetSize(width, height))) {
    return false;
  }
  WICPixelFormatGUID format = GUID_WICPixelFormat32bppBGRA;
  if (FAILED(frame->SetPixelFormat(&format)) || format != GUID_WICPixelFormat32bppBGRA) return false;
  const UINT stride = width * 4;
  return SUCCEEDED(frame->WritePixels(height, stride, stride * height, reinterpret_cast<BYTE*>(rows.data()))) &&
         SUCCEEDED(frame->Commit()) && SUCCEEDED(encoder->Commit());
}

}  // namespace cocos2d::backend::win32
