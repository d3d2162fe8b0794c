#pragma once
// A modal property sheet over the common controls' PropertySheetW. The sheet window
// itself is subclassed from the moment it is created, so that OnInitDialog,
// OnCommand and OnSysCommand see its messages before the sheet's own procedure.
#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "framework/window.h"

namespace lumora {

class CPropertyPage;

// The wizard buttons of a property sheet, reached as its child windows.
inline constexpr int kWizardBackButtonId = 0x3023;
inline constexpr int kWizardNextButtonId = 0x3024;

class CPropertySheet : public CWindow {
 public:
  CPropertySheet(const wchar_t* caption, HWND parent, UINT startPage);

  // Pages are shown in the order they are added; the sheet does not own them.
  void AddPage(CPropertyPage* page);
  INT_PTR DoModal();

  // The index of the page being activated or shown; the start page before the
  // sheet exists. It moves when a page's window is made and when a page is activated,
  // so a page that exchanges its data reads its own index.
  int GetActiveIndex() const { return activeIndex; }
  int GetPageCount() const { return static_cast<int>(pages.size()); }
  CPropertyPage* GetPage(int index) const;

 protected:
  // The header whose flags a derived sheet sets (PSH_WIZARD).
  PROPSHEETHEADERW& Header() { return header; }
  // The sheet's own WM_INITDIALOG handling: creates the buttons and the start page.
  virtual BOOL OnInitDialog();
  // The sheet's own WM_COMMAND handling (Cancel closes the sheet).
  virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
  // The sheet's own WM_SYSCOMMAND handling (SC_CLOSE cancels the sheet).
  virtual void OnSysCommand(UINT id, LPARAM lParam);
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  friend class CPropertyPage;
  void NotePageActivating(const CPropertyPage* page);
  static LRESULT CALLBACK CreationHook(int code, WPARAM wParam, LPARAM lParam);

  std::wstring caption;
  PROPSHEETHEADERW header{};
  std::vector<CPropertyPage*> pages;
  int activeIndex = 0;
};

}  // namespace lumora
