#pragma once
// UTF-16 text crosses the Win32 boundary without conversion: on Windows wchar_t is
// a 16-bit code unit, so std::u16string and wide strings share their bytes.
#include <windows.h>

#include <string>

namespace lumora::platform::win32 {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows wide characters are UTF-16 code units");

inline const wchar_t* Wide(const std::u16string& text) { return reinterpret_cast<const wchar_t*>(text.c_str()); }
inline std::u16string FromWide(const wchar_t* text) {
  return text ? std::u16string(reinterpret_cast<const char16_t*>(text)) : std::u16string();
}
inline std::u16string FromWide(const wchar_t* text, std::size_t length) {
  return std::u16string(reinterpret_cast<const char16_t*>(text), length);
}

// Closes a kernel handle when it goes out of scope.
class ScopedHandle {
 public:
  explicit ScopedHandle(HANDLE handle = INVALID_HANDLE_VALUE) : handle_(handle) {}
  ScopedHandle(const ScopedHandle&) = delete;
  ScopedHandle& operator=(const ScopedHandle&) = delete;
  ~ScopedHandle() { Reset(); }
  bool IsValid() const { return handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr; }
  HANDLE Get() const { return handle_; }
  void Reset() {
    if (IsValid()) CloseHandle(handle_);
    handle_ = INVALID_HANDLE_VALUE;
  }

 private:
  HANDLE handle_;
};

// Frees a module loaded with LoadLibraryW when it goes out of scope.
class ScopedLibrary {
 public:
  explicit ScopedLibrary(HMODULE module) : module_(module) {}
  ScopedLibrary(const ScopedLibrary&) = delete;
  ScopedLibrary& operator=(const ScopedLibrary&) = delete;
  ~ScopedLibrary() {
    if (module_) FreeLibrary(module_);
  }
  HMODULE Get() const { return module_; }

 private:
  HMODULE module_;
};

}  // namespace lumora::platform::win32
