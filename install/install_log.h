#pragma once
// The installation log: the append-only 8-bit text file in which a silent run leaves
// what a wizard run would show in a message box. Each entry is the local date, " - ",
// the time as HH:MM:SS, ": ", the message, and a separator line of 48 hyphens; every
// line ends in CR LF.
#include <string>
#include <string_view>

#include "platform/file_system.h"
#include "platform/system.h"

namespace lumora {

// Opened relative to the process's current folder at the moment of writing.
inline constexpr char16_t kInstallLogName[] = u"Lumora_Install.log";

// The bytes of one entry. Units U+0001 to U+00FF become the byte of the same value,
// every other unit becomes "?"; each line feed, those of the message included,
// becomes CR LF.
std::string EncodeLogEntry(std::u16string_view date, const platform::LocalTime& time, std::u16string_view message);

// Writes one entry stamped with the current local date and time to `log` (opened for
// appending by the caller) and closes it. Write and close errors are ignored.
void AppendLogLine(platform::System& system, std::u16string_view message, platform::OutputFile& log);

// Opens the log for appending and writes one entry; when the log cannot be opened the
// entry is dropped without any report.
void AppendToInstallLog(platform::FileSystem& files, platform::System& system, std::u16string_view message);

}  // namespace lumora
