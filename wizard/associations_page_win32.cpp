// The associations page: a check-box list of the file-type table, locked (grey and
// orange, buttons disabled) until the registry box 3311 is ticked.
#include <windows.h>

#include <commctrl.h>

#include <string>

#include "app/environment_probes.h"
#include "framework/dialog_text.h"
#include "res/resource.h"
#include "system/file_type_table.h"
#include "wizard/file_type_checks.h"
#include "wizard/file_type_columns.h"
#include "wizard/file_type_list_view.h"
#include "wizard/machine_queries.h"
#include "wizard/wiz_property_page.h"
#include "wizard/wiz_property_sheet.h"

namespace lumora {
namespace {

constexpr COLORREF kLockedListBackground = 0xC0C0C0;  // silver grey
constexpr COLORREF kLockedListText = 0x0080FF;        // orange
constexpr DWORD kListExtendedStyle = LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT;
constexpr int kListButtons[] = {IDC_IMAGES_ONLY, IDC_SELECT_ALL, IDC_SELECT_NONE};

void InsertColumn(HWND list, int index, int width) {
  wchar_t emptyHeader[] = L"";
  LVCOLUMNW column{};
  column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
  column.fmt = LVCFMT_LEFT;
  column.cx = width;
  column.pszText = emptyHeader;
  column.iSubItem = index;
  ::SendMessageW(list, LVM_INSERTCOLUMNW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&column));
}

void InsertFileTypeRows(HWND list) {
  const auto table = FileTypeTable();
  for (std::size_t row = 0; row < table.size(); ++row) {
    std::wstring listText(reinterpret_cast<const wchar_t*>(table[row].listText.data()), table[row].listText.size());
    std::wstring description(reinterpret_cast<const wchar_t*>(table[row].description.data()),
                             table[row].description.size());
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = static_cast<int>(row);
    item.pszText = listText.data();
    item.cchTextMax = static_cast<int>(listText.size() + 1);
    const auto inserted = static_cast<int>(::SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
    LVITEMW subItem{};
    subItem.iSubItem = 1;
    subItem.pszText = description.data();
    ::SendMessageW(list, LVM_SETITEMTEXTW, static_cast<WPARAM>(inserted), reinterpret_cast<LPARAM>(&subItem));
  }
}

}  // namespace

void CWizPropertyPage::ActivateAssociationsPage() {
  HWND page = GetSafeHwnd();
  ::ShowWindow(::GetDlgItem(page, IDC_ASSOCIATION_ALL_USERS), SW_HIDE);

  if (!sheet->fileTypeListWindow) {
    HWND list = ::GetDlgItem(page, IDC_FILE_TYPE_LIST);
    sheet->fileTypeListWindow = list;
    if (machine::IsWindowsSixOrLater()) ::CheckDlgButton(page, IDC_REGISTRY_BOX, BST_UNCHECKED);
    // On Windows 11 the list can never be unlocked in the wizard.
    if (machine::WindowsVersionClass() == kWindows11) ::EnableWindow(::GetDlgItem(page, IDC_REGISTRY_BOX), FALSE);
    if (savedListTextColour == CLR_INVALID) {
      savedListBackColour = ListView_GetBkColor(list);
      savedListTextColour = ListView_GetTextColor(list);
    }
    ::SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, kListExtendedStyle);

    RECT bounds{};
    ::GetWindowRect(list, &bounds);
    const FileTypeColumnWidths widths = FileTypeColumnWidthsFor(bounds.right - bounds.left, HorizontalDpiOf(list));
    InsertColumn(list, 0, widths.listText);
    InsertColumn(list, 1, widths.description);
    InsertFileTypeRows(list);
  }
  if (::IsDlgButtonChecked(page, IDC_REGISTRY_BOX) != BST_CHECKED) SetFileTypeListLocked(true);
}

void CWizPropertyPage::SetFileTypeListLocked(bool locked) {
  HWND list = sheet->fileTypeListWindow;
  if (!list) return;
  ::EnableWindow(list, !locked);
  ListView_SetBkColor(list, locked ? kLockedListBackground : savedListBackColour);
  ListView_SetTextColor(list, locked ? kLockedListText : savedListTextColour);
  ::InvalidateRect(list, nullptr, TRUE);
  for (const int button : kListButtons) ::EnableWindow(::GetDlgItem(GetSafeHwnd(), button), !locked);
}

void CWizPropertyPage::OnRegistryBoxClicked() {
  SetFileTypeListLocked(::IsDlgButtonChecked(GetSafeHwnd(), IDC_REGISTRY_BOX) != BST_CHECKED);
}

void CWizPropertyPage::OnImagesOnly() {
  FileTypeListView list(sheet->fileTypeListWindow);
  CheckImageRowsOnly(list);
}

void CWizPropertyPage::OnSelectAll() {
  FileTypeListView list(sheet->fileTypeListWindow);
  CheckAllRows(list);
}

void CWizPropertyPage::OnSelectNone() {
  FileTypeListView list(sheet->fileTypeListWindow);
  UncheckAllRows(list);
}

}  // namespace lumora
