#pragma once
// RAII for COM: the apartment of one operation and the interface pointers it holds.
#include <objbase.h>

namespace lumora::platform::win32 {

// CoInitialize on construction, CoUninitialize on destruction when it succeeded
// (S_FALSE, already initialised, also needs its matching uninitialise).
class ScopedComApartment {
 public:
  ScopedComApartment() : result_(CoInitialize(nullptr)) {}
  ScopedComApartment(const ScopedComApartment&) = delete;
  ScopedComApartment& operator=(const ScopedComApartment&) = delete;
  ~ScopedComApartment() {
    if (SUCCEEDED(result_)) CoUninitialize();
  }

 private:
  HRESULT result_;
};

// Releases one interface pointer when it goes out of scope.
template <typename Interface>
class ComPtr {
 public:
  ComPtr() = default;
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;
  ~ComPtr() {
    if (pointer_) pointer_->Release();
  }
  Interface* operator->() const { return pointer_; }
  Interface* Get() const { return pointer_; }
  explicit operator bool() const { return pointer_ != nullptr; }
  void** OutVoid() { return reinterpret_cast<void**>(&pointer_); }

 private:
  Interface* pointer_ = nullptr;
};

}  // namespace lumora::platform::win32
