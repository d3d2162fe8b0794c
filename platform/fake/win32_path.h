#pragma once
// Internal to the host side: the Win32 rules for turning a path as a program passes
// it into a full path (what GetFullPathNameW does), shared by the fake file system
// and the POSIX file system. See fake_file_system.cpp for the choices made.
#include <cstddef>
#include <string>
#include <vector>

namespace lumora::platform::fake::detail {

inline constexpr std::size_t kMaxPath = 260;

struct ParsedPath {
  std::u16string root;  // "C:" (letter upper-cased) or "\\server\share"
  std::vector<std::u16string> parts;
};

enum class ParseStatus { kOk, kMalformed, kTooLong };

// The first `count` components under the root: "C:\" for none, else "C:\a\b".
std::u16string JoinPath(const std::u16string& root, const std::vector<std::u16string>& parts, std::size_t count);
std::u16string FullPath(const ParsedPath& path);

// '/' and '\' separate; "." and empty components drop, ".." climbs (never above the
// root); each component loses its trailing blanks and dots; a full path of 260
// units or more is kTooLong; names with < > : " | ? * or control codes are kMalformed.
ParseStatus Parse(const std::u16string& input, const ParsedPath& current, ParsedPath& out);

}  // namespace lumora::platform::fake::detail
