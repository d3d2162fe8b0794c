#pragma once
// One page of a property sheet, made from a dialog template of the program's
// resources. The page's dialog procedure turns the sheet's notifications into the
// virtual operations below and routes button clicks to handlers by control id.
#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <utility>
#include <vector>

namespace lumora {

class CPropertySheet;

class CPropertyPage {
 public:
  // Caption 0: the page has no title of its own.
  explicit CPropertyPage(UINT templateId);
  CPropertyPage(const CPropertyPage&) = delete;
  CPropertyPage& operator=(const CPropertyPage&) = delete;
  virtual ~CPropertyPage() = default;

  UINT TemplateId() const { return templateId; }
  // The page's window: null until the page is shown for the first time.
  HWND GetSafeHwnd() const { return windowHandle; }

 protected:
  // When the page's window is made: exchanges the data into the controls.
  virtual BOOL OnInitDialog();
  // Each time the page becomes the active one; TRUE accepts the activation. On every
  // activation but the first the page's data is exchanged into the controls.
  virtual BOOL OnSetActive();
  // When the page is left: exchanges the data out of the controls.
  virtual BOOL OnKillActive();
  // Back and Next: 0 goes to the neighbouring page, -1 stays, a template id goes there.
  virtual LRESULT OnWizardBack() { return 0; }
  virtual LRESULT OnWizardNext() { return 0; }
  // Binds controls and moves data; `saveAndValidate` is true when leaving the page.
  virtual void DoDataExchange(bool saveAndValidate) { (void)saveAndValidate; }

  BOOL UpdateData(bool saveAndValidate);
  // A click (BN_CLICKED) on the control `controlId` of this page runs `handler`.
  void OnClicked(int controlId, std::function<void()> handler);

 private:
  friend class CPropertySheet;
  PROPSHEETPAGEW Description();
  static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  INT_PTR OnNotify(const NMHDR& header);
  bool OnCommand(WPARAM wParam, LPARAM lParam);

  UINT templateId;
  HWND windowHandle = nullptr;
  CPropertySheet* owner = nullptr;
  bool firstSetActive = true;
  std::vector<std::pair<int, std::function<void()>>> clickHandlers;
};

}  // namespace lumora
