// The ready page: where the viewer keeps its INI file, and the hand-off that turns
// every choice of the wizard into one SetupOptions record and runs the installation
// while the wizard waits.
#include <windows.h>


#include "app/setup_options.h"
#include "framework/dialog_text.h"
#include "install/install_driver.h"
#include "install/path_helpers.h"
#include "platform/win32/win32_platform.h"
#include "res/resource.h"
#include "res/string_table.h"
#include "wizard/file_type_checks.h"
#include "wizard/file_type_list_view.h"
#include "wizard/machine_queries.h"
#include "wizard/page_navigation.h"
#include "wizard/wiz_property_page.h"
#include "wizard/wiz_property_sheet.h"

namespace lumora {
namespace {

constexpr int kFolderBoxUnits = MAX_PATH;
constexpr int kHandOffFolderUnits = 520;
constexpr int kLabelUnits = 50;
constexpr char16_t kApplicationDataIniFolder[] = u"%APPDATA%\\Lumora";
constexpr int kButtonsLockedDuringInstallation[] = {kWizardBackButtonId, kWizardNextButtonId, IDCANCEL};

std::int32_t IsChecked(HWND dialog, int id) { return static_cast<std::int32_t>(::IsDlgButtonChecked(dialog, id)); }

}  // namespace

void CWizPropertyPage::ActivateReadyPage() {
  HWND page = GetSafeHwnd();
  ::SendDlgItemMessageW(page, IDC_READY_HEADER, WM_SETFONT, reinterpret_cast<WPARAM>(sheet->headerFont.GetSafeHandle()),
                        TRUE);

  std::u16string folder = DialogItemText(PageWindow(kWelcomePageIndex), IDC_FOLDER_BOX, kFolderBoxUnits);
  TrimBlanks(folder);
  const std::wstring text = LoadResourceString(IDS_DESTINATION_LABEL, kLabelUnits) + L": " +
                           reinterpret_cast<const wchar_t*>(folder.c_str());
  ::SetDlgItemTextW(page, IDC_DESTINATION_LABEL, text.c_str());

  // Reset on every activation: a choice made here does not survive Back.
  const bool besideViewer = !machine::IsWindowsSixOrLater();
  ::CheckDlgButton(page, IDC_INI_BESIDE_VIEWER, besideViewer ? BST_CHECKED : BST_UNCHECKED);
  ::CheckDlgButton(page, IDC_INI_IN_APPLICATION_DATA, besideViewer ? BST_UNCHECKED : BST_CHECKED);
}

LRESULT CWizPropertyPage::HandOffInstallation() {
  if (machine::ViewerIsRunning()) {
    sheet->ShowMessage(IDS_VIEWER_RUNNING, MB_ICONWARNING | MB_OK);
    return kStayOnPage;
  }

  HWND welcome = PageWindow(kWelcomePageIndex);
  SetupOptions options;
  options.destinationFolder = DialogItemText(welcome, IDC_FOLDER_BOX, kHandOffFolderUnits);
  TrimBlanks(options.destinationFolder);
  options.startMenuGroup = IsChecked(welcome, IDC_START_MENU_GROUP);
  options.desktopShortcut = IsChecked(welcome, IDC_DESKTOP_SHORTCUT);
  options.thumbnailsShortcut = IsChecked(welcome, IDC_THUMBNAILS_SHORTCUT);
  options.allUsers = IsChecked(welcome, IDC_ALL_USERS);  // read whether or not it is enabled
  const FileTypeListView list(sheet->fileTypeListWindow);
  options.registerAssociations = CollectAssociationChoices(list, options.associations);
  options.iniFolder = IsChecked(GetSafeHwnd(), IDC_INI_IN_APPLICATION_DATA) ? kApplicationDataIniFolder : u"";
  options.silent = 0;
  options.caption = reinterpret_cast<const char16_t*>(sheet->captionText);

  // The status text is on screen before the work starts; nothing repaints until it ends.
  HWND status = sheet->statusText.GetSafeHwnd();
  ::ShowWindow(status, SW_SHOW);
  ::UpdateWindow(status);
  for (const int button : kButtonsLockedDuringInstallation) ::EnableWindow(sheet->Button(button), FALSE);

  platform::win32::Win32Machine machine;
  const int installed = RunInstallation(machine.platform, options);

  for (const int button : kButtonsLockedDuringInstallation) ::EnableWindow(sheet->Button(button), TRUE);
  if (!installed) return IDD_WELCOME_PAGE;  // the reason was shown already
  return 0;
}

}  // namespace lumora
