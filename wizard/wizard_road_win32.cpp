// The wizard road of start-up: the header font, the five pages in their order, and
// the sheet run modally. The wizard ends only by cancellation (Exit or Done), so
// the modal result says nothing.
#include "wizard/wizard_road.h"

#include "res/resource.h"
#include "wizard/wiz_property_page.h"
#include "wizard/wiz_property_sheet.h"

namespace lumora {

void RunWizardRoad(const LOGFONTW& headerLogFont) {
  wizardSheet.headerFont.CreateFontIndirect(headerLogFont);
  wizardSheet.fileTypeListWindow = nullptr;

  // Destroyed in reverse order when the modal run is over.
  CWizPropertyPage welcome(IDD_WELCOME_PAGE);
  CWizPropertyPage whatsNew(IDD_WHATS_NEW_PAGE);
  CWizPropertyPage associations(IDD_ASSOCIATIONS_PAGE);
  CWizPropertyPage ready(IDD_READY_PAGE);
  CWizPropertyPage finish(IDD_FINISH_PAGE);
  for (CWizPropertyPage* page : {&welcome, &whatsNew, &associations, &ready, &finish}) {
    wizardSheet.AddPage(page);
    page->sheet = &wizardSheet;
  }
  wizardSheet.DoModal();
}

}  // namespace lumora
