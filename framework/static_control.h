#pragma once
// The base of the wizard's custom labels: a dialog's static control taken over by
// subclassing, with the few queries the labels need.
#include <windows.h>

#include <string>

#include "framework/window.h"

namespace lumora {

class CStatic : public CWindow {
 public:
  DWORD GetStyle() const { return static_cast<DWORD>(::GetWindowLongW(GetSafeHwnd(), GWL_STYLE)); }
  std::wstring GetWindowText() const;
  // The control's font; without one the stock DEFAULT_GUI_FONT, else ANSI_VAR_FONT.
  HFONT GetFontOrStockFont() const;
};

// Binds a dialog control to a framework control the first time the page's data is
// exchanged; a control that is bound already is left alone.
void DDX_Control(HWND dialog, int controlId, CWindow& control);

}  // namespace lumora
