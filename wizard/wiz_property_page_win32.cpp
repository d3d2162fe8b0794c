#include "wizard/wiz_property_page.h"

#include <vector>

#include "framework/dialog_text.h"
#include "framework/static_control.h"
#include "res/resource.h"
#include "wizard/dpi_scaling.h"
#include "wizard/page_navigation.h"
#include "wizard/web_addresses.h"
#include "wizard/wiz_property_sheet.h"

namespace lumora {
namespace {

constexpr COLORREF kStatusTextColour = RGB(255, 0, 0);

}  // namespace

CWizPropertyPage::CWizPropertyPage(UINT templateId) : CPropertyPage(templateId) {
  OnClicked(IDC_BROWSE, [this] { OnBrowse(); });
  OnClicked(IDC_INI_BROWSE, [this] { OnBrowse(); });
  OnClicked(IDC_REGISTRY_BOX, [this] { OnRegistryBoxClicked(); });
  OnClicked(IDC_SELECT_ALL, [this] { OnSelectAll(); });
  OnClicked(IDC_SELECT_NONE, [this] { OnSelectNone(); });
  OnClicked(IDC_IMAGES_ONLY, [this] { OnImagesOnly(); });
  OnClicked(IDC_DESKTOP_SHORTCUT, [this] { OnShortcutBoxClicked(); });
  OnClicked(IDC_THUMBNAILS_SHORTCUT, [this] { OnShortcutBoxClicked(); });
  OnClicked(IDC_START_MENU_GROUP, [this] { OnShortcutBoxClicked(); });
  OnClicked(IDC_UNCHECK_ALL, [this] { OnUncheckAll(); });
}

HWND CWizPropertyPage::PageWindow(int index) const {
  CPropertyPage* page = sheet ? sheet->GetPage(index) : nullptr;
  return page ? page->GetSafeHwnd() : nullptr;
}

BOOL CWizPropertyPage::OnSetActive() {
  switch (sheet->GetActiveIndex()) {
    case kWelcomePageIndex:
      ActivateWelcomePage();
      break;
    case kWhatsNewPageIndex:
      FillReleaseNotes();
      break;
    case kAssociationsPageIndex:
      ActivateAssociationsPage();
      break;
    case kReadyPageIndex:
      ActivateReadyPage();
      break;
    case kFinishPageIndex:
      ActivateFinishPage();
      break;
    default:
      break;
  }
  return CPropertyPage::OnSetActive();
}

void CWizPropertyPage::DoDataExchange(bool) {
  switch (sheet->GetActiveIndex()) {
    case kWelcomePageIndex:
      DDX_Control(GetSafeHwnd(), IDC_EULA_LINK, sheet->eulaLink);
      sheet->eulaLink.SetUnderlineMode(UnderlineAlways);
      sheet->eulaLink.SetLinkTarget(kEulaAddress);
      break;
    case kReadyPageIndex:
      DDX_Control(GetSafeHwnd(), IDC_STATUS_TEXT, sheet->statusText);
      sheet->statusText.textColour = kStatusTextColour;
      sheet->statusText.MakeBold();
      sheet->statusText.SetFontHeight(ScaleForDpi(kLargeTextHeightAt96Dpi, HorizontalDpiOf(sheet->GetSafeHwnd())));
      break;
    default:
      break;
  }
}

LRESULT CWizPropertyPage::GetAdjacentPageTemplate(BOOL forward) {
  std::vector<int> templates;
  for (int i = 0; i < sheet->GetPageCount(); ++i) templates.push_back(static_cast<int>(sheet->GetPage(i)->TemplateId()));
  return AdjacentPageTemplate(templates, sheet->GetActiveIndex(), forward != FALSE);
}

LRESULT CWizPropertyPage::OnWizardBack() { return GetAdjacentPageTemplate(FALSE); }

LRESULT CWizPropertyPage::OnWizardNext() {
  ::EnableWindow(sheet->Button(kWizardBackButtonId), TRUE);
  switch (sheet->GetActiveIndex()) {
    case kWelcomePageIndex:
      if (!WelcomeFolderIsAcceptable()) return kStayOnPage;
      break;
    case kReadyPageIndex:
      if (const LRESULT result = HandOffInstallation(); result != 0) return result;
      break;
    default:
      break;
  }
  return GetAdjacentPageTemplate(TRUE);
}

}  // namespace lumora
