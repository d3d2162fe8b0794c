#include "wizard/machine_queries.h"

#include <windows.h>

#include "app/environment_probes.h"
#include "platform/win32/win32_platform.h"

namespace lumora::machine {

std::u16string InitialDestinationFolder() {
  platform::win32::Win32Machine seam;
  std::u16string folder;
  GetDefaultInstallFolder(seam.platform.registry, folder);
  std::u16string previous;
  if (FindPreviousInstallFolder(seam.platform.registry, previous)) folder = previous;
  return folder;
}

bool IsWindowsSixOrLater() {
  platform::win32::Win32Machine seam;
  return IsWindowsAtLeast(seam.platform.system, 6, 0, 0);
}

int WindowsVersionClass() {
  platform::win32::Win32Machine seam;
  return CachedWindowsVersionClass(seam.platform.system);
}

bool ViewerIsRunning() { return ::FindWindowW(L"Lumora", nullptr) != nullptr; }

}  // namespace lumora::machine
