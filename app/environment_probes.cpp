#include "app/environment_probes.h"

namespace lumora {
namespace {

using platform::RootKey;
using platform::ScopedKey;

constexpr std::uint32_t kFirstWindows11Build = 22000;
constexpr char16_t kCurrentVersionKey[] = u"Software\\Microsoft\\Windows\\CurrentVersion";
constexpr char16_t kOpenCommandKey[] = u"SOFTWARE\\Classes\\Lumora\\shell\\open\\command";
constexpr char16_t kViewerExecutableName[] = u"l_mora64.exe";

// The one piece of process-wide state the probes keep.
int windowsVersionClass = 0;

// The string value `name` of `subKey` under HKEY_LOCAL_MACHINE; nullopt when the key
// cannot be opened or the value cannot be read into 260 units.
std::optional<std::u16string> ReadMachineString(platform::Registry& registry, const std::u16string& subKey,
                                                const std::u16string& name) {
  ScopedKey key(registry);
  if (key.Open(RootKey::kLocalMachine, subKey, platform::kKeyQueryValue) != platform::kRegistrySuccess) {
    return std::nullopt;
  }
  std::u16string text;
  if (registry.QueryStringValue(key.Get(), name, kRegistryPathCapacityBytes, text) != platform::kRegistrySuccess) {
    return std::nullopt;
  }
  return text;
}

}  // namespace

int ClassifyWindowsVersion(const std::optional<platform::TrueVersion>& trueVersion,
                           const VersionAtLeastTest& isAtLeast) {
  const std::uint32_t major = trueVersion ? trueVersion->major : 0;
  if (major >= 10) return trueVersion->build >= kFirstWindows11Build ? kWindows11 : kWindows10;
  if (isAtLeast(6, 2, 0)) return kWindows8;
  if (isAtLeast(6, 1, 0)) return kWindows7;
  if (isAtLeast(6, 0, 0)) return kWindowsVista;
  if (!isAtLeast(5, 1, 0)) return kWindowsOlder;
  return isAtLeast(5, 1, 3) ? kWindowsXpSp3 : kWindowsXpBeforeSp3;
}

int GetWindowsVersionClass(platform::System& system) {
  return ClassifyWindowsVersion(system.GetTrueVersion(),
                                [&system](std::uint16_t major, std::uint16_t minor, std::uint16_t servicePack) {
                                  return IsWindowsAtLeast(system, major, minor, servicePack);
                                });
}

int CachedWindowsVersionClass(platform::System& system) {
  if (windowsVersionClass == 0) windowsVersionClass = GetWindowsVersionClass(system);
  return windowsVersionClass;
}

void ResetWindowsVersionClassCacheForTesting() { windowsVersionClass = 0; }

bool IsWindowsAtLeast(platform::System& system, std::uint16_t major, std::uint16_t minor,
                      std::uint16_t servicePackMajor) {
  return system.IsVersionAtLeast(major, minor, servicePackMajor);
}

int GetDefaultInstallFolder(platform::Registry& registry, std::u16string& out) {
  out = u"C:\\Lumora\\";
  std::optional<std::u16string> programFiles = ReadMachineString(registry, kCurrentVersionKey, u"ProgramFilesDir");
  if (!programFiles) return 1;
  if (programFiles->empty() || programFiles->back() != u'\\') programFiles->push_back(u'\\');
  *programFiles += u"Lumora";
  out = std::move(*programFiles);
  return 1;
}

int FindPreviousInstallFolder(platform::Registry& registry, std::u16string& out) {
  out.clear();
  ScopedKey key(registry);
  if (key.Open(RootKey::kLocalMachine, kOpenCommandKey, platform::kKeyQueryValue) != platform::kRegistrySuccess) {
    return 0;
  }
  std::u16string command;
  if (registry.QueryStringValue(key.Get(), u"", kRegistryPathCapacityBytes, command) != platform::kRegistrySuccess) {
    command.clear();
  }
  key.Reset();
  // A command of another program is not an earlier installation of this one.
  if (command.empty() || command.find(kViewerExecutableName) == std::u16string::npos) return 0;

  // The first unit is taken for the opening quote, whatever it is.
  const std::size_t closingQuote = command.find(u'"', 1);
  const std::u16string viewerPath =
      command.substr(1, closingQuote == std::u16string::npos ? std::u16string::npos : closingQuote - 1);
  std::u16string folder = DriveAndFolderOf(viewerPath);
  if (folder.empty() || folder.back() != u'\\') folder.push_back(u'\\');
  out = std::move(folder);
  return 1;
}

std::u16string DriveAndFolderOf(const std::u16string& path) {
  const std::size_t driveLength = path.size() >= 2 && path[1] == u':' ? 2 : 0;
  const std::size_t lastSeparator = path.find_last_of(u"\\/");
  if (lastSeparator == std::u16string::npos || lastSeparator < driveLength) return path.substr(0, driveLength);
  return path.substr(0, lastSeparator + 1);
}

}  // namespace lumora
