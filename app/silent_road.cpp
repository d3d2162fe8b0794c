#include "app/silent_road.h"

#include <optional>

#include "app/command_line.h"
#include "app/environment_probes.h"
#include "install/install_log.h"
#include "res/string_table.h"

namespace lumora {

int RunSilentRoad(platform::Platform& platform, const std::u16string& commandLine, const InstallFunction& install) {
  if (platform.system.ViewerWindowExists()) {
    AppendToInstallLog(platform.files, platform.system, platform.resources.LoadText(IDS_VIEWER_RUNNING));
    return kSilentExitViewerRunning;
  }

  std::optional<std::u16string> previousFolder;
  std::u16string defaultFolder;
  std::u16string found;
  if (FindPreviousInstallFolder(platform.registry, found)) {
    previousFolder = std::move(found);
  } else {
    GetDefaultInstallFolder(platform.registry, defaultFolder);
  }

  SetupOptions options = ParseSilentOptions(commandLine, previousFolder, defaultFolder);
  return install(options) != 0 ? kSilentExitInstalled : kSilentExitInstallationFailed;
}

}  // namespace lumora
