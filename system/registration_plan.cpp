#include "system/registration_plan.h"

#include "platform/registry.h"
#include "system/association_plan.h"
#include "system/product_version.h"
#include "system/shortcut_plan.h"

namespace lumora {
namespace {

using platform::RootKey;
using step::NamedValue;

constexpr char16_t kUninstallKey[] = u"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Lumora64";
constexpr char16_t kApplicationKey[] = u"SOFTWARE\\Lumora";
constexpr char16_t kCapabilitiesKey[] = u"SOFTWARE\\Lumora\\Capabilities";
constexpr std::uint32_t kEstimatedSizeKilobytes = 8192;

}  // namespace

void CreateShortcuts(RegistrationPlan& plan, const RegistrationInputs& inputs, const InstallPaths& paths) {
  if (inputs.startMenuGroup != 0) {
    CreateProgramGroup(plan, paths.installFolder, inputs.allUsers, inputs.windowsVersionClass);
  }
  if (inputs.desktopShortcut != 0) {
    CreateDesktopShortcut(plan, paths.viewerPath, u"Lumora 64.lnk", std::nullopt, u"Lumora 64 - Image Viewer",
                          std::nullopt, 0, inputs.allUsers);
  }
  if (inputs.thumbnailsShortcut != 0) {
    CreateDesktopShortcut(plan, paths.viewerPath, u"Lumora 64 Thumbnails.lnk", paths.viewerPath,
                          u"Lumora - Thumbnails", u"/thumbs", kThumbnailsIconIndex, inputs.allUsers);
  }
}

void RegisterFolderVerbs(RegistrationPlan& plan, const InstallPaths& paths) {
  const std::u16string thumbnailsCommand = paths.openCommand + u" /thumbs";
  for (const char16_t* owner : {u"Directory", u"Drive"}) {
    const std::u16string verbKey = u"SOFTWARE\\Classes\\" + std::u16string(owner) + u"\\shell\\" + kFolderVerbName;
    plan.push_back(step::SetDefaultValue{RootKey::kLocalMachine, verbKey, kFolderVerbName});
    plan.push_back(step::SetDefaultValue{RootKey::kLocalMachine, verbKey + u"\\command", thumbnailsCommand});
  }
}

void RegisterApplicationClass(RegistrationPlan& plan, const InstallPaths& paths) {
  plan.push_back(step::SetDefaultValue{RootKey::kLocalMachine, u"SOFTWARE\\Classes\\Lumora", u"Lumora"});
  plan.push_back(step::SetDefaultValue{RootKey::kLocalMachine, u"SOFTWARE\\Classes\\Lumora\\shell\\open\\command",
                                       paths.openCommand});
  plan.push_back(step::DeleteKey{RootKey::kLocalMachine, u"SOFTWARE\\Classes\\Lumora\\DefaultIcon"});
  plan.push_back(step::SetDefaultValue{RootKey::kClassesRoot, u"Applications\\l_mora64.exe\\shell\\open\\command",
                                       paths.openCommand});
  plan.push_back(step::SetNamedValues{RootKey::kClassesRoot,
                                      u"Applications\\l_mora64.exe",
                                      platform::kKeyAllAccess,
                                      {{u"FriendlyAppName", std::u16string(u"Lumora 64-bit")}}});
}

void RegisterUninstallEntry(RegistrationPlan& plan, const InstallPaths& paths) {
  const std::u16string version = ProductVersionText();
  plan.push_back(step::SetDefaultValue{RootKey::kLocalMachine, kUninstallKey, u""});
  plan.push_back(step::SetNamedValues{
      RootKey::kLocalMachine,
      kUninstallKey,
      platform::kKeyAllAccess,
      {
          {u"DisplayName", u"Lumora " + version + u" (64-bit)"},
          {u"UninstallString", u"\"" + paths.installFolder + kUninstallerFileName + u"\""},
          {u"Publisher", std::u16string(u"Dravenko")},
          {u"InstallLocation", paths.installFolder},
          {u"DisplayVersion", version},
          {u"DisplayIcon", paths.viewerPath + u",0"},
          {u"VersionMajor", static_cast<std::uint32_t>(kProductVersionMajor)},
          {u"VersionMinor", static_cast<std::uint32_t>(kProductVersionMinor)},
          {u"EstimatedSize", kEstimatedSizeKilobytes},
      }});
}

void RegisterApplicationCapabilities(RegistrationPlan& plan, const InstallPaths& paths) {
  plan.push_back(step::CreateKey{RootKey::kLocalMachine, kApplicationKey});
  plan.push_back(step::SetDefaultValue{RootKey::kLocalMachine, u"SOFTWARE\\Lumora\\shell\\open\\command",
                                       u"\"" + paths.viewerPath + u"\""});
  plan.push_back(step::SetNamedValues{
      RootKey::kLocalMachine,
      kCapabilitiesKey,
      std::nullopt,
      {{u"ApplicationDescription",
        std::u16string(u"Picture viewer, editor and converter - one of the most popular viewers worldwide")}}});
  plan.push_back(step::CreateKey{RootKey::kLocalMachine, kCapabilityAssociationsKey});
  plan.push_back(step::SetNamedValues{RootKey::kLocalMachine,
                                      u"SOFTWARE\\RegisteredApplications",
                                      platform::kKeySetValue,
                                      {{u"Lumora", std::u16string(kCapabilitiesKey)}}});
}

RegistrationPlan PlanRegistration(const RegistrationInputs& inputs) {
  const InstallPaths paths = ResolveInstallPaths(inputs.destinationFolder);
  RegistrationPlan plan;
  CreateShortcuts(plan, inputs, paths);
  if (inputs.thumbnailsShortcut != 0) RegisterFolderVerbs(plan, paths);
  RegisterApplicationClass(plan, paths);
  RegisterUninstallEntry(plan, paths);
  RegisterApplicationCapabilities(plan, paths);
  RegisterAssociations(plan, paths.viewerPath, paths.openCommand, inputs.associations, inputs.registerAssociations,
                       inputs.windowsVersionClass);
  return plan;
}

}  // namespace lumora
