#pragma once
// The INI folder as the user or the command line gave it may hold environment
// variable references (%NAME%); the setup program needs the real folder to create it
// and to write the viewer's settings there, while the viewer itself gets the text
// unexpanded.
#include <cstddef>
#include <string>

#include "platform/system.h"

namespace lumora {

// What the expansion supports; anything beyond is refused (see ExpandIniFolder).
inline constexpr std::size_t kIniFolderMaxUnits = 519;
inline constexpr std::size_t kVariableNameMaxUnits = 260;
inline constexpr std::size_t kVariableValueMaxUnits = 259;

// Expands every %NAME% reference, left to right. A reference runs from a "%" to the
// next "%" (consumed) or to the end of the text; an undefined variable, and the empty
// name of "%%", expand to nothing. Text without "%" comes back as it is.
// Refused, with an empty result, so that no settings land in a folder the user did
// not mean: a name of more than 260 units, a value of more than 259 units, or a
// result of more than 519 units.
std::u16string ExpandIniFolder(platform::System& system, const std::u16string& text);

}  // namespace lumora
