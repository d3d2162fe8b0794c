#include "system/registration_executor.h"

#include <string>
#include <variant>

#include "install/path_helpers.h"

namespace lumora {
namespace {

class RegistrationExecutor {
 public:
  explicit RegistrationExecutor(platform::Platform& platform) : platform_(platform) {}

  void operator()(const step::SetDefaultValue& write) {
    platform_.registry.SetDefaultValue(write.root, write.subKey, write.text);
  }

  void operator()(const step::SetNamedValues& write) {
    platform::ScopedKey key(platform_.registry);
    const long opened = write.openAccess ? key.Open(write.root, write.subKey, *write.openAccess)
                                         : key.Create(write.root, write.subKey);
    if (opened != platform::kRegistrySuccess) return;
    for (const step::NamedValue& value : write.values) {
      if (const auto* text = std::get_if<std::u16string>(&value.data)) {
        platform_.registry.SetStringValue(key.Get(), value.name, *text);
      } else {
        platform_.registry.SetDwordValue(key.Get(), value.name, std::get<std::uint32_t>(value.data));
      }
    }
  }

  void operator()(const step::CreateKey& create) {
    platform::ScopedKey key(platform_.registry);
    (void)key.Create(create.root, create.subKey);
  }

  void operator()(const step::DeleteKey& removal) { platform_.registry.DeleteKey(removal.root, removal.subKey); }

  void operator()(const step::MakeProgramGroupFolder& group) {
    programGroupFolder_ = ResolveSpecialFolder(group.csidl) + group.groupName;
    CreateFolderTree(platform_.files, programGroupFolder_);  // a missing group only loses its links
  }

  void operator()(const step::MakeLink& make) {
    const std::u16string folder = make.specialFolder ? ResolveSpecialFolder(*make.specialFolder) : programGroupFolder_;
    platform_.shell.SaveLink(make.link, folder + make.name);
  }

  void operator()(const step::DeleteOldLink& removal) {
    platform_.files.RemoveFile(programGroupFolder_ + removal.name);  // mostly: no such file
  }

  void operator()(const step::ReloadSystemIcons&) { platform_.shell.ReloadSystemIcons(); }
  void operator()(const step::NotifyAssociationsChanged&) { platform_.shell.NotifyAssociationsChanged(); }

 private:
  // The special folder, or the Windows folder when it cannot be resolved, ending with
  // a backslash.
  std::u16string ResolveSpecialFolder(int csidl) {
    std::u16string folder;
    if (!platform_.system.GetSpecialFolder(csidl, folder)) folder = platform_.system.GetWindowsFolder();
    if (folder.empty() || folder.back() != u'\\') folder += u'\\';
    return folder;
  }

  platform::Platform& platform_;
  std::u16string programGroupFolder_;  // made by the plan's MakeProgramGroupFolder step
};

}  // namespace

void ExecuteRegistrationPlan(platform::Platform& platform, const RegistrationPlan& plan) {
  RegistrationExecutor executor(platform);
  for (const RegistrationStep& step : plan) std::visit(executor, step);
}

}  // namespace lumora
