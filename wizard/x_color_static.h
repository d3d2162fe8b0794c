#pragma once
// CXColorStatic paints a static control's text itself: in `textColour`, on its
// background brush, with a font of its own that can be made bold or replaced by
// anti-aliased Arial of a given height. The ready page's status text is one.
#include <windows.h>

#include "framework/gdi_objects.h"
#include "framework/static_control.h"

namespace lumora {

class CXColorStatic : public CStatic {
 public:
  CXColorStatic();

  // Rebuilds the font from the window's own font with weight 700; later rebuilds keep it.
  void MakeBold();
  // Rebuilds the font as anti-aliased Arial of `height` pixels (cell height).
  void SetFontHeight(int height);

  // Set directly; the new colour shows at the next paint.
  COLORREF textColour;
  COLORREF backgroundColour;

 protected:
  void PreSubclassWindow() override;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void RebuildFont(LOGFONTW description);
  LRESULT OnEraseBkgnd(HDC dc);
  void OnPaint();

  CFont drawingFont;
  CBrush backgroundBrush;  // made once, from the button face colour of construction
  BOOL bold = FALSE;
};

}  // namespace lumora
