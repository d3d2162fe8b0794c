#pragma once
// The three strings the whole registration pass is built from, computed once from the
// destination folder and handed down to every step.
#include <string>

namespace lumora {

inline constexpr char16_t kViewerFileName[] = u"l_mora64.exe";
inline constexpr char16_t kUninstallerFileName[] = u"lm_uninstall.exe";

struct InstallPaths {
  // The destination folder without surrounding blanks, ending with one backslash.
  std::u16string installFolder;
  // installFolder + "l_mora64.exe".
  std::u16string viewerPath;
  // "\"<viewerPath>\" \"%1\"": the class keys' open command. A later setup run reads
  // the earlier installation's folder back from it, so its form must not change.
  std::u16string openCommand;
};

// The caller's folder text is not changed.
InstallPaths ResolveInstallPaths(const std::u16string& destinationFolder);

}  // namespace lumora
