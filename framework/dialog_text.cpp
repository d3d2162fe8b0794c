#include "framework/dialog_text.h"

namespace lumora {
namespace {
constexpr int kDpiWithoutDeviceContext = 96;
}

std::u16string DialogItemText(HWND dialog, int id, int units) {
  std::wstring text(static_cast<std::size_t>(units), L'\0');
  const int length = ::GetDlgItemTextW(dialog, id, text.data(), units);
  return std::u16string(reinterpret_cast<const char16_t*>(text.data()), static_cast<std::size_t>(length));
}

void SetDialogItemText(HWND dialog, int id, const std::u16string& text) {
  ::SetDlgItemTextW(dialog, id, reinterpret_cast<const wchar_t*>(text.c_str()));
}

std::wstring LoadResourceString(UINT id, int units) {
  std::wstring text(static_cast<std::size_t>(units), L'\0');
  const int length = ::LoadStringW(::GetModuleHandleW(nullptr), id, text.data(), units);
  text.resize(static_cast<std::size_t>(length > 0 ? length : 0));
  return text;
}

int HorizontalDpiOf(HWND window) {
  HDC dc = ::GetDC(window);
  if (!dc) return kDpiWithoutDeviceContext;
  const int dpi = ::GetDeviceCaps(dc, LOGPIXELSX);
  ::ReleaseDC(window, dc);
  return dpi;
}

}  // namespace lumora
