#include "framework/static_control.h"

namespace lumora {

std::wstring CStatic::GetWindowText() const {
  const int length = ::GetWindowTextLengthW(GetSafeHwnd());
  std::wstring text(static_cast<std::size_t>(length > 0 ? length : 0) + 1, L'\0');
  const int copied = ::GetWindowTextW(GetSafeHwnd(), text.data(), static_cast<int>(text.size()));
  text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
  return text;
}

HFONT CStatic::GetFontOrStockFont() const {
  auto font = reinterpret_cast<HFONT>(::SendMessageW(GetSafeHwnd(), WM_GETFONT, 0, 0));
  if (!font) font = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
  if (!font) font = static_cast<HFONT>(::GetStockObject(ANSI_VAR_FONT));
  return font;
}

void DDX_Control(HWND dialog, int controlId, CWindow& control) {
  if (control.GetSafeHwnd()) return;
  control.SubclassDlgItem(controlId, dialog);
}

}  // namespace lumora
