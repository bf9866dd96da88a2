// Holds one reference to a COM object and releases it when it goes: the Windows backend's calls
// into WIC and Media Foundation hand out such references at every step.
#pragma once

#include <utility>

namespace cocos2d::backend::win32 {

template <typename T>
class ComRef {
 public:
  ComRef() = default;
  ~ComRef() { reset(); }
  ComRef(const ComRef&) = delete;
  ComRef& operator=(const ComRef&) = delete;
  ComRef(ComRef&& other) noexcept : _object(std::exchange(other._object, nullptr)) {}
  ComRef& operator=(ComRef&& other) noexcept {
    if (this != &other) {
      reset();
      _object = std::exchange(other._object, nullptr);
    }
    return *this;
  }

  T* get() const { return _object; }
  T* operator->() const { return _object; }
  explicit operator bool() const { return _object != nullptr; }
  // For the calls that hand out a reference: the one held before is released first.
  T** put() {
    reset();
    return &_object;
  }
  void reset() {
    if (_object) _object->Release();
    _object = nullptr;
  }

 private:
  T* _object = nullptr;
};

}  // namespace cocos2d::backend::win32
