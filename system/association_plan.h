#pragma once
// The file-type side of the registration pass as plan builders: for every extension
// of the file type table a ProgID (name, open command, icon) and a capability value;
// for the chosen ones the extension's default and Explorer's per-user choice; then,
// when associations were asked for, the AppX step on Windows 10 and a shell refresh.
// Class keys go machine-wide under HKEY_LOCAL_MACHINE\SOFTWARE\Classes.
#include <cstdint>
#include <string>
#include <string_view>

#include "system/association_selection.h"
#include "system/registration_steps.h"

namespace lumora {

// Created by the application registration before the association pass adds to it.
inline constexpr char16_t kCapabilityAssociationsKey[] = u"SOFTWARE\\Lumora\\Capabilities\\FileAssociations";

// "Lumora.<suffix>".
std::u16string ProgIdFor(std::u16string_view progIdSuffix);

// The pass over every row of the table (slot 63 is not read). `windowsVersionClass`
// matters only when `registerAssociations` is non-zero.
void RegisterAssociations(RegistrationPlan& plan, const std::u16string& viewerPath, const std::u16string& openCommand,
                          const AssociationSelection& selection, std::int32_t registerAssociations,
                          int windowsVersionClass);

// The writes for one extension; `selected` is its row's slot. "jpg", "png" and "tif"
// point to the viewer after every installation, chosen or not.
void RegisterFileAssociation(RegistrationPlan& plan, std::u16string_view extension, std::u16string_view progIdSuffix,
                             const std::u16string& openCommand, const std::u16string& iconString,
                             std::int32_t selected);

// One value ".<extension>" = ProgID in the capability key, when that key opens.
void RegisterCapabilityAssociation(RegistrationPlan& plan, std::u16string_view extension,
                                   std::u16string_view progIdSuffix);

// "NoOpenWith" on the five per-user AppX ProgIDs of the Windows 10 built-in apps.
void SuppressAppXOpenWith(RegistrationPlan& plan);

}  // namespace lumora
