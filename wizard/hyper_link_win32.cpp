#include "wizard/hyper_link.h"

#include <shellapi.h>

#include <array>

namespace lumora {
namespace {

constexpr UINT kHoverPeriodMs = 100;
constexpr int kHoverRepaintMargin = 10;  // the underline may reach below the client area
constexpr int kHelpViewerHandCursorId = 106;
constexpr std::intptr_t kShellSuccessAbove = 32;
constexpr DWORD kRegistryValueBytes = 260;

std::u16string_view AsUtf16(const std::wstring& text) {
  return {reinterpret_cast<const char16_t*>(text.data()), text.size()};
}

// The default value of a key under HKEY_CLASSES_ROOT, read with a limit of 260 bytes;
// false when the key is missing or the value does not fit.
bool ReadClassesRootDefault(const std::wstring& keyName, std::wstring& value) {
  HKEY key = nullptr;
  if (::RegOpenKeyExW(HKEY_CLASSES_ROOT, keyName.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return false;
  std::array<wchar_t, kRegistryValueBytes / sizeof(wchar_t)> buffer{};
  LONG size = static_cast<LONG>(kRegistryValueBytes);
  const LONG status = ::RegQueryValueW(key, nullptr, buffer.data(), &size);
  ::RegCloseKey(key);
  if (status != ERROR_SUCCESS) return false;
  buffer.back() = L'\0';
  value = buffer.data();
  return true;
}

}  // namespace

CHyperLink::~CHyperLink() {
  if (GetSafeHwnd()) ::KillTimer(GetSafeHwnd(), hoverTimerId);
  underlinedFont.DeleteObject();
}

void CHyperLink::SetUnderlineMode(UnderlineMode mode) {
  if (underlineMode == mode) return;
  if (GetSafeHwnd()) {
    HFONT font = mode == UnderlineAlways ? underlinedFont.GetSafeHandle() : plainFont.GetSafeHandle();
    ::SendMessageW(GetSafeHwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    Invalidate();
  }
  underlineMode = mode;
}

void CHyperLink::SetLinkTarget(const wchar_t* text) {
  target = text ? text : L"";
  if (GetSafeHwnd()) FitWindowToText();
}

void CHyperLink::PreSubclassWindow() {
  HWND window = GetSafeHwnd();
  ::SetWindowLongW(window, GWL_STYLE, static_cast<LONG>(GetStyle() | SS_NOTIFY));
  const std::wstring text = GetWindowText();
  if (target.empty()) target = text;
  if (text.empty()) ::SetWindowTextW(window, target.c_str());

  LOGFONTW description{};
  if (ReadLogFont(GetFontOrStockFont(), description)) {
    plainFont.CreateFontIndirect(description);
    description.lfUnderline = TRUE;
    underlinedFont.CreateFontIndirect(description);
  }
  FitWindowToText();
  LoadHandCursor();
  SetUnderlineMode(UnderlineOnHover);
}

void CHyperLink::FitWindowToText() {
  HWND window = GetSafeHwnd();
  if (!window || !::IsWindow(window) || !fitToText) return;

  RECT windowRect{};
  RECT clientRect{};
  ::GetWindowRect(window, &windowRect);
  ::GetClientRect(window, &clientRect);
  if (HWND parent = ::GetParent(window)) {
    ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&windowRect), 2);
  }

  const std::wstring text = GetWindowText();
  SIZE extent{};
  if (HDC dc = ::GetDC(window)) {
    HGDIOBJ previous = ::SelectObject(dc, underlinedFont.GetSafeHandle());
    ::GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    ::SelectObject(dc, previous);
    ::ReleaseDC(window, dc);
  }

  const LinkRect fitted = FitRectToText({windowRect.left, windowRect.top, windowRect.right, windowRect.bottom},
                                        clientRect.right - clientRect.left, clientRect.bottom - clientRect.top,
                                        GetStyle(), extent.cx, extent.cy);
  ::SetWindowPos(window, nullptr, fitted.left, fitted.top, fitted.Width(), fitted.Height(),
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void CHyperLink::LoadHandCursor() {
  if (handCursor.GetSafeHandle()) return;
  std::array<wchar_t, MAX_PATH> folder{};
  const UINT length = ::GetWindowsDirectoryW(folder.data(), static_cast<UINT>(folder.size()));
  if (length == 0 || length >= folder.size()) return;
  const std::wstring helpViewer = std::wstring(folder.data()) + L"\\winhlp32.exe";
  HMODULE module = ::LoadLibraryW(helpViewer.c_str());
  if (!module) return;
  if (HCURSOR cursor = ::LoadCursorW(module, MAKEINTRESOURCEW(kHelpViewerHandCursorId))) handCursor.CopyFrom(cursor);
  ::FreeLibrary(module);
}

void CHyperLink::Invalidate() {
  if (GetSafeHwnd()) ::InvalidateRect(GetSafeHwnd(), nullptr, TRUE);
}

LRESULT CHyperLink::CtlColor(HDC dc) {
  ::SetTextColor(dc, LinkTextColour(colours, hovering != FALSE, visited != FALSE));
  ::SetBkMode(dc, TRANSPARENT);
  return reinterpret_cast<LRESULT>(::GetStockObject(NULL_BRUSH));
}

LRESULT CHyperLink::OnEraseBkgnd(HDC dc) {
  RECT client{};
  ::GetClientRect(GetSafeHwnd(), &client);
  ::FillRect(dc, &client, ::GetSysColorBrush(COLOR_BTNFACE));
  return TRUE;
}

LRESULT CHyperLink::OnSetCursor() {
  if (!handCursor.GetSafeHandle()) return FALSE;
  ::SetCursor(handCursor.GetSafeHandle());
  return TRUE;
}

LRESULT CHyperLink::OnMouseMove() {
  if (!hovering) {
    hovering = TRUE;
    if (underlineMode == UnderlineOnHover) {
      ::SendMessageW(GetSafeHwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(underlinedFont.GetSafeHandle()), TRUE);
    }
    Invalidate();
    ::SetTimer(GetSafeHwnd(), hoverTimerId, kHoverPeriodMs, nullptr);
  }
  return Default();
}

LRESULT CHyperLink::OnTimer() {
  const DWORD position = ::GetMessagePos();
  POINT point{static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))};
  ::ScreenToClient(GetSafeHwnd(), &point);
  RECT client{};
  ::GetClientRect(GetSafeHwnd(), &client);
  if (!::PtInRect(&client, point)) {
    hovering = FALSE;
    ::KillTimer(GetSafeHwnd(), hoverTimerId);
    if (underlineMode != UnderlineAlways) {
      ::SendMessageW(GetSafeHwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(plainFont.GetSafeHandle()), TRUE);
    }
    client.bottom += kHoverRepaintMargin;
    ::InvalidateRect(GetSafeHwnd(), &client, TRUE);
  }
  return Default();
}

void CHyperLink::OnClicked() {
  hovering = FALSE;
  const std::intptr_t result = OpenLink(target.c_str());
  visited = result > kShellSuccessAbove;
  if (!visited) {
    ::MessageBeep(MB_ICONEXCLAMATION);
    return;
  }
  Invalidate();
}

std::intptr_t CHyperLink::OpenLink(const wchar_t* address) {
  const auto shellResult = reinterpret_cast<std::intptr_t>(
      ::ShellExecuteW(::GetDesktopWindow(), L"open", address, nullptr, nullptr, SW_SHOW));
  if (static_cast<std::uint32_t>(shellResult) > kShellSuccessAbove) return shellResult;

  std::wstring htmlClass;
  if (!ReadClassesRootDefault(L".htm", htmlClass)) return shellResult;
  std::wstring registeredCommand;
  if (!ReadClassesRootDefault(htmlClass + L"\\shell\\open\\command", registeredCommand)) return shellResult;

  const std::wstring addressText(address ? address : L"");
  const auto command = HtmlFallbackCommand(AsUtf16(registeredCommand), AsUtf16(addressText));
  if (!command) return shellResult;

  const auto* wide = reinterpret_cast<const wchar_t*>(command->c_str());
  const int bytes = ::WideCharToMultiByte(CP_THREAD_ACP, 0, wide, -1, nullptr, 0, nullptr, nullptr);
  if (bytes <= 0) return shellResult;
  std::string ansi(static_cast<std::size_t>(bytes), '\0');
  ::WideCharToMultiByte(CP_THREAD_ACP, 0, wide, -1, ansi.data(), bytes, nullptr, nullptr);
  return static_cast<std::intptr_t>(::WinExec(ansi.c_str(), SW_SHOW));
}

LRESULT CHyperLink::WindowProc(UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case kReflectedMessageBase + WM_CTLCOLORSTATIC:
      return CtlColor(reinterpret_cast<HDC>(wParam));
    case kReflectedMessageBase + WM_COMMAND:
      if (HIWORD(wParam) != STN_CLICKED) return 0;
      OnClicked();
      return TRUE;
    case WM_SETCURSOR:
      return OnSetCursor();
    case WM_MOUSEMOVE:
      return OnMouseMove();
    case WM_TIMER:
      return OnTimer();
    case WM_ERASEBKGND:
      return OnEraseBkgnd(reinterpret_cast<HDC>(wParam));
    case WM_DESTROY:
      ::KillTimer(GetSafeHwnd(), hoverTimerId);
      return Default();
    default:
      return Default();
  }
}

}  // namespace lumora
