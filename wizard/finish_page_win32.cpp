// The finish page: success, and the two finish actions that Done carries out.
#include <windows.h>


#include "framework/dialog_text.h"
#include "res/resource.h"
#include "res/string_table.h"
#include "wizard/wiz_property_page.h"
#include "wizard/wiz_property_sheet.h"

namespace lumora {

void CWizPropertyPage::ActivateFinishPage() {
  HWND page = GetSafeHwnd();
  ::SendDlgItemMessageW(page, IDC_FINISH_HEADER, WM_SETFONT, reinterpret_cast<WPARAM>(sheet->headerFont.GetSafeHandle()),
                        TRUE);
  ::CheckDlgButton(page, IDC_OPEN_FAQ, BST_CHECKED);
  ::CheckDlgButton(page, IDC_START_VIEWER, BST_CHECKED);
  ::SetWindowTextW(sheet->Button(IDCANCEL), LoadResourceString(IDS_DONE).c_str());
  // After a successful installation the only way out is Done.
  ::EnableWindow(sheet->Button(kWizardBackButtonId), FALSE);
  ::EnableWindow(sheet->Button(kWizardNextButtonId), FALSE);
}

}  // namespace lumora
