#pragma once
// The last step of an installation: the viewer's settings file is rewritten in
// UTF-16LE, so that the viewer (and WritePrivateProfileStringW after it) keeps every
// character of paths and names that the ANSI code page cannot hold.
#include <memory>
#include <string>

#include "platform/platform.h"

namespace lumora {

inline constexpr char16_t kSettingsTemporaryFileName[] = u"l_mora64.ini_temp";
// The first line of a converted file, followed by an empty line.
inline constexpr char16_t kUnicodeFileHeader[] = u"; UNICODE FILE - edit with care ;-)\r\n\r\n";

// The temporary file beside the settings file: "l_mora64.ini_temp" in the drive and
// folder of `iniPath`, whatever the settings file is called.
std::u16string SettingsTemporaryPath(const std::u16string& iniPath);

// Rewrites `iniPath` as FF FE, the header line and an empty line in UTF-16LE, and
// the former content converted from the ANSI code page, every byte of it kept (line
// ends as they were, a zero byte as U+0000). `stream` is `iniPath` opened for binary
// reading at its start; it is always closed. The new text is written to the
// temporary file and then replaces the settings file, so the settings file is either
// converted or left exactly as it was.
// Returns 1 when converted, already UTF-16 (begins with FF FE), empty (nothing is
// written), or when the temporary file cannot be created (nothing changes). Returns 0
// when reading or converting the settings file failed, when writing or closing the
// temporary file failed (it is deleted again), or when the replacement failed (the
// temporary file stays). In each of these cases the settings file is unchanged.
int ConvertSettingsToUnicode(platform::Platform& platform, const std::u16string& iniPath,
                             std::unique_ptr<platform::InputFile> stream);

}  // namespace lumora
