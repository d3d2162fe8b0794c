#pragma once
// CHyperLink turns a dialog's static text into a web link: coloured (blue, red while
// the mouse is over it, purple after a successful visit), underlined always or while
// hovered, a hand cursor, sized to its text, and a click that opens its target with
// the shell or, failing that, with the program registered for HTML files.
#include <windows.h>

#include <cstdint>
#include <string>

#include "framework/gdi_objects.h"
#include "framework/static_control.h"
#include "wizard/hyperlink_rules.h"

namespace lumora {

using UnderlineMode = std::int32_t;
inline constexpr UnderlineMode UnderlineOnHover = -1;
inline constexpr UnderlineMode UnderlineAlways = 1;  // any other value: never underlined

class CHyperLink : public CStatic {
 public:
  CHyperLink() = default;
  ~CHyperLink() override;

  void SetUnderlineMode(UnderlineMode mode);
  // What a click opens; the label keeps its text. Refits the window when it exists.
  void SetLinkTarget(const wchar_t* text);
  // Opens `address`; the shell's or WinExec's result, above 32 meaning success.
  static std::intptr_t OpenLink(const wchar_t* address);

 protected:
  void PreSubclassWindow() override;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void FitWindowToText();
  void LoadHandCursor();
  LRESULT CtlColor(HDC dc);
  LRESULT OnSetCursor();
  LRESULT OnMouseMove();
  LRESULT OnTimer();
  void OnClicked();
  LRESULT OnEraseBkgnd(HDC dc);
  void Invalidate();

  LinkColours colours;
  BOOL hovering = FALSE;
  BOOL visited = FALSE;
  UnderlineMode underlineMode = UnderlineOnHover;
  BOOL fitToText = TRUE;
  std::wstring target;
  CFont underlinedFont;
  CFont plainFont;
  CCursorCopy handCursor;
  UINT hoverTimerId = 100;
};

}  // namespace lumora
