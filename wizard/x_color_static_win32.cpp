#include "wizard/x_color_static.h"

#include <cwchar>

#include "wizard/colour_static_format.h"

namespace lumora {
namespace {
constexpr LONG kBoldWeight = FW_BOLD;
constexpr LONG kNormalWeight = FW_NORMAL;
}  // namespace

CXColorStatic::CXColorStatic()
    : textColour(::GetSysColor(COLOR_BTNTEXT)), backgroundColour(::GetSysColor(COLOR_BTNFACE)) {
  backgroundBrush.CreateSolidBrush(backgroundColour);
}

void CXColorStatic::PreSubclassWindow() {
  LOGFONTW description{};
  if (ReadLogFont(GetFontOrStockFont(), description)) drawingFont.CreateFontIndirect(description);
}

void CXColorStatic::RebuildFont(LOGFONTW description) {
  drawingFont.DeleteObject();
  description.lfWeight = bold ? kBoldWeight : kNormalWeight;
  drawingFont.CreateFontIndirect(description);
  ::RedrawWindow(GetSafeHwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CXColorStatic::MakeBold() {
  bold = TRUE;
  LOGFONTW description{};
  auto windowFont = reinterpret_cast<HFONT>(::SendMessageW(GetSafeHwnd(), WM_GETFONT, 0, 0));
  if (!ReadLogFont(windowFont, description)) return;  // a dialog control always has a font
  description.lfWeight = kBoldWeight;
  RebuildFont(description);
}

void CXColorStatic::SetFontHeight(int height) {
  LOGFONTW description{};
  std::wcsncpy(description.lfFaceName, L"Arial", LF_FACESIZE - 1);
  description.lfHeight = height;
  description.lfQuality = ANTIALIASED_QUALITY;
  RebuildFont(description);
}

LRESULT CXColorStatic::OnEraseBkgnd(HDC dc) {
  RECT client{};
  ::GetClientRect(GetSafeHwnd(), &client);
  ::FillRect(dc, &client, backgroundBrush.GetSafeHandle());
  return TRUE;
}

void CXColorStatic::OnPaint() {
  HWND window = GetSafeHwnd();
  PAINTSTRUCT paint{};
  HDC dc = ::BeginPaint(window, &paint);
  const int saved = ::SaveDC(dc);
  ::SetTextColor(dc, textColour);
  ::SetBkColor(dc, backgroundColour);
  ::SetBkMode(dc, OPAQUE);
  ::SelectObject(dc, backgroundBrush.GetSafeHandle());

  RECT client{};
  ::GetClientRect(window, &client);
  ::SelectObject(dc, drawingFont.GetSafeHandle());
  std::wstring text = GetWindowText();
  ::DrawTextW(dc, text.data(), static_cast<int>(text.size()), &client, DrawTextFormatForStyle(GetStyle()));

  ::RestoreDC(dc, saved);
  ::EndPaint(window, &paint);
}

LRESULT CXColorStatic::WindowProc(UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_PAINT:
      OnPaint();
      return 0;
    case WM_ERASEBKGND:
      return OnEraseBkgnd(reinterpret_cast<HDC>(wParam));
    default:
      return Default();
  }
}

}  // namespace lumora
