#pragma once
// Unpacking of the payload archive (resource "ZIP" 1974) into the destination folder.
#include <cstdint>
#include <string>
#include <string_view>

#include <unzip.h>

#include "platform/platform.h"

namespace lumora {

// The temporary copy of the archive, in the user's temporary folder.
inline constexpr char16_t kTemporaryArchiveName[] = u"lmora_x64.zip";

// Entry names as stored: at most 519 bytes; converted to UTF-16: at most 323 units.
inline constexpr std::size_t kStoredNameBufferBytes = 520;
inline constexpr std::size_t kEntryNameBufferUnits = 324;

// One copy buffer of this size is allocated per file entry.
inline constexpr std::size_t kCopyBufferBytes = 32768;

// MakeFolderPath's results.
inline constexpr int kFolderPathMade = 1;
inline constexpr int kFolderPathParentMissing = 0;
inline constexpr int kFolderPathOutOfMemory = -104;

// Writes the archive to the temporary folder, unpacks every entry into
// `destinationFolder` (an existing folder, normally ending with a backslash) and
// deletes the temporary copy. `keepIconLibrary` 1 skips every entry whose
// lower-cased name holds "icons.dll", so an icon library installed earlier stays.
// Returns 0 when every entry was handled, -1 otherwise:
//  - resource missing or empty, temporary copy not writable, archive not readable,
//    destination not enterable: nothing is unpacked;
//  - an entry name that could escape the destination or overflow the name buffers:
//    the whole archive is refused before anything is unpacked;
//  - a read, inflate, CRC or write error (a full disk) while unpacking: the files
//    written so far stay, and the current folder is set back to what it was, so a
//    failure report in the log lands where it would have without the unpacking.
// An entry whose file cannot be opened for writing (a file held by a running
// viewer) keeps its old content and does not count as a failure. On success the
// destination folder stays the process's current folder.
int ExtractPayload(platform::Platform& platform, const std::u16string& destinationFolder, int keepIconLibrary);

// A name is unpacked only when its stored form fits 519 bytes, its UTF-16 form fits
// 323 units, and it is a relative path that stays below the current folder: no
// leading "/" or "\", no colon (a drive or a stream name), and no component made of
// dots and blanks only with two dots or more: ".." itself, and forms such as ".. "
// that Win32 may read as ".." once it drops a component's trailing dots and blanks.
bool EntryNameIsSafe(std::string_view storedName, std::u16string_view name);

// Checks every entry name of an open archive, before anything is written: each must
// fit the name buffers and be a relative path that stays below the current folder
// (no leading "/" or "\", no colon, no ".." component). Leaves the first entry
// current. False when a name is refused or the entries cannot be read.
bool ArchiveNamesAreSafe(platform::System& system, unzFile archive);

// Walks the archive from its current (first) entry and writes every entry relative
// to the process's current folder. Returns 0 when the walk reached the end, else the
// error that stopped it (minizip's negative code, -1 for a failed write).
int ExtractAllEntries(platform::Platform& platform, unzFile archive, int keepIconLibrary);

// Creates every missing level of a relative or absolute folder path ("/" and "\"
// both separate). Returns kFolderPathMade (done or partly done),
// kFolderPathParentMissing or kFolderPathOutOfMemory.
int MakeFolderPath(platform::FileSystem& files, const std::u16string& path);

// Gives the extracted file the entry's DOS date (high word) and time (low word),
// read as local time, as creation and last-write time. Failures are ignored: the
// file keeps the times of a new file.
void SetEntryFileTime(platform::FileSystem& files, const std::u16string& filePath, std::uint32_t dosDateTime);

}  // namespace lumora
