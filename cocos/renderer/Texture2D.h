// An image loaded by the backend: its handle and its size in texels.
#pragma once

#include "cocos/backend/Drawing.h"
#include "cocos/base/Ref.h"
#include "cocos/math/Vec2.h"

namespace cocos2d {

class Texture2D : public Ref {
 public:
  Texture2D(backend::TextureId id, int pixelsWide, int pixelsHigh)
      : _id(id), _pixelsWide(pixelsWide), _pixelsHigh(pixelsHigh) {}

  backend::TextureId getBackendId() const { return _id; }
  Size getContentSize() const { return Size(static_cast<float>(_pixelsWide), static_cast<float>(_pixelsHigh)); }

 private:
  backend::TextureId _id;
  int _pixelsWide;
  int _pixelsHigh;
};

}  // namespace cocos2d
