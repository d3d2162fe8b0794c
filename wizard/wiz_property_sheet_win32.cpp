#include "wizard/wiz_property_sheet.h"

#include <shellapi.h>

#include <cwchar>

#include "framework/dialog_text.h"
#include "framework/property_page.h"
#include "res/resource.h"
#include "res/string_table.h"
#include "wizard/finish_actions.h"
#include "wizard/web_addresses.h"

namespace lumora {

CWizPropertySheet wizardSheet;

namespace {

constexpr wchar_t kConstructionCaption[] = L"Lumora Setup";
constexpr wchar_t kSetupCaption[] = L"Lumora 64-bit Setup";
constexpr wchar_t kViewerWindowClass[] = L"Lumora";
constexpr UINT kQuestionType = MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2;
constexpr DWORD kViewerStartPauseMs = 50;
constexpr DWORD kViewerWindowRetryMs = 500;
constexpr int kViewerWindowAttempts = 5;

}  // namespace

CWizPropertySheet::CWizPropertySheet() : CPropertySheet(kConstructionCaption, nullptr, 0) {
  Header().dwFlags |= PSH_WIZARD;
}

int CWizPropertySheet::ShowMessage(UINT stringId, UINT type) {
  return ::MessageBoxW(GetSafeHwnd(), LoadResourceString(stringId).c_str(), captionText, type);
}

BOOL CWizPropertySheet::OnInitDialog() {
  // Before the base creates the start page, whose activation may already show a
  // message box with this caption.
  std::wcsncpy(captionText, kSetupCaption, kCaptionUnits - 1);
  const BOOL result = CPropertySheet::OnInitDialog();
  ::SetWindowTextW(Button(IDCANCEL), LoadResourceString(IDS_EXIT).c_str());
  ::SetWindowTextW(GetSafeHwnd(), captionText);
  return result;
}

bool CWizPropertySheet::UserConfirmsExit() { return ShowMessage(IDS_EXIT_QUESTION, kQuestionType) != IDNO; }

BOOL CWizPropertySheet::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (LOWORD(wParam) != IDCANCEL) return CPropertySheet::OnCommand(wParam, lParam);
  if (GetActiveIndex() != kFinishPageIndex) {
    if (!UserConfirmsExit()) return TRUE;  // stay on the page with every choice kept
  } else {
    RunFinishActions();
  }
  return CPropertySheet::OnCommand(wParam, lParam);
}

void CWizPropertySheet::OnSysCommand(UINT id, LPARAM lParam) {
  if ((id & 0xFFF0) == SC_CLOSE && GetActiveIndex() != kFinishPageIndex && !UserConfirmsExit()) return;
  CPropertySheet::OnSysCommand(id, lParam);
}

void CWizPropertySheet::RunFinishActions() {
  CPropertyPage* finishPage = GetPage(kFinishPageIndex);
  CPropertyPage* welcomePage = GetPage(kWelcomePageIndex);
  if (!finishPage || !finishPage->GetSafeHwnd()) return;
  HWND finish = finishPage->GetSafeHwnd();

  if (::IsDlgButtonChecked(finish, IDC_OPEN_FAQ)) {
    ::ShellExecuteW(::GetDesktopWindow(), L"open", kFaqAddress, nullptr, L"", SW_SHOW);
  }
  if (::IsDlgButtonChecked(finish, IDC_START_VIEWER) && welcomePage) {
    const auto viewer = ViewerPathForFolderText(DialogItemText(welcomePage->GetSafeHwnd(), IDC_FOLDER_BOX, MAX_PATH));
    if (!viewer) return;
    ::ShellExecuteW(::GetActiveWindow(), L"open", reinterpret_cast<const wchar_t*>(viewer->c_str()), L"", nullptr,
                    SW_SHOW);
    ::Sleep(kViewerStartPauseMs);
    for (int attempt = 0; attempt < kViewerWindowAttempts; ++attempt) {
      if (HWND viewerWindow = ::FindWindowExW(nullptr, nullptr, kViewerWindowClass, nullptr)) {
        ::SetForegroundWindow(viewerWindow);
        return;
      }
      ::Sleep(kViewerWindowRetryMs);
    }
  }
}

}  // namespace lumora
