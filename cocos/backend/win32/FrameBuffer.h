// The pixels frames are drawn into: a 32-bit top-down DIB section that GDI copies to the
// window, or plain memory when there is no window (headless). Premultiplied BGRA, as the
// software renderer draws them; the window ignores the alpha byte.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "cocos/backend/software/PixelFormat.h"

namespace cocos2d::backend::win32 {

class FrameBuffer {
 public:
  FrameBuffer() = default;
  ~FrameBuffer();
  FrameBuffer(const FrameBuffer&) = delete;
  FrameBuffer& operator=(const FrameBuffer&) = delete;

  // Offscreen: memory of its own, which nothing presents.
  void useMemory() { _offscreen = true; }

  // A buffer of width x height, its pixels undefined until drawn; keeps the buffer when the
  // size is already that. False when the system has no memory for it (the buffer is then
  // empty).
  bool resize(int width, int height);

  int width() const { return _pixels.width; }
  int height() const { return _pixels.height; }
  const software::PixelBuffer& pixels() const { return _pixels; }

  // Copies the rectangle (in buffer pixels, cut to the buffer) onto `target` at the same place.
  void copyTo(HDC target, int x, int y, int width, int height) const;

 private:
  void release();

  bool _offscreen = false;
  HDC _memoryDc = nullptr;
  HBITMAP _bitmap = nullptr;
  HGDIOBJ _previousBitmap = nullptr;
  std::vector<std::uint32_t> _memory;
  software::PixelBuffer _pixels;
};

}  // namespace cocos2d::backend::win32
