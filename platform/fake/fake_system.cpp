// FakeSystem: every answer is one of its public fields.
#include <tuple>

#include "platform/fake/cp1252.h"
#include "platform/fake/fake_platform.h"
#include "platform/fake/fake_text.h"

namespace lumora::platform::fake {

std::optional<TrueVersion> FakeSystem::GetTrueVersion() { return trueVersion; }

bool FakeSystem::IsVersionAtLeast(std::uint16_t major, std::uint16_t minor, std::uint16_t servicePack) {
  return std::tie(versionMajor, versionMinor, servicePackMajor) >= std::tie(major, minor, servicePack);
}

std::u16string FakeSystem::GetSystemFolder() { return systemFolder; }
std::u16string FakeSystem::GetWindowsFolder() { return windowsFolder; }

bool FakeSystem::GetSpecialFolder(int csidl, std::u16string& folder) {
  auto it = specialFolders.find(csidl);
  if (it == specialFolders.end()) return false;
  folder = it->second;
  return true;
}

std::optional<std::u16string> FakeSystem::FindEnvironmentVariable(const std::u16string& name) {
  for (const auto& [key, value] : environment)
    if (detail::EqualsNoCase(key, name)) return value;
  return std::nullopt;
}

int FakeSystem::GetDisplayDpiX() { return displayDpiX; }
int FakeSystem::GetScreenDpiX() { return screenDpiX; }
int FakeSystem::GetFullScreenHeight() { return fullScreenHeight; }
LocalTime FakeSystem::GetLocalTime() { return localTime; }
std::u16string FakeSystem::FormatShortDate(const LocalTime&) { return shortDate; }
bool FakeSystem::ViewerWindowExists() { return viewerRunning; }
std::u16string FakeSystem::AnsiToUtf16(std::string_view bytes) { return Cp1252ToUtf16(bytes); }

std::optional<VersionResource> FakeSystem::ReadVersionResource(const std::u16string& path) {
  if (versionLibraryMissing) return std::nullopt;
  auto normal = [](std::u16string text) {
    for (char16_t& c : text)
      if (c == u'/') c = u'\\';
    return detail::Fold(text);
  };
  const std::u16string wanted = normal(path);
  for (const auto& [key, resource] : versionResources)
    if (normal(key) == wanted) return resource;
  return std::nullopt;
}

}  // namespace lumora::platform::fake
