// Read-only probes of the machine over kernel32, user32, gdi32 and shell32.
#include <windows.h>
#include <shlobj.h>

#include <vector>

#include "platform/system.h"
#include "platform/win32/wide.h"
#include "platform/win32/win32_platform.h"

namespace lumora::platform::win32 {
namespace {

using RtlGetVersionFunction = LONG(WINAPI*)(OSVERSIONINFOW*);
using GetFileVersionInfoSizeFunction = DWORD(WINAPI*)(LPCWSTR, LPDWORD);
using GetFileVersionInfoFunction = BOOL(WINAPI*)(LPCWSTR, DWORD, DWORD, LPVOID);
using VerQueryValueFunction = BOOL(WINAPI*)(LPCVOID, LPCWSTR, LPVOID*, PUINT);

std::u16string WithBackslash(std::u16string folder) {
  if (folder.empty() || folder.back() != u'\\') folder.push_back(u'\\');
  return folder;
}

// Resolves a function exported by a loaded module into a typed pointer.
template <typename Function>
Function ExportOf(HMODULE module, const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

class Win32System final : public System {
 public:
  std::optional<TrueVersion> GetTrueVersion() override {
    HMODULE ntdll = GetModuleHandleA("ntdll");
    if (!ntdll) return std::nullopt;
    auto rtlGetVersion = ExportOf<RtlGetVersionFunction>(ntdll, "RtlGetVersion");
    if (!rtlGetVersion) return std::nullopt;
    RTL_OSVERSIONINFOW info = {};
    info.dwOSVersionInfoSize = sizeof(info);  // 276 bytes
    rtlGetVersion(reinterpret_cast<OSVERSIONINFOW*>(&info));
    return TrueVersion{info.dwMajorVersion, info.dwMinorVersion, info.dwBuildNumber};
  }

  bool IsVersionAtLeast(std::uint16_t major, std::uint16_t minor, std::uint16_t servicePackMajor) override {
    OSVERSIONINFOEXW info = {};
    info.dwOSVersionInfoSize = sizeof(info);  // 284 bytes
    info.dwMajorVersion = major;
    info.dwMinorVersion = minor;
    info.wServicePackMajor = servicePackMajor;
    DWORDLONG mask = 0;
    mask = VerSetConditionMask(mask, VER_MAJORVERSION, VER_GREATER_EQUAL);
    mask = VerSetConditionMask(mask, VER_MINORVERSION, VER_GREATER_EQUAL);
    mask = VerSetConditionMask(mask, VER_SERVICEPACKMAJOR, VER_GREATER_EQUAL);
    return VerifyVersionInfoW(&info, VER_MAJORVERSION | VER_MINORVERSION | VER_SERVICEPACKMAJOR, mask) != FALSE;
  }

  std::u16string GetSystemFolder() override {
    wchar_t buffer[MAX_PATH] = {};
    const UINT length = GetSystemDirectoryW(buffer, MAX_PATH);
    return length == 0 || length >= MAX_PATH ? std::u16string() : FromWide(buffer, length);
  }

  std::u16string GetWindowsFolder() override {
    wchar_t buffer[MAX_PATH] = {};
    const UINT length = GetWindowsDirectoryW(buffer, MAX_PATH);
    return length == 0 || length >= MAX_PATH ? std::u16string() : FromWide(buffer, length);
  }

  bool GetSpecialFolder(int csidl, std::u16string& folder) override {
    LPITEMIDLIST items = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(GetActiveWindow(), csidl, &items)) || !items) return false;
    wchar_t buffer[MAX_PATH] = {};
    const BOOL found = SHGetPathFromIDListW(items, buffer);
    CoTaskMemFree(items);
    if (!found) return false;
    folder = FromWide(buffer);
    return true;
  }

  std::optional<std::u16string> FindEnvironmentVariable(const std::u16string& name) override {
    const DWORD needed = GetEnvironmentVariableW(Wide(name), nullptr, 0);
    if (needed == 0) return std::nullopt;
    std::vector<wchar_t> buffer(needed, L'\0');
    const DWORD length = GetEnvironmentVariableW(Wide(name), buffer.data(), needed);
    if (length >= needed) return std::nullopt;  // changed between the two calls
    return FromWide(buffer.data(), length);
  }

  int GetDisplayDpiX() override {
    HDC display = CreateDCW(L"DISPLAY", nullptr, nullptr, nullptr);
    if (!display) return 0;
    const int dpi = GetDeviceCaps(display, LOGPIXELSX);
    DeleteDC(display);
    return dpi;
  }

  int GetScreenDpiX() override {
    HDC screen = GetDC(nullptr);
    if (!screen) return 0;
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    return dpi;
  }

  int GetFullScreenHeight() override { return GetSystemMetrics(SM_CYFULLSCREEN); }

  LocalTime GetLocalTime() override {
    SYSTEMTIME now = {};
    ::GetLocalTime(&now);
    return LocalTime{now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
  }

  std::u16string FormatShortDate(const LocalTime& time) override {
    SYSTEMTIME date = {};
    date.wYear = time.year;
    date.wMonth = time.month;
    date.wDay = time.day;
    wchar_t buffer[256] = {};
    const int length = GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &date, nullptr, buffer, 256);
    return length <= 0 ? std::u16string() : FromWide(buffer);
  }

  bool ViewerWindowExists() override { return FindWindowW(L"Lumora", nullptr) != nullptr; }

  std::u16string AnsiToUtf16(std::string_view bytes) override {
    if (bytes.empty()) return std::u16string();
    const int size = static_cast<int>(bytes.size());
    const int units = MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, nullptr, 0);
    if (units <= 0) return std::u16string();
    std::u16string text(static_cast<std::size_t>(units), u'\0');
    MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, reinterpret_cast<wchar_t*>(text.data()), units);
    return text;
  }

  std::optional<VersionResource> ReadVersionResource(const std::u16string& path) override {
    // "version.dll" is taken from the system folder only, never by search path.
    std::u16string system = GetSystemFolder();
    if (system.empty()) return std::nullopt;
    const std::u16string libraryPath = WithBackslash(system) + u"version.dll";
    ScopedLibrary library(LoadLibraryW(Wide(libraryPath)));
    if (!library.Get()) return std::nullopt;
    auto getSize = ExportOf<GetFileVersionInfoSizeFunction>(library.Get(), "GetFileVersionInfoSizeW");
    auto getInfo = ExportOf<GetFileVersionInfoFunction>(library.Get(), "GetFileVersionInfoW");
    auto query = ExportOf<VerQueryValueFunction>(library.Get(), "VerQueryValueW");
    if (!getSize || !getInfo || !query) return std::nullopt;

    DWORD ignored = 0;
    const DWORD size = getSize(Wide(path), &ignored);
    if (size == 0) return std::nullopt;
    std::vector<unsigned char> data(size, 0);
    if (!getInfo(Wide(path), 0, size, data.data())) return std::nullopt;

    void* fixed = nullptr;
    UINT fixedSize = 0;
    if (!query(data.data(), L"\\", &fixed, &fixedSize) || !fixed || fixedSize < sizeof(VS_FIXEDFILEINFO))
      return std::nullopt;
    const auto* info = static_cast<const VS_FIXEDFILEINFO*>(fixed);
    VersionResource version;
    version.productVersionMS = info->dwProductVersionMS;
    version.productVersionLS = info->dwProductVersionLS;
    version.fileVersionMS = info->dwFileVersionMS;
    version.fileVersionLS = info->dwFileVersionLS;

    void* company = nullptr;
    UINT companyUnits = 0;
    if (query(data.data(), L"\\StringFileInfo\\040904E4\\CompanyName", &company, &companyUnits) && company) {
      const auto* text = static_cast<const wchar_t*>(company);
      std::size_t length = 0;
      while (length < companyUnits && text[length] != L'\0') ++length;
      version.companyName = FromWide(text, length);
    }
    return version;
  }
};

}  // namespace

std::unique_ptr<System> MakeSystem() { return std::make_unique<Win32System>(); }

}  // namespace lumora::platform::win32
