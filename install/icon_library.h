#pragma once
// The icon library rule: an icon library installed earlier in "Plugins" stays unless
// it is the maker's own older release, which the archive's copy replaces.
#include <string>
#include <string_view>

#include "platform/platform.h"

namespace lumora {

// Publishers are cut to this many units.
inline constexpr std::size_t kCompanyNameMaxUnits = 259;

// Reads the version resource of `path`. On success (1) `versionOut` holds "%d.%d%d"
// of the product version's major and minor and the file version's third number
// ("4.30" for product 4.3, file 4.3.0.x) and, when given, `companyOut` the
// CompanyName cut to 259 units, or empty when the resource has none. 0 when the
// file or its version resource cannot be read; the outputs are then unchanged.
int ReadIconLibraryVersion(platform::System& system, const std::u16string& path, std::u16string& versionOut,
                           std::u16string* companyOut);

// A version text as a comparable number: read as a decimal floating-point number the
// way the C runtime's conversion reads it (leading white space, optional sign,
// digits with an optional point and exponent, stopping at the first other
// character, 0 without a number), narrowed to single precision, multiplied by 1000
// in single precision and truncated toward zero. "4.30" gives 4300.
int IconLibraryVersionValue(std::u16string_view text);

// True when "Icons.dll" in the "Plugins" folder of `destinationFolder` (which ends
// with a backslash) stays: a newer library than 4.30; a 4.30 that cannot be opened
// or whose size is not the maker's 226,816 bytes; or a library up to 4.30 from any
// publisher but "Dravenko" (compared ignoring case). False when the library is
// missing or has no version resource, so the archive's copy is written.
bool KeepInstalledIconLibrary(platform::Platform& platform, const std::u16string& destinationFolder);

}  // namespace lumora
