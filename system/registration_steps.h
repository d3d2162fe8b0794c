#pragma once
// The steps of the registration pass as data. The plan builders only append steps to
// a RegistrationPlan; nothing touches the machine until ExecuteRegistrationPlan
// applies the list in order. Tests compare plans step by step.
#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "platform/registry.h"
#include "platform/shell.h"

namespace lumora {
namespace step {

using platform::RootKey;

// RegSetValueW: creates the key when missing and sets its default value.
struct SetDefaultValue {
  RootKey root;
  std::u16string subKey;
  std::u16string text;
  bool operator==(const SetDefaultValue&) const = default;
};

// One named value: REG_SZ text or a REG_DWORD.
struct NamedValue {
  std::u16string name;
  std::variant<std::u16string, std::uint32_t> data;
  bool operator==(const NamedValue&) const = default;
};

// Opens the key with `openAccess` (RegOpenKeyExW), or creates it when `openAccess` is
// absent (RegCreateKeyW), sets the values in order and closes it. A key that cannot
// be opened or created skips exactly these values.
struct SetNamedValues {
  RootKey root;
  std::u16string subKey;
  std::optional<std::uint32_t> openAccess;
  std::vector<NamedValue> values;
  bool operator==(const SetNamedValues&) const = default;
};

// RegCreateKeyW and close: a key that must exist but holds no value of its own.
struct CreateKey {
  RootKey root;
  std::u16string subKey;
  bool operator==(const CreateKey&) const = default;
};

// RegDeleteKeyW; a missing key is no error.
struct DeleteKey {
  RootKey root;
  std::u16string subKey;
  bool operator==(const DeleteKey&) const = default;
};

// Resolves the special folder (the Windows folder when it cannot be resolved),
// appends `groupName` and creates every missing level: the program group folder that
// later link steps in the group use.
struct MakeProgramGroupFolder {
  int csidl;
  std::u16string groupName;
  bool operator==(const MakeProgramGroupFolder&) const = default;
};

// One shell link file. It goes to the special folder `specialFolder` (the Windows
// folder when it cannot be resolved), or, when that is absent, to the program group
// folder made by the last MakeProgramGroupFolder step.
struct MakeLink {
  std::optional<int> specialFolder;
  std::u16string name;
  platform::ShellLink link;
  bool operator==(const MakeLink&) const = default;
};

// Deletes a link of an earlier version from the program group folder; a missing file
// is no error.
struct DeleteOldLink {
  std::u16string name;
  bool operator==(const DeleteOldLink&) const = default;
};

// SystemParametersInfoW(SPI_SETICONS, ...).
struct ReloadSystemIcons {
  bool operator==(const ReloadSystemIcons&) const = default;
};

// SHChangeNotify(SHCNE_ASSOCCHANGED, ...).
struct NotifyAssociationsChanged {
  bool operator==(const NotifyAssociationsChanged&) const = default;
};

}  // namespace step

using RegistrationStep =
    std::variant<step::SetDefaultValue, step::SetNamedValues, step::CreateKey, step::DeleteKey,
                 step::MakeProgramGroupFolder, step::MakeLink, step::DeleteOldLink, step::ReloadSystemIcons,
                 step::NotifyAssociationsChanged>;
using RegistrationPlan = std::vector<RegistrationStep>;

}  // namespace lumora
