#include "system/shortcut_plan.h"

#include "app/environment_probes.h"
#include "platform/system.h"
#include "system/install_paths.h"
#include "system/product_version.h"

namespace lumora {
namespace {

// The documents the program group links to, in the order they are made.
struct DocumentLink {
  const char16_t* linkName;
  const char16_t* fileName;
};
constexpr DocumentLink kDocumentLinks[] = {
    {u"About Lumora.lnk", u"l_about.txt"},
    {u"What's New.lnk", u"l_changes.txt"},
    {u"Command line Options.lnk", u"l_options.txt"},
    {u"Available PlugIns.lnk", u"l_plugins.txt"},
    {u"Available Languages.lnk", u"l_languages.txt"},
    {u"Lumora Help.lnk", u"l_mora32.chm"},
};

platform::ShellLink MakeShellLink(const std::u16string& target, const std::optional<std::u16string>& iconFile,
                                  int iconIndex, const std::optional<std::u16string>& description,
                                  const std::optional<std::u16string>& arguments) {
  platform::ShellLink link;
  link.target = target;
  link.arguments = arguments;
  link.iconFile = iconFile;
  link.iconIndex = iconFile ? iconIndex : 0;
  link.description = description;
  return link;
}

}  // namespace

int DesktopFolderFor(std::int32_t allUsers) {
  return allUsers != 0 ? platform::kCsidlCommonDesktop : platform::kCsidlDesktop;
}

int ProgramsFolderFor(std::int32_t allUsers) {
  return allUsers != 0 ? platform::kCsidlCommonPrograms : platform::kCsidlPrograms;
}

std::u16string VersionedViewerLinkName(int major, int minor) {
  std::u16string minorText = DecimalText(minor);
  if (minorText.size() < 2) minorText.insert(minorText.begin(), u' ');  // "%2d"
  return u"Lumora 64 " + DecimalText(major) + u"." + minorText + u".lnk";
}

std::u16string OldVersionedViewerLinkName(const std::u16string& version) {
  return u"Lumora 64 " + version + u".lnk";
}

void CreateDesktopShortcut(RegistrationPlan& plan, const std::u16string& target, const std::u16string& linkName,
                           const std::optional<std::u16string>& iconFile,
                           const std::optional<std::u16string>& description,
                           const std::optional<std::u16string>& arguments, int iconIndex, std::int32_t allUsers) {
  plan.push_back(step::MakeLink{DesktopFolderFor(allUsers), linkName,
                                MakeShellLink(target, iconFile, iconIndex, description, arguments)});
}

void CreateFolderShortcut(RegistrationPlan& plan, const std::u16string& linkName, const std::u16string& target,
                          const std::optional<std::u16string>& arguments,
                          const std::optional<std::u16string>& iconFile, int iconIndex) {
  plan.push_back(
      step::MakeLink{std::nullopt, linkName, MakeShellLink(target, iconFile, iconIndex, std::nullopt, arguments)});
}

void CreateProgramGroup(RegistrationPlan& plan, const std::u16string& installFolder, std::int32_t allUsers,
                        int windowsVersionClass) {
  const std::u16string viewer = installFolder + kViewerFileName;
  plan.push_back(step::MakeProgramGroupFolder{ProgramsFolderFor(allUsers), kProgramGroupName});
  CreateFolderShortcut(plan, VersionedViewerLinkName(kProductVersionMajor, kProductVersionMinor), viewer);
  plan.push_back(step::DeleteOldLink{OldVersionedViewerLinkName(u"4.70")});
  plan.push_back(step::DeleteOldLink{OldVersionedViewerLinkName(u"4.67")});
  CreateFolderShortcut(plan, u"Lumora - Thumbnails.lnk", viewer, u"/thumbs", viewer, kThumbnailsIconIndex);
  if (windowsVersionClass != kWindows8) {
    CreateFolderShortcut(plan, u"Uninstall Lumora.lnk", installFolder + kUninstallerFileName);
  }
  for (const DocumentLink& document : kDocumentLinks) {
    CreateFolderShortcut(plan, document.linkName, installFolder + document.fileName);
  }
}

}  // namespace lumora
