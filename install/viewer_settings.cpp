#include "install/viewer_settings.h"

#include <optional>

#include "app/environment_probes.h"
#include "install/ini_folder.h"
#include "install/path_helpers.h"
#include "install/toolbar_defaults.h"

namespace lumora {
namespace {

// GetPrivateProfileStringW reads the skin into 260 units.
constexpr std::uint32_t kSkinCapacity = 260;

void EnsureTrailingBackslash(std::u16string& folder) {
  if (folder.empty() || folder.back() != u'\\') folder.push_back(u'\\');
}

bool Contains(const std::u16string& text, const std::u16string& part) {
  return text.find(part) != std::u16string::npos;
}

// The portable-app layouts keep a program-folder file of their own with the skin the
// packaged viewer expects.
bool IsPortableAppPath(const std::u16string& path) {
  return Contains(path, u"Lumora32_App") || Contains(path, u"Lumora64_App");
}

// The settings file in the INI folder, created with every missing level (a folder
// that cannot be made leaves its keys unwritten). nullopt, and the settings stay
// beside the viewer, when the folder expands to nothing or to blanks, or when it is
// too long to be a folder: CreateFolderTree then gives it no trailing backslash and
// cuts it, and the file name would be glued to a folder the user never named.
std::optional<std::u16string> RedirectedSettingsFile(platform::Platform& platform, const std::u16string& iniFolder) {
  std::u16string folder = ExpandIniFolder(platform.system, iniFolder);
  if (folder.empty()) return std::nullopt;
  CreateFolderTree(platform.files, folder);
  if (folder.empty() || folder.back() != u'\\') return std::nullopt;
  return folder + kSettingsFileName;
}

}  // namespace

std::u16string WriteViewerSettings(platform::Platform& platform, const std::u16string& destinationFolder,
                                   std::u16string& iniFolder, std::int32_t silent) {
  platform::ProfileFiles& profiles = platform.profiles;

  std::u16string programFolder = destinationFolder;
  TrimBlanks(programFolder);
  EnsureTrailingBackslash(programFolder);
  const std::u16string programFile = programFolder + kSettingsFileName;

  if (silent != 0 && iniFolder.empty()) {
    std::u16string defaultFolder;
    GetDefaultInstallFolder(platform.registry, defaultFolder);
    if (Contains(destinationFolder, defaultFolder)) iniFolder = kDefaultIniFolder;
  }

  std::u16string activeFile = programFile;
  bool settingsInIniFolder = false;
  if (iniFolder.empty()) {
    profiles.WriteString(u"Others", u"INI_Folder", std::nullopt, programFile);
  } else {
    std::optional<std::u16string> redirected = RedirectedSettingsFile(platform, iniFolder);
    profiles.WriteString(u"Others", u"INI_Folder", iniFolder, programFile);
    if (redirected) {
      activeFile = *redirected;
      settingsInIniFolder = true;
    }
  }

  profiles.WriteString(u"Language", u"DLL", u"ENGLISH", activeFile);
  profiles.WriteString(u"Language", u"Lang", u"English", activeFile);

  if (!profiles.GetString(u"Toolbar", u"Skin", u"", kSkinCapacity, activeFile).empty()) return activeFile;

  const ToolbarDefaults toolbar = ChooseToolbarDefaults(platform.system);
  profiles.WriteString(u"Toolbar", u"Skin", toolbar.skin, activeFile);
  profiles.WriteString(u"Toolbar", u"Size", toolbar.size, activeFile);
  if (settingsInIniFolder && IsPortableAppPath(activeFile)) {
    profiles.WriteString(u"Toolbar", u"Skin", u"Granite_24.png", programFile);
    profiles.WriteString(u"Toolbar", u"Size", u"24", programFile);
  }
  return activeFile;
}

}  // namespace lumora
