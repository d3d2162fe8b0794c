#pragma once
// The silent road's command-line grammar, apart from every platform call: it depends
// only on the command-line text and on what the registry probes found.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "app/setup_options.h"

namespace lumora {

// Options are looked for in the first 519 units of the command line only.
inline constexpr std::size_t kCommandLineWorkUnits = 519;
// An option's value takes at most this many units minus the length of its prefix.
inline constexpr std::size_t kOptionValueBudget = 260;

// A case-sensitive search for "/silent" anywhere in the line, also at the start of a
// longer word.
bool HasSilentSwitch(std::u16string_view commandLine);

// Reads an option's number the way the runtime's decimal conversion does: leading
// white space skipped, an optional sign, digits up to the first other unit, 0 without
// digits, held at the nearest 32-bit limit beyond the range.
std::int32_t ReadOptionNumber(std::u16string_view value);

// The value of the first occurrence of `prefix` in `text`: from right after the prefix
// to the first "/" or the end, at most 260 minus the prefix's length units; nullopt
// when the prefix does not occur.
std::optional<std::u16string> FindOptionValue(std::u16string_view text, std::u16string_view prefix);

// The record of a silent installation: the defaults (the earlier installation's
// folder with no INI redirection, or else `defaultFolder` with the settings in
// "%APPDATA%\Lumora"), then the options "/folder=", "/desktop=", "/thumbs=",
// "/group=", "/allusers=", "/assoc=" and "/ini=" found in the first 519 units.
SetupOptions ParseSilentOptions(std::u16string_view commandLine, const std::optional<std::u16string>& previousFolder,
                                const std::u16string& defaultFolder);

}  // namespace lumora
