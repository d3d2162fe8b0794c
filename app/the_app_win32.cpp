// The setup program's application object: its start-up hook prepares the process and
// takes the silent road ("/silent" on the command line) or the wizard road. The hook
// always returns FALSE, so no message loop runs and the process ends when it returns;
// a silent run's exit code is the silent road's.
#include <windows.h>

#include <commctrl.h>

#include <string>

#include "app/command_line.h"
#include "app/silent_road.h"
#include "framework/win_app.h"
#include "install/install_driver.h"
#include "platform/win32/wide.h"
#include "platform/win32/win32_platform.h"
#include "wizard/wizard_road.h"

namespace lumora {
namespace {

using platform::win32::FromWide;

constexpr DWORD kLoadLibrarySearchSystem32 = 0x800;
constexpr DWORD kAllCommonControlClasses = 0xFF;  // list, tree, bar, tab, up-down, progress, hot-key, animate
constexpr int kHeaderFontPoints = 18;
constexpr int kDefaultPixelsPerInch = 96;
constexpr LONG kBoldWeight = 700;

// Later library loads search the system folder only, where the system offers it.
void RestrictDllSearchToSystemFolder() {
  wchar_t systemFolder[MAX_PATH] = {};
  const UINT length = GetSystemDirectoryW(systemFolder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return;
  std::wstring kernelPath(systemFolder, length);
  if (kernelPath.back() != L'\\') kernelPath.push_back(L'\\');
  kernelPath += L"kernel32.dll";
  const HMODULE kernel = GetModuleHandleW(kernelPath.c_str());
  if (kernel == nullptr) return;
  const FARPROC address = GetProcAddress(kernel, "SetDefaultDllDirectories");
  if (address == nullptr) return;
  using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD);
  const auto setDefaultDllDirectories =
      reinterpret_cast<SetDefaultDllDirectoriesFunction>(reinterpret_cast<void*>(address));
  setDefaultDllDirectories(kLoadLibrarySearchSystem32);
}

void InitialiseCommonControls() {
  INITCOMMONCONTROLSEX classes{};
  classes.dwSize = sizeof(classes);
  classes.dwICC = kAllCommonControlClasses;
  InitCommonControlsEx(&classes);
}

// The screen's device context, released when it goes out of scope.
class ScreenDeviceContext {
 public:
  ScreenDeviceContext() : dc_(GetDC(nullptr)) {}
  ScreenDeviceContext(const ScreenDeviceContext&) = delete;
  ScreenDeviceContext& operator=(const ScreenDeviceContext&) = delete;
  ~ScreenDeviceContext() {
    if (dc_ != nullptr) ReleaseDC(nullptr, dc_);
  }
  HDC Get() const { return dc_; }

 private:
  HDC dc_;
};

// 96 when no screen device context can be had.
int ScreenPixelsPerInch() {
  const ScreenDeviceContext screen;
  return screen.Get() != nullptr ? GetDeviceCaps(screen.Get(), LOGPIXELSX) : kDefaultPixelsPerInch;
}

// The wizard's bold header font: 18 points scaled to the screen, as a cell height.
LOGFONTW MakeHeaderLogFont() {
  LOGFONTW font{};
  font.lfHeight = MulDiv(kHeaderFontPoints, ScreenPixelsPerInch(), kDefaultPixelsPerInch);
  font.lfWeight = kBoldWeight;
  font.lfQuality = ANTIALIASED_QUALITY;
  lstrcpynW(font.lfFaceName, L"Arial", LF_FACESIZE);
  return font;
}

}  // namespace

class TheApp : public CWinApp {
 public:
  ~TheApp() override = default;
  BOOL InitInstance() override;

  LOGFONTW headerLogFont{};
};

BOOL TheApp::InitInstance() {
  RestrictDllSearchToSystemFolder();
  InitialiseCommonControls();
  const std::u16string commandLine = FromWide(GetCommandLineW());
  if (HasSilentSwitch(commandLine)) {
    platform::win32::Win32Machine machine;
    const InstallFunction install = [&machine](SetupOptions& options) {
      return RunInstallation(machine.platform, options);
    };
    SetExitCode(RunSilentRoad(machine.platform, commandLine, install));
    return FALSE;
  }
  headerLogFont = MakeHeaderLogFont();
  RunWizardRoad(headerLogFont);
  return FALSE;
}

// The one application object, constructed before the entry runs.
TheApp theApp;

}  // namespace lumora
