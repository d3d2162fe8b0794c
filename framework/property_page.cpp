#include "framework/property_page.h"

#include "framework/property_sheet.h"
#include "framework/window.h"

namespace lumora {

CPropertyPage::CPropertyPage(UINT templateId) : templateId(templateId) {}

PROPSHEETPAGEW CPropertyPage::Description() {
  PROPSHEETPAGEW page{};
  page.dwSize = sizeof(page);
  page.dwFlags = PSP_DEFAULT;
  page.hInstance = ::GetModuleHandleW(nullptr);
  page.pszTemplate = MAKEINTRESOURCEW(templateId);
  page.pfnDlgProc = &CPropertyPage::DialogProc;
  page.lParam = reinterpret_cast<LPARAM>(this);
  return page;
}

BOOL CPropertyPage::OnInitDialog() { return UpdateData(false); }

BOOL CPropertyPage::OnSetActive() {
  if (firstSetActive) {
    firstSetActive = false;
  } else {
    UpdateData(false);
  }
  return TRUE;
}

BOOL CPropertyPage::OnKillActive() { return UpdateData(true); }

BOOL CPropertyPage::UpdateData(bool saveAndValidate) {
  if (!windowHandle) return FALSE;
  DoDataExchange(saveAndValidate);
  return TRUE;
}

void CPropertyPage::OnClicked(int controlId, std::function<void()> handler) {
  clickHandlers.emplace_back(controlId, std::move(handler));
}

INT_PTR CPropertyPage::OnNotify(const NMHDR& header) {
  LRESULT result = 0;
  switch (header.code) {
    case PSN_SETACTIVE:
      if (owner) owner->NotePageActivating(this);
      result = OnSetActive() ? 0 : -1;
      break;
    case PSN_KILLACTIVE:
      result = OnKillActive() ? FALSE : TRUE;
      break;
    case PSN_WIZBACK:
      result = OnWizardBack();
      break;
    case PSN_WIZNEXT:
      result = OnWizardNext();
      break;
    default:
      return FALSE;
  }
  ::SetWindowLongPtrW(windowHandle, DWLP_MSGRESULT, result);
  return TRUE;
}

bool CPropertyPage::OnCommand(WPARAM wParam, LPARAM lParam) {
  // A bound control's own notification (a label's click) is its business first.
  LRESULT reflected = 0;
  if (lParam && CWindow::ReflectToControl(reinterpret_cast<HWND>(lParam), WM_COMMAND, wParam, lParam, reflected)) {
    return true;
  }
  if (HIWORD(wParam) != BN_CLICKED) return false;
  const int controlId = LOWORD(wParam);
  for (const auto& [id, handler] : clickHandlers) {
    if (id == controlId) {
      handler();
      return true;
    }
  }
  return false;
}

INT_PTR CALLBACK CPropertyPage::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* page = reinterpret_cast<CPropertyPage*>(::GetWindowLongPtrW(window, DWLP_USER));
  if (message == WM_INITDIALOG) {
    const auto* description = reinterpret_cast<const PROPSHEETPAGEW*>(lParam);
    page = reinterpret_cast<CPropertyPage*>(description->lParam);
    ::SetWindowLongPtrW(window, DWLP_USER, reinterpret_cast<LONG_PTR>(page));
    page->windowHandle = window;
    // A page's window is made only when the page is about to become the active one.
    if (page->owner) page->owner->NotePageActivating(page);
    return page->OnInitDialog();
  }
  if (!page) return FALSE;

  switch (message) {
    case WM_NOTIFY:
      return page->OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
    case WM_COMMAND:
      return page->OnCommand(wParam, lParam) ? TRUE : FALSE;
    case WM_CTLCOLORSTATIC: {
      LRESULT brush = 0;
      if (CWindow::ReflectToControl(reinterpret_cast<HWND>(lParam), message, wParam, lParam, brush)) {
        return static_cast<INT_PTR>(brush);
      }
      return FALSE;
    }
    case WM_NCDESTROY:
      page->windowHandle = nullptr;
      return FALSE;
    default:
      return FALSE;
  }
}

}  // namespace lumora
