#pragma once
// The one page class of the wizard. A page does not know which page it is: every
// decision is taken from the sheet's active index (welcome, what's new,
// associations, ready, finish), and pages read each other's controls through the
// sheet's page list. Each page's branch lives in its own source file.
#include <windows.h>

#include "framework/property_page.h"

namespace lumora {

class CWizPropertySheet;

class CWizPropertyPage : public CPropertyPage {
 public:
  explicit CWizPropertyPage(UINT templateId);

  int firstActivation = 1;                 // the welcome page's first show is still to come
  COLORREF savedListBackColour = 0;        // the list's own colours, for unlocking
  COLORREF savedListTextColour = CLR_INVALID;  // CLR_INVALID: nothing saved yet
  CWizPropertySheet* sheet = nullptr;      // set by start-up right after AddPage

 protected:
  void DoDataExchange(bool saveAndValidate) override;
  BOOL OnSetActive() override;
  LRESULT OnWizardBack() override;
  LRESULT OnWizardNext() override;
  // The neighbouring page's template id, or -1 at either end.
  virtual LRESULT GetAdjacentPageTemplate(BOOL forward);

 private:
  HWND PageWindow(int index) const;

  // Welcome page (welcome_page_win32.cpp).
  void ActivateWelcomePage();
  bool WelcomeFolderIsAcceptable();
  void OnBrowse();
  void OnUncheckAll();
  void OnShortcutBoxClicked();

  // What's new page (whats_new_page_win32.cpp).
  void FillReleaseNotes();

  // Associations page (associations_page_win32.cpp).
  void ActivateAssociationsPage();
  void SetFileTypeListLocked(bool locked);
  void OnRegistryBoxClicked();
  void OnImagesOnly();
  void OnSelectAll();
  void OnSelectNone();

  // Ready page (ready_page_win32.cpp). The hand-off returns -1 (stay), the welcome
  // page's template after a failed installation, or 0 to go on to the finish page.
  void ActivateReadyPage();
  LRESULT HandOffInstallation();

  // Finish page (finish_page_win32.cpp).
  void ActivateFinishPage();
};

}  // namespace lumora
