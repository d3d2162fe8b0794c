#include "framework/property_sheet.h"

#include "framework/property_page.h"

namespace lumora {
namespace {

// The creation hook has no data of its own: the sheet being created waits here for
// the length of one PropertySheetW call on this thread.
struct SheetCreation {
  CPropertySheet* sheet = nullptr;
  HHOOK hook = nullptr;
};
thread_local SheetCreation sheetCreation;

constexpr WORD kDialogClassAtom = 0x8002;  // "#32770"

bool IsDialogClass(LPCWSTR className) {
  if (IS_INTRESOURCE(className)) return LOWORD(reinterpret_cast<ULONG_PTR>(className)) == kDialogClassAtom;
  return className && ::lstrcmpiW(className, L"#32770") == 0;
}

}  // namespace

CPropertySheet::CPropertySheet(const wchar_t* caption, HWND parent, UINT startPage)
    : caption(caption ? caption : L""), activeIndex(static_cast<int>(startPage)) {
  header.dwSize = sizeof(header);
  header.hwndParent = parent;
  header.nStartPage = startPage;
}

void CPropertySheet::AddPage(CPropertyPage* page) {
  page->owner = this;
  pages.push_back(page);
}

CPropertyPage* CPropertySheet::GetPage(int index) const {
  if (index < 0 || index >= GetPageCount()) return nullptr;
  return pages[static_cast<std::size_t>(index)];
}

void CPropertySheet::NotePageActivating(const CPropertyPage* page) {
  for (std::size_t i = 0; i < pages.size(); ++i) {
    if (pages[i] == page) activeIndex = static_cast<int>(i);
  }
}

INT_PTR CPropertySheet::DoModal() {
  std::vector<PROPSHEETPAGEW> descriptions;
  descriptions.reserve(pages.size());
  for (CPropertyPage* page : pages) descriptions.push_back(page->Description());

  header.dwFlags |= PSH_PROPSHEETPAGE;
  header.hInstance = ::GetModuleHandleW(nullptr);
  header.pszCaption = caption.c_str();
  header.nPages = static_cast<UINT>(descriptions.size());
  header.ppsp = descriptions.data();
  activeIndex = static_cast<int>(header.nStartPage);

  sheetCreation.sheet = this;
  sheetCreation.hook = ::SetWindowsHookExW(WH_CBT, &CPropertySheet::CreationHook, nullptr, ::GetCurrentThreadId());
  const INT_PTR result = ::PropertySheetW(&header);
  if (sheetCreation.hook) ::UnhookWindowsHookEx(sheetCreation.hook);
  sheetCreation = SheetCreation{};
  return result;
}

LRESULT CALLBACK CPropertySheet::CreationHook(int code, WPARAM wParam, LPARAM lParam) {
  const HHOOK hook = sheetCreation.hook;
  if (code == HCBT_CREATEWND && sheetCreation.sheet) {
    const auto* creation = reinterpret_cast<const CBT_CREATEWNDW*>(lParam);
    // The first dialog window made by PropertySheetW is the sheet; its pages come later.
    if (IsDialogClass(creation->lpcs->lpszClass)) {
      CPropertySheet* sheet = sheetCreation.sheet;
      sheetCreation.sheet = nullptr;
      sheet->SubclassWindow(reinterpret_cast<HWND>(wParam));
      ::UnhookWindowsHookEx(hook);
      sheetCreation.hook = nullptr;
      return 0;
    }
  }
  return ::CallNextHookEx(hook, code, wParam, lParam);
}

BOOL CPropertySheet::OnInitDialog() { return static_cast<BOOL>(Default()); }

BOOL CPropertySheet::OnCommand(WPARAM, LPARAM) { return static_cast<BOOL>(Default()); }

void CPropertySheet::OnSysCommand(UINT, LPARAM) { Default(); }

LRESULT CPropertySheet::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      return OnInitDialog();
    case WM_COMMAND:
      return OnCommand(wParam, lParam);
    case WM_SYSCOMMAND:
      OnSysCommand(static_cast<UINT>(wParam), lParam);
      return 0;
    case WM_SETTEXT: {
      // A wizard retitles the sheet with each page's caption; our pages have none,
      // and an empty caption must not blank the sheet's own title.
      const auto* text = reinterpret_cast<const wchar_t*>(lParam);
      if ((!text || !*text) && ::GetWindowTextLengthW(GetSafeHwnd()) > 0) return TRUE;
      return Default();
    }
    default:
      return Default();
  }
}

}  // namespace lumora
