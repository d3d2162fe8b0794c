// Shell links through IShellLinkW and IPersistFile, and the shell's refresh calls.
#include <windows.h>
#include <shlobj.h>
#include <shobjidl.h>

#include "platform/shell.h"
#include "platform/win32/com_win32.h"
#include "platform/win32/wide.h"
#include "platform/win32/win32_platform.h"

namespace lumora::platform::win32 {
namespace {

// The shell link class, defined here rather than taken from libuuid (see windows.cmake).
constexpr CLSID kShellLinkClass = {0x00021401, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

class Win32Shell final : public Shell {
 public:
  bool SaveLink(const ShellLink& link, const std::u16string& linkPath) override {
    // Each link runs in its own apartment, so a failure of one leaves nothing behind.
    ScopedComApartment apartment;
    ComPtr<IShellLinkW> shellLink;
    if (FAILED(CoCreateInstance(kShellLinkClass, nullptr, CLSCTX_INPROC_SERVER, __uuidof(IShellLinkW),
                                shellLink.OutVoid())) ||
        !shellLink)
      return false;
    ComPtr<IPersistFile> persistFile;
    if (FAILED(shellLink->QueryInterface(__uuidof(IPersistFile), persistFile.OutVoid())) || !persistFile) return false;

    if (link.iconFile) shellLink->SetIconLocation(Wide(*link.iconFile), link.iconIndex);
    shellLink->SetPath(Wide(link.target));
    if (link.arguments) shellLink->SetArguments(Wide(*link.arguments));
    if (link.description) shellLink->SetDescription(Wide(*link.description));
    return SUCCEEDED(persistFile->Save(Wide(linkPath), TRUE));
  }

  void ReloadSystemIcons() override {
    SystemParametersInfoW(SPI_SETICONS, 0, nullptr, SPIF_UPDATEINIFILE | SPIF_SENDCHANGE);
  }

  void NotifyAssociationsChanged() override { SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_FLUSHNOWAIT, nullptr, nullptr); }
};

}  // namespace

std::unique_ptr<Shell> MakeShell() { return std::make_unique<Win32Shell>(); }

}  // namespace lumora::platform::win32
