#pragma once
// The only place where the setup program tidies folder paths. Every caller relies on
// the exact results, above all on the trailing backslash that CreateFolderTree leaves,
// because file and folder names are appended to a folder path directly.
// A blank is U+0020 only; the folder separator is the backslash only.
#include <cstddef>
#include <string>

#include "platform/file_system.h"

namespace lumora {

// The fixed path buffer of the Win32 calls: 260 units with the terminator.
inline constexpr std::size_t kPathBufferUnits = 260;

// Removes the blanks at the end; then, for a path shorter than 260 units, the blanks
// at its start. A path of 260 units or more keeps its leading blanks.
void TrimBlanks(std::u16string& path);

// Cleans a path taken from the command line: trailing blanks, then at most one double
// quote at the end and one at the start (they need not pair), then trailing blanks
// again. Leading blanks stay.
void UnquotePath(std::u16string& path);

// Makes sure the folder exists, creating every missing level, and leaves the cleaned
// path in `path` (trimmed, each level without trailing blanks, runs of backslashes
// folded, ending with a backslash when it fits in 259 units). Returns 1 when the
// folder can be entered at the end, 0 otherwise (or when the path is empty). The
// process's current folder is the same before and after, unless it could not be read.
int CreateFolderTree(platform::FileSystem& files, std::u16string& path);

}  // namespace lumora
