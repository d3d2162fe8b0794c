#pragma once
// What the wizard's pages ask of the machine, each answered through the Win32 side
// of the platform seam at the moment of asking.
#include <string>

namespace lumora::machine {

// The folder box's first text: the earlier installation's folder when there is one,
// else the default installation folder.
std::u16string InitialDestinationFolder();
// Windows 6.0 or later (VerifyVersionInfoW).
bool IsWindowsSixOrLater();
// The process-wide Windows version class (11 for Windows 11).
int WindowsVersionClass();
// A window of the viewer's class "Lumora" exists.
bool ViewerIsRunning();

}  // namespace lumora::machine
