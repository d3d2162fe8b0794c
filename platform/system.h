#pragma once
// Read-only questions to the machine: version probes, folders, environment, display,
// local time, the viewer's window, the ANSI code page, version resources of files.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace lumora::platform {

// What RtlGetVersion reports: the true version, unaffected by compatibility settings.
struct TrueVersion {
  std::uint32_t major = 0;
  std::uint32_t minor = 0;
  std::uint32_t build = 0;
};

struct LocalTime {
  std::uint16_t year = 0, month = 0, day = 0;
  std::uint16_t hour = 0, minute = 0, second = 0;
};

// The parts of a file's version resource that the setup program reads.
struct VersionResource {
  std::uint32_t productVersionMS = 0;  // high word major, low word minor
  std::uint32_t productVersionLS = 0;
  std::uint32_t fileVersionMS = 0;
  std::uint32_t fileVersionLS = 0;
  // "\StringFileInfo\040904E4\CompanyName", when present.
  std::optional<std::u16string> companyName;
};

// CSIDL values of the special folders used for shortcuts.
enum SpecialFolder : int {
  kCsidlDesktop = 0,
  kCsidlPrograms = 2,
  kCsidlCommonPrograms = 23,
  kCsidlCommonDesktop = 25,
};

class System {
 public:
  virtual ~System() = default;
  // RtlGetVersion from ntdll; nullopt when the function cannot be found.
  virtual std::optional<TrueVersion> GetTrueVersion() = 0;
  // VerifyVersionInfoW with greater-or-equal on major, minor and service-pack major.
  virtual bool IsVersionAtLeast(std::uint16_t major, std::uint16_t minor, std::uint16_t servicePackMajor) = 0;
  // GetSystemDirectoryW / GetWindowsDirectoryW into 260 units; empty on failure.
  virtual std::u16string GetSystemFolder() = 0;
  virtual std::u16string GetWindowsFolder() = 0;
  // SHGetSpecialFolderLocation + SHGetPathFromIDListW; false when it cannot be resolved.
  virtual bool GetSpecialFolder(int csidl, std::u16string& folder) = 0;
  // The variable's whole value, nullopt when it does not exist.
  virtual std::optional<std::u16string> FindEnvironmentVariable(const std::u16string& name) = 0;
  // LOGPIXELSX of a display device context (CreateDCW "DISPLAY"); 0 when none can be had.
  virtual int GetDisplayDpiX() = 0;
  // LOGPIXELSX of the screen's device context (GetDC(NULL)); 0 when none can be had.
  virtual int GetScreenDpiX() = 0;
  // GetSystemMetrics(SM_CYFULLSCREEN).
  virtual int GetFullScreenHeight() = 0;
  virtual LocalTime GetLocalTime() = 0;
  // GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE) into 256 units; empty on failure.
  virtual std::u16string FormatShortDate(const LocalTime& time) = 0;
  // FindWindowW with the viewer's class "Lumora" and no title.
  virtual bool ViewerWindowExists() = 0;
  // MultiByteToWideChar(CP_ACP, 0, ...) of the whole byte string.
  virtual std::u16string AnsiToUtf16(std::string_view bytes) = 0;
  // The version resource of a file, read through "version.dll" of the system folder
  // (loaded by full path, never by search path); nullopt when any step fails.
  virtual std::optional<VersionResource> ReadVersionResource(const std::u16string& path) = 0;
};

}  // namespace lumora::platform
