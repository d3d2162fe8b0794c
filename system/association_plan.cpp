#include "system/association_plan.h"

#include "app/environment_probes.h"
#include "platform/registry.h"
#include "system/file_type_table.h"

namespace lumora {
namespace {

using platform::RootKey;

// The built-in apps of Windows 10 that would otherwise claim images and media.
constexpr const char16_t* kAppXProgIds[] = {
    u"AppXvhc4p7vz4b485xfp46hhk3fq3grkdgjg", u"AppXk0g4vb8gvt7b93tg50ybcy892pge6jmt",
    u"AppX43hnxtbyyps62jhe9sqpdzxn1790zetc", u"AppX9rkaq77s0jzh1tyccadx9ghba15r6t3h",
    u"AppX6eg8h5sxqq90pv53845wmnbewywdqq5h",
};

// ASCII letters only: the table holds nothing else.
std::u16string UpperAscii(std::u16string_view text) {
  std::u16string upper(text);
  for (char16_t& unit : upper) {
    if (unit >= u'a' && unit <= u'z') unit = static_cast<char16_t>(unit - u'a' + u'A');
  }
  return upper;
}

bool EqualsIgnoringAsciiCase(std::u16string_view left, std::u16string_view right) {
  return UpperAscii(left) == UpperAscii(right);
}

// The extensions whose default is taken over even when their row is not chosen.
bool IsAlwaysTakenOver(std::u16string_view extension) {
  return EqualsIgnoringAsciiCase(extension, u"JPG") || EqualsIgnoringAsciiCase(extension, u"PNG") ||
         EqualsIgnoringAsciiCase(extension, u"TIF");
}

std::u16string ClassesKey(std::u16string_view name) { return u"SOFTWARE\\Classes\\" + std::u16string(name); }

// ".<extension>": the extension key's last part and the capability value's name.
std::u16string DottedExtension(std::u16string_view extension) {
  std::u16string dotted(1, u'.');
  dotted += extension;
  return dotted;
}

std::u16string ExplorerChoiceKey(std::u16string_view extension) {
  return u"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts\\." + std::u16string(extension) +
         u"\\UserChoice";
}

}  // namespace

std::u16string ProgIdFor(std::u16string_view progIdSuffix) { return u"Lumora." + std::u16string(progIdSuffix); }

void RegisterCapabilityAssociation(RegistrationPlan& plan, std::u16string_view extension,
                                   std::u16string_view progIdSuffix) {
  plan.push_back(step::SetNamedValues{RootKey::kLocalMachine,
                                      kCapabilityAssociationsKey,
                                      platform::kKeySetValue,
                                      {{DottedExtension(extension), ProgIdFor(progIdSuffix)}}});
}

void RegisterFileAssociation(RegistrationPlan& plan, std::u16string_view extension, std::u16string_view progIdSuffix,
                             const std::u16string& openCommand, const std::u16string& iconString,
                             std::int32_t selected) {
  const std::u16string progId = ProgIdFor(progIdSuffix);
  const std::u16string progIdKey = ClassesKey(progId);
  if (selected != 0 || IsAlwaysTakenOver(extension)) {
    plan.push_back(step::SetDefaultValue{RootKey::kLocalMachine, ClassesKey(DottedExtension(extension)), progId});
  }
  plan.push_back(
      step::SetDefaultValue{RootKey::kLocalMachine, progIdKey, u"Lumora " + UpperAscii(progIdSuffix) + u" File"});
  plan.push_back(step::SetDefaultValue{RootKey::kLocalMachine, progIdKey + u"\\shell\\open\\command", openCommand});
  plan.push_back(step::SetDefaultValue{RootKey::kLocalMachine, progIdKey + u"\\DefaultIcon", iconString});
  RegisterCapabilityAssociation(plan, extension, progIdSuffix);
  if (selected != 0) {
    const std::u16string choiceKey = ExplorerChoiceKey(extension);
    plan.push_back(step::DeleteKey{RootKey::kCurrentUser, choiceKey});
    plan.push_back(step::SetNamedValues{RootKey::kCurrentUser, choiceKey, std::nullopt, {{u"Progid", progId}}});
  }
}

void SuppressAppXOpenWith(RegistrationPlan& plan) {
  for (const char16_t* appXProgId : kAppXProgIds) {
    plan.push_back(step::SetNamedValues{
        RootKey::kCurrentUser, ClassesKey(appXProgId), std::nullopt, {{u"NoOpenWith", std::u16string()}}});
  }
}

void RegisterAssociations(RegistrationPlan& plan, const std::u16string& viewerPath, const std::u16string& openCommand,
                          const AssociationSelection& selection, std::int32_t registerAssociations,
                          int windowsVersionClass) {
  const auto table = FileTypeTable();
  for (std::size_t row = 0; row < table.size(); ++row) {
    const std::u16string iconString = IconString(table[row].iconSource, viewerPath);
    for (const ExtensionRegistration& registration : table[row].registrations) {
      RegisterFileAssociation(plan, registration.extension, registration.progIdSuffix, openCommand, iconString,
                              selection[row]);
    }
  }
  if (registerAssociations == 0) return;
  if (windowsVersionClass == kWindows10) SuppressAppXOpenWith(plan);
  plan.push_back(step::ReloadSystemIcons{});
  plan.push_back(step::NotifyAssociationsChanged{});
}

}  // namespace lumora
