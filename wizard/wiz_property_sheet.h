#pragma once
// The wizard: one property sheet in classic wizard mode and the store of what its
// pages share (header font, file-type list, EULA link, status text, caption). It
// names the Cancel button Exit, asks before the user leaves, and runs the finish
// actions when the user leaves from the last page with Done.
#include <windows.h>

#include "framework/gdi_objects.h"
#include "framework/property_sheet.h"
#include "wizard/hyper_link.h"
#include "wizard/x_color_static.h"

namespace lumora {

// The pages' indices in the sheet.
enum WizardPageIndex : int {
  kWelcomePageIndex = 0,
  kWhatsNewPageIndex = 1,
  kAssociationsPageIndex = 2,
  kReadyPageIndex = 3,
  kFinishPageIndex = 4,
};

inline constexpr int kCaptionUnits = 260;

class CWizPropertySheet : public CPropertySheet {
 public:
  CWizPropertySheet();

  // Open the FAQ page and start the installed viewer, as the finish page's check
  // boxes say at the moment Done is pressed.
  void RunFinishActions();
  // A message box owned by the sheet, titled captionText.
  int ShowMessage(UINT stringId, UINT type);
  HWND Button(int id) const { return ::GetDlgItem(GetSafeHwnd(), id); }

  CFont headerFont;                    // created by start-up before the sheet is shown
  HWND fileTypeListWindow = nullptr;   // the associations page's list, once it was shown
  CHyperLink eulaLink;                 // bound to the welcome page's label 1045
  CXColorStatic statusText;            // bound to the ready page's label 1044
  wchar_t captionText[kCaptionUnits] = {};

 protected:
  BOOL OnInitDialog() override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  void OnSysCommand(UINT id, LPARAM lParam) override;

 private:
  bool UserConfirmsExit();
};

// The one wizard of the process, built before start-up runs.
extern CWizPropertySheet wizardSheet;

}  // namespace lumora
