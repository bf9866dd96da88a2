#include "cocos/backend/win32/FrameBuffer.h"

#include <algorithm>

namespace cocos2d::backend::win32 {

FrameBuffer::~FrameBuffer() { release(); }

void FrameBuffer::release() {
  if (_memoryDc) {
    SelectObject(_memoryDc, _previousBitmap);
    DeleteDC(_memoryDc);
  }
  if (_bitmap) DeleteObject(_bitmap);
  _memoryDc = nullptr;
  _bitmap = nullptr;
  _previousBitmap = nullptr;
  _memory.clear();
  _memory.shrink_to_fit();
  _pixels = {};
}

bool FrameBuffer::resize(int width, int height) {
  if (width == _pixels.width && height == _pixels.height && _pixels.pixels) return true;
  release();
  if (width <= 0 || height <= 0) return false;
  if (_offscreen) {
    _memory.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0);
    _pixels = {_memory.data(), width, height, width};
    return true;
  }
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down: row 0 first, as the renderer writes
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  _bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  _memoryDc = _bitmap ? CreateCompatibleDC(nullptr) : nullptr;
  if (!_bitmap || !bits || !_memoryDc) {
    release();
    return false;
  }
  _previousBitmap = SelectObject(_memoryDc, _bitmap);
  _pixels = {static_cast<std::uint32_t*>(bits), width, height, width};
  return true;
}

void FrameBuffer::copyTo(HDC target, int x, int y, int width, int height) const {
  if (!_memoryDc || !target) return;
  const int left = std::max(0, x), top = std::max(0, y);
  const int right = std::min(_pixels.width, x + width), bottom = std::min(_pixels.height, y + height);
  if (right <= left || bottom <= top) return;
  // The renderer wrote the pixels behind GDI's back; nothing of GDI's is pending on them.
  BitBlt(target, left, top, right - left, bottom - top, _memoryDc, left, top, SRCCOPY);
}

}  // namespace cocos2d::backend::win32
