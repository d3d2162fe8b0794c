// The what's new page: the release notes from the program's own resources.
#include <windows.h>

#include <cstdint>
#include <span>

#include "res/resource.h"
#include "wizard/release_notes.h"
#include "wizard/wiz_property_page.h"

namespace lumora {
namespace {
constexpr WORD kReleaseNotesResourceId = 217;
}

void CWizPropertyPage::FillReleaseNotes() {
  HMODULE module = ::GetModuleHandleW(nullptr);
  HRSRC resource = ::FindResourceW(module, MAKEINTRESOURCEW(kReleaseNotesResourceId), L"TXT");
  if (!resource) return;
  HGLOBAL loaded = ::LoadResource(module, resource);
  if (!loaded) return;
  const void* bytes = ::LockResource(loaded);
  if (!bytes) return;
  const std::span<const std::uint8_t> notes(static_cast<const std::uint8_t*>(bytes), ::SizeofResource(module, resource));
  const std::u16string text = ReleaseNotesText(notes);
  ::SetDlgItemTextW(GetSafeHwnd(), IDC_RELEASE_NOTES_BOX, reinterpret_cast<const wchar_t*>(text.c_str()));
}

}  // namespace lumora
