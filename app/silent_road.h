#pragma once
// The silent road: install from command-line options without any window, refusing
// while the viewer runs, and leave failures in the installation log.
#include <functional>
#include <string>

#include "app/setup_options.h"
#include "platform/platform.h"

namespace lumora {

// The process exit codes of a silent run. Scripts depend on these numbers: never
// change one, only add new ones at the end.
enum SilentExitCode : int {
  kSilentExitInstalled = 0,
  kSilentExitInstallationFailed = 1,
  kSilentExitViewerRunning = 2,  // refused: nothing read, nothing installed
};

// Runs one installation with the record and returns 1 for success, 0 for failure;
// it reports its own failures.
using InstallFunction = std::function<int(SetupOptions&)>;

// With a viewer window present, logs string-table entry 10 and installs nothing;
// otherwise fills the record from the defaults and the options and installs once.
int RunSilentRoad(platform::Platform& platform, const std::u16string& commandLine, const InstallFunction& install);

}  // namespace lumora
