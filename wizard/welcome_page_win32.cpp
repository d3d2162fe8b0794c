// The welcome page: greeting and version, shortcut boxes, user scope, destination
// folder with Browse, the EULA link and the running-viewer warning.
#include <windows.h>

#include <shlobj.h>

#include <array>
#include <cwchar>

#include "framework/dialog_text.h"
#include "res/resource.h"
#include "res/string_table.h"
#include "system/product_version.h"
#include "wizard/folder_rules.h"
#include "wizard/machine_queries.h"
#include "wizard/welcome_texts.h"
#include "wizard/wiz_property_page.h"
#include "wizard/wiz_property_sheet.h"

namespace lumora {
namespace {

constexpr int kShortcutBoxes[] = {IDC_DESKTOP_SHORTCUT, IDC_THUMBNAILS_SHORTCUT, IDC_START_MENU_GROUP};
constexpr int kScopeButtons[] = {IDC_CURRENT_USER, IDC_ALL_USERS};
constexpr int kTemplateTextUnits = 512;
constexpr int kFolderBoxUnits = MAX_PATH;  // the box is read with 260 units and its terminator
constexpr int kBrowseBufferUnits = 264;
constexpr int kPickerTitleUnits = 50;

void FormatItemText(HWND dialog, int id, std::initializer_list<std::u16string_view> arguments) {
  SetDialogItemText(dialog, id, FormatWithTexts(DialogItemText(dialog, id, kTemplateTextUnits), arguments));
}

// Opens the picker on the folder in the box.
int CALLBACK BrowseCallback(HWND window, UINT message, LPARAM, LPARAM data) {
  if (message == BFFM_INITIALIZED) {
    const std::u16string start = PickerStartFolder(reinterpret_cast<const char16_t*>(data));
    ::SendMessageW(window, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(start.c_str()));
  }
  return 0;
}

// The folder picker: starts at the desktop, opens on `path`, accepts file-system
// folders only. Returns 1 with the chosen folder (trailing backslash) in `path`.
int BrowseForFolder(HWND owner, std::array<wchar_t, kBrowseBufferUnits>& path) {
  const std::wstring title = LoadResourceString(IDS_INSTALLATION_FOLDER, kPickerTitleUnits);
  std::array<wchar_t, MAX_PATH> displayName{};

  BROWSEINFOW browse{};
  browse.hwndOwner = owner;
  browse.pszDisplayName = displayName.data();
  browse.lpszTitle = title.c_str();
  browse.ulFlags = BIF_RETURNONLYFSDIRS;
  browse.lpfn = &BrowseCallback;
  browse.lParam = reinterpret_cast<LPARAM>(path.data());

  // The picker's shell objects need COM on this thread.
  const HRESULT com = ::CoInitialize(nullptr);
  int chosen = 0;
  if (PIDLIST_ABSOLUTE item = ::SHBrowseForFolderW(&browse)) {
    std::array<wchar_t, kBrowseBufferUnits> picked{};
    if (::SHGetPathFromIDListW(item, picked.data())) {
      path = picked;
      const std::size_t length = std::wcslen(path.data());
      if (length > 0 && path[length - 1] != L'\\' && length + 1 < path.size()) path[length] = L'\\';
      chosen = 1;
    }
    ::CoTaskMemFree(item);
  }
  if (SUCCEEDED(com)) ::CoUninitialize();
  return chosen;
}

}  // namespace

void CWizPropertyPage::ActivateWelcomePage() {
  HWND page = GetSafeHwnd();
  ::EnableWindow(sheet->Button(kWizardBackButtonId), FALSE);
  HICON icon = ::LoadIconW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_SETUP_ICON));
  ::SendMessageW(sheet->GetSafeHwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));

  if (firstActivation) {
    ::SendDlgItemMessageW(page, IDC_WELCOME_HEADER, WM_SETFONT, reinterpret_cast<WPARAM>(sheet->headerFont.GetSafeHandle()),
                          TRUE);
    FormatItemText(page, IDC_WELCOME_HEADER, {kProductBitness});
    FormatItemText(page, IDC_VERSION_LINE, {ProductVersionText(), kProductBitness});
    for (const int box : kShortcutBoxes) ::SendDlgItemMessageW(page, box, BM_SETCHECK, BST_CHECKED, 0);
    ::SendDlgItemMessageW(page, IDC_CURRENT_USER, BM_SETCHECK, BST_CHECKED, 0);
    SetDialogItemText(page, IDC_FOLDER_BOX, machine::InitialDestinationFolder());
  }
  if (machine::ViewerIsRunning()) sheet->ShowMessage(IDS_VIEWER_RUNNING, MB_ICONWARNING | MB_OK);
  firstActivation = 0;
}

bool CWizPropertyPage::WelcomeFolderIsAcceptable() {
  const std::u16string folder = DialogItemText(PageWindow(kWelcomePageIndex), IDC_FOLDER_BOX, kFolderBoxUnits);
  if (IsAcceptableDestination(folder)) return true;
  sheet->ShowMessage(IDS_INVALID_DESTINATION, MB_ICONERROR | MB_OK);
  return false;
}

void CWizPropertyPage::OnBrowse() {
  HWND page = GetSafeHwnd();
  std::array<wchar_t, kBrowseBufferUnits> path{};
  ::GetDlgItemTextW(page, IDC_FOLDER_BOX, path.data(), kFolderBoxUnits);
  if (!BrowseForFolder(::GetActiveWindow(), path)) return;
  const auto boxText = FolderForPickedPath(reinterpret_cast<const char16_t*>(path.data()));
  if (!boxText) return;  // no room for the product's level: the box keeps its text
  SetDialogItemText(page, IDC_FOLDER_BOX, *boxText);
}

void CWizPropertyPage::OnUncheckAll() {
  HWND page = GetSafeHwnd();
  for (const int box : kShortcutBoxes) ::SendDlgItemMessageW(page, box, BM_SETCHECK, BST_UNCHECKED, 0);
  for (const int button : kScopeButtons) ::EnableWindow(::GetDlgItem(page, button), FALSE);
}

void CWizPropertyPage::OnShortcutBoxClicked() {
  HWND page = GetSafeHwnd();
  bool anyChecked = false;
  for (const int box : kShortcutBoxes) anyChecked = anyChecked || ::IsDlgButtonChecked(page, box) == BST_CHECKED;
  for (const int button : kScopeButtons) ::EnableWindow(::GetDlgItem(page, button), anyChecked);
}

}  // namespace lumora
