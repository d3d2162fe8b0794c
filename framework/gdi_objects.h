#pragma once
// Owners of GDI objects and cursor copies: each deletes what it holds when it is
// given a new object or destroyed, so no font, brush or cursor outlives its owner.
#include <windows.h>

namespace lumora {

template <typename Handle>
class CGdiObject {
 public:
  CGdiObject() = default;
  CGdiObject(const CGdiObject&) = delete;
  CGdiObject& operator=(const CGdiObject&) = delete;
  ~CGdiObject() { DeleteObject(); }

  // Takes ownership; the object held before is deleted. False for a null handle.
  bool Attach(Handle handle) {
    DeleteObject();
    object = handle;
    return object != nullptr;
  }
  void DeleteObject() {
    if (object) ::DeleteObject(object);
    object = nullptr;
  }
  Handle GetSafeHandle() const { return object; }

 private:
  Handle object = nullptr;
};

class CFont : public CGdiObject<HFONT> {
 public:
  bool CreateFontIndirect(const LOGFONTW& description) { return Attach(::CreateFontIndirectW(&description)); }
};

class CBrush : public CGdiObject<HBRUSH> {
 public:
  bool CreateSolidBrush(COLORREF colour) { return Attach(::CreateSolidBrush(colour)); }
};

// A cursor made with CopyIcon, destroyed with its owner.
class CCursorCopy {
 public:
  CCursorCopy() = default;
  CCursorCopy(const CCursorCopy&) = delete;
  CCursorCopy& operator=(const CCursorCopy&) = delete;
  ~CCursorCopy() {
    if (cursor) ::DestroyCursor(cursor);
  }
  void CopyFrom(HCURSOR original) {
    if (cursor) ::DestroyCursor(cursor);
    cursor = original ? static_cast<HCURSOR>(::CopyIcon(original)) : nullptr;
  }
  HCURSOR GetSafeHandle() const { return cursor; }

 private:
  HCURSOR cursor = nullptr;
};

// The LOGFONTW of a font object; false when it cannot be read.
inline bool ReadLogFont(HFONT font, LOGFONTW& description) {
  return font && ::GetObjectW(font, sizeof(description), &description) == sizeof(description);
}

}  // namespace lumora
