#pragma once
// Readable failure messages for registration steps: one line per step.
#include <cstdio>
#include <ostream>
#include <string>

#include "system/registration_steps.h"

namespace lumora::step {

inline std::string Narrow(const std::u16string& text) {
  std::string out;
  for (char16_t unit : text) {
    if (unit >= 0x20 && unit < 0x7F) {
      out += static_cast<char>(unit);
    } else {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04X", static_cast<unsigned>(unit));
      out += escaped;
    }
  }
  return out;
}

inline const char* RootName(RootKey root) {
  switch (root) {
    case RootKey::kLocalMachine: return "HKLM";
    case RootKey::kCurrentUser: return "HKCU";
    case RootKey::kClassesRoot: return "HKCR";
  }
  return "?";
}

inline std::string Quoted(const std::u16string& text) { return "\"" + Narrow(text) + "\""; }
inline std::string Quoted(const std::optional<std::u16string>& text) { return text ? Quoted(*text) : "-"; }

inline void PrintTo(const SetDefaultValue& s, std::ostream* os) {
  *os << "SetDefaultValue " << RootName(s.root) << ' ' << Quoted(s.subKey) << " = " << Quoted(s.text);
}
inline void PrintTo(const SetNamedValues& s, std::ostream* os) {
  *os << "SetNamedValues " << RootName(s.root) << ' ' << Quoted(s.subKey) << ' ';
  if (s.openAccess) *os << "open 0x" << std::hex << *s.openAccess << std::dec; else *os << "create";
  for (const NamedValue& value : s.values) {
    *os << ' ' << Quoted(value.name) << '=';
    if (const auto* text = std::get_if<std::u16string>(&value.data)) *os << Quoted(*text);
    else *os << "dword:" << std::get<std::uint32_t>(value.data);
  }
}
inline void PrintTo(const CreateKey& s, std::ostream* os) {
  *os << "CreateKey " << RootName(s.root) << ' ' << Quoted(s.subKey);
}
inline void PrintTo(const DeleteKey& s, std::ostream* os) {
  *os << "DeleteKey " << RootName(s.root) << ' ' << Quoted(s.subKey);
}
inline void PrintTo(const MakeProgramGroupFolder& s, std::ostream* os) {
  *os << "MakeProgramGroupFolder csidl " << s.csidl << ' ' << Quoted(s.groupName);
}
inline void PrintTo(const MakeLink& s, std::ostream* os) {
  *os << "MakeLink ";
  if (s.specialFolder) *os << "csidl " << *s.specialFolder; else *os << "group";
  *os << ' ' << Quoted(s.name) << " target " << Quoted(s.link.target) << " args " << Quoted(s.link.arguments)
      << " icon " << Quoted(s.link.iconFile) << ',' << s.link.iconIndex << " description "
      << Quoted(s.link.description);
}
inline void PrintTo(const DeleteOldLink& s, std::ostream* os) { *os << "DeleteOldLink " << Quoted(s.name); }
inline void PrintTo(const ReloadSystemIcons&, std::ostream* os) { *os << "ReloadSystemIcons"; }
inline void PrintTo(const NotifyAssociationsChanged&, std::ostream* os) { *os << "NotifyAssociationsChanged"; }

}  // namespace lumora::step
