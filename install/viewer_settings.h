#pragma once
// The viewer's INI settings file "l_mora64.ini". It lies beside the viewer in the
// destination folder (the program-folder file) unless the settings are redirected to
// an INI folder: the program-folder file then only names that folder in
// [Others] INI_Folder, and the settings themselves live in the INI folder's file.
#include <cstdint>
#include <string>

#include "platform/platform.h"

namespace lumora {

inline constexpr char16_t kSettingsFileName[] = u"l_mora64.ini";
// The INI folder of a silent run into the default installation folder.
inline constexpr char16_t kDefaultIniFolder[] = u"%APPDATA%\\Lumora";

// Writes the redirection and the first-run defaults and returns the path of the
// settings file in effect (the active file), which the installation converts to
// UTF-16 at its end. Nothing is reported: a key that cannot be written stays unwritten.
//  - [Others] INI_Folder in the program-folder file: deleted when `iniFolder` is
//    empty, else `iniFolder` as given (unexpanded; the viewer expands it itself).
//  - A silent run without INI folder into a destination that contains the default
//    installation folder (case-sensitive) redirects to "%APPDATA%\Lumora": `iniFolder`
//    is changed for the caller.
//  - [Language] DLL=ENGLISH and Lang=English in the active file, always.
//  - [Toolbar] Skin and Size from ChooseToolbarDefaults, only when the active file
//    names no skin yet; a redirected active file in a "Lumora32_App" or
//    "Lumora64_App" path also gives the program-folder file the 24-pixel skin.
// When the INI folder expands to nothing (or is refused, see ExpandIniFolder, or is
// too long for a folder path of 260 units), the settings stay in the program-folder
// file, named by its full path (a bare file name would resolve in the Windows folder).
std::u16string WriteViewerSettings(platform::Platform& platform, const std::u16string& destinationFolder,
                                   std::u16string& iniFolder, std::int32_t silent);

}  // namespace lumora
