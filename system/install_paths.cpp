#include "system/install_paths.h"

#include "install/path_helpers.h"

namespace lumora {

InstallPaths ResolveInstallPaths(const std::u16string& destinationFolder) {
  InstallPaths paths;
  paths.installFolder = destinationFolder;
  TrimBlanks(paths.installFolder);
  if (paths.installFolder.empty() || paths.installFolder.back() != u'\\') paths.installFolder += u'\\';
  paths.viewerPath = paths.installFolder + kViewerFileName;
  paths.openCommand = u"\"" + paths.viewerPath + u"\" \"%1\"";
  return paths;
}

}  // namespace lumora
