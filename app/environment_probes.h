#pragma once
// Read-only questions about the machine: which Windows runs (as a small class
// number), the default installation folder, and where an earlier installation of the
// viewer lives. Nothing here writes anything.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "platform/registry.h"
#include "platform/system.h"

namespace lumora {

// WindowsVersionClass values. There is no class 2, 3, 4 or 9.
enum WindowsVersionClassValue : int {
  kWindowsOlder = 0,
  kWindowsXpBeforeSp3 = 1,
  kWindowsXpSp3 = 5,
  kWindowsVista = 6,
  kWindows7 = 7,
  kWindows8 = 8,  // 8 and 8.1: no test looks at 6.3
  kWindows10 = 10,
  kWindows11 = 11,
};

// Answers "is the running system at least major.minor with this service pack".
using VersionAtLeastTest = std::function<bool(std::uint16_t major, std::uint16_t minor, std::uint16_t servicePack)>;

// The class from the true version (nullopt when RtlGetVersion is missing: major 0)
// and the greater-or-equal tests, made in the documented order and only as needed.
int ClassifyWindowsVersion(const std::optional<platform::TrueVersion>& trueVersion, const VersionAtLeastTest& isAtLeast);

// The class of the running system, computed afresh.
int GetWindowsVersionClass(platform::System& system);

// The process-wide WindowsVersionClass cache: computed while it holds 0, so a machine
// of class 0 is classified again at each use. UI thread only.
int CachedWindowsVersionClass(platform::System& system);
// Tests only: forget the cached class.
void ResetWindowsVersionClassCacheForTesting();

// VerifyVersionInfoW with greater-or-equal on major, minor and service-pack major.
bool IsWindowsAtLeast(platform::System& system, std::uint16_t major, std::uint16_t minor,
                      std::uint16_t servicePackMajor);

// Registry values are read into 260 UTF-16 units (520 bytes) with the terminator; a
// longer value counts as unreadable.
inline constexpr std::uint32_t kRegistryPathCapacityBytes = 260 * sizeof(char16_t);

// "ProgramFilesDir" with "\Lumora" appended (no trailing backslash), or "C:\Lumora\"
// when it cannot be read. Always returns 1.
int GetDefaultInstallFolder(platform::Registry& registry, std::u16string& out);

// The folder of the viewer named by an earlier installation's open command, ending
// with a backslash, and 1; an empty text and 0 when there is none.
int FindPreviousInstallFolder(platform::Registry& registry, std::u16string& out);

// The drive and folder parts of a path as the runtime's wide path split finds them:
// a drive only when the second unit is a colon, the folder up to the last "\" or "/".
std::u16string DriveAndFolderOf(const std::u16string& path);

}  // namespace lumora
