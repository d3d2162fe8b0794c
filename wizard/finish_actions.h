#pragma once
// The finish page's Done: where the installed viewer is started from.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace lumora {

inline constexpr char16_t kViewerFileName[] = u"l_mora64.exe";
// The start path lives in a buffer of 260 units with its terminator.
inline constexpr std::size_t kViewerPathMaxUnits = 259;

// The welcome page's folder text, unchanged (not trimmed), with "\" added unless it
// ends in one, and the viewer's file name. nullopt when that path would not fit in
// its 260-unit buffer: the viewer is then not started (an installation into such a
// folder does not normally reach the finish page).
std::optional<std::u16string> ViewerPathForFolderText(std::u16string_view folderText);

}  // namespace lumora
