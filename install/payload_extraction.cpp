#include "install/payload_extraction.h"

#include <memory>
#include <new>
#include <optional>

#include "platform/archive_file_functions.h"
#include "platform/archive_read_buffer.h"

namespace lumora {
namespace {

// The walk's own errors, beside minizip's codes.
constexpr int kWriteFailed = -1;
constexpr int kEntryUnreadable = UNZ_BADZIPFILE;

bool IsSeparator(char16_t unit) { return unit == u'/' || unit == u'\\'; }

// Closes the archive when the extraction leaves, on every path.
class OpenArchive {
 public:
  explicit OpenArchive(unzFile archive) : archive_(archive) {}
  OpenArchive(const OpenArchive&) = delete;
  OpenArchive& operator=(const OpenArchive&) = delete;
  ~OpenArchive() {
    if (archive_ != nullptr) unzClose(archive_);
  }
  unzFile Get() const { return archive_; }

 private:
  unzFile archive_;
};

// Deletes the temporary copy of the archive when the extraction leaves.
class TemporaryFile {
 public:
  TemporaryFile(platform::FileSystem& files, std::u16string path) : files_(files), path_(std::move(path)) {}
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;
  ~TemporaryFile() { files_.RemoveFile(path_); }
  const std::u16string& Path() const { return path_; }

 private:
  platform::FileSystem& files_;
  std::u16string path_;
};

std::u16string TemporaryArchivePath(platform::FileSystem& files) {
  std::u16string path = files.GetTempFolder();
  if (path.empty() || path.back() != u'\\') path.push_back(u'\\');
  path += kTemporaryArchiveName;
  return path;
}

// The current entry's name as stored, or nullopt when the entry cannot be read.
// A name longer than the buffer comes back cut; `info.size_filename` keeps its true size.
std::optional<std::string> CurrentEntryName(unzFile archive, unz_file_info64& info) {
  char name[kStoredNameBufferBytes] = {};
  if (unzGetCurrentFileInfo64(archive, &info, name, sizeof name, nullptr, 0, nullptr, 0) != UNZ_OK) {
    return std::nullopt;
  }
  name[kStoredNameBufferBytes - 1] = '\0';
  return std::string(name);
}

bool ContainsIconLibraryName(std::string_view name) {
  std::string lowered(name);
  for (char& c : lowered) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return lowered.find("icons.dll") != std::string::npos;
}

bool IsParentLikeComponent(std::u16string_view component) {
  int dots = 0;
  for (const char16_t unit : component) {
    if (unit == u'.') {
      ++dots;
    } else if (unit != u' ') {
      return false;
    }
  }
  return dots >= 2;
}

// Copies the open entry into `output` through `buffer`; 0 or the first error.
int CopyEntryData(unzFile archive, platform::OutputFile& output, char* buffer) {
  for (;;) {
    const int count = unzReadCurrentFile(archive, buffer, static_cast<unsigned>(kCopyBufferBytes));
    if (count < 0) return count;
    if (count == 0) return UNZ_OK;
    if (!output.Write(buffer, static_cast<std::size_t>(count))) return kWriteFailed;
  }
}

// Writes the current file entry (already known not to be a folder entry) to `name`,
// relative to the current folder. 0 when the entry was written or skipped because
// its file cannot be opened; otherwise the error that must stop the walk.
int ExtractFileEntry(platform::FileSystem& files, platform::System& system, unzFile archive,
                     const std::string& storedName, const std::u16string& name, std::uint32_t dosDateTime,
                     char* buffer) {
  if (const int opened = unzOpenCurrentFile(archive); opened != UNZ_OK) {
    unzCloseCurrentFile(archive);
    return opened;
  }

  std::unique_ptr<platform::OutputFile> output = files.CreateForWriting(name);
  if (!output) {
    const std::size_t lastSeparator = storedName.find_last_of("/\\");
    if (lastSeparator != std::string::npos) {
      MakeFolderPath(files, system.AnsiToUtf16(std::string_view(storedName).substr(0, lastSeparator)));
      output = files.CreateForWriting(name);
    }
  }
  // A file that cannot be opened (held by a running viewer) keeps its old content.
  // Nothing was read, so the close does not test the CRC.
  if (!output) return unzCloseCurrentFile(archive);

  int result = CopyEntryData(archive, *output, buffer);
  if (!output->Close() && result == UNZ_OK) result = kWriteFailed;
  if (result != UNZ_OK) {
    unzCloseCurrentFile(archive);
    return result;
  }
  SetEntryFileTime(files, name, dosDateTime);
  return unzCloseCurrentFile(archive);  // UNZ_CRCERROR when the data does not match
}

}  // namespace

bool EntryNameIsSafe(std::string_view storedName, std::u16string_view name) {
  if (storedName.size() >= kStoredNameBufferBytes || name.size() >= kEntryNameBufferUnits) return false;
  if (!name.empty() && IsSeparator(name.front())) return false;
  if (name.find(u':') != std::u16string_view::npos) return false;
  std::size_t start = 0;
  while (start <= name.size()) {
    std::size_t end = start;
    while (end < name.size() && !IsSeparator(name[end])) ++end;
    if (IsParentLikeComponent(name.substr(start, end - start))) return false;
    start = end + 1;
  }
  return true;
}

bool ArchiveNamesAreSafe(platform::System& system, unzFile archive) {
  unz_global_info64 global{};
  if (unzGetGlobalInfo64(archive, &global) != UNZ_OK) return false;
  if (global.number_entry == 0) return true;
  if (unzGoToFirstFile(archive) != UNZ_OK) return false;
  for (ZPOS64_T index = 0; index < global.number_entry; ++index) {
    unz_file_info64 info{};
    const std::optional<std::string> storedName = CurrentEntryName(archive, info);
    if (!storedName) return false;
    // A name cut by the buffer is too long whatever its text.
    if (info.size_filename >= kStoredNameBufferBytes) return false;
    if (!EntryNameIsSafe(*storedName, system.AnsiToUtf16(*storedName))) return false;
    if (index + 1 < global.number_entry && unzGoToNextFile(archive) != UNZ_OK) return false;
  }
  return unzGoToFirstFile(archive) == UNZ_OK;
}

int ExtractAllEntries(platform::Platform& platform, unzFile archive, int keepIconLibrary) {
  unz_global_info64 global{};
  if (unzGetGlobalInfo64(archive, &global) != UNZ_OK) return kEntryUnreadable;

  for (ZPOS64_T index = 0; index < global.number_entry; ++index) {
    unz_file_info64 info{};
    const std::optional<std::string> storedName = CurrentEntryName(archive, info);
    if (!storedName) return kEntryUnreadable;

    if (!(keepIconLibrary == 1 && ContainsIconLibraryName(*storedName))) {
      const std::unique_ptr<char[]> buffer(new (std::nothrow) char[kCopyBufferBytes]);
      if (!buffer) return kFolderPathOutOfMemory;

      const std::u16string name = platform.system.AnsiToUtf16(*storedName);
      // A folder entry's last component is empty.
      const bool isFolderEntry = storedName->empty() || storedName->back() == '/' || storedName->back() == '\\';
      int result = UNZ_OK;
      if (isFolderEntry) {
        // An existing folder is fine; a missing parent is made by the files that need it.
        platform.files.CreateFolder(name);
      } else {
        result = ExtractFileEntry(platform.files, platform.system, archive, *storedName, name,
                                  static_cast<std::uint32_t>(info.dosDate), buffer.get());
      }
      if (result != UNZ_OK) return result;
    }

    if (index + 1 < global.number_entry && unzGoToNextFile(archive) != UNZ_OK) return kEntryUnreadable;
  }
  return UNZ_OK;
}

int MakeFolderPath(platform::FileSystem& files, const std::u16string& path) {
  if (path.empty()) return kFolderPathParentMissing;
  std::u16string copy;
  try {
    copy = path;
  } catch (const std::bad_alloc&) {
    return kFolderPathOutOfMemory;
  }
  if (copy.back() == u'/') copy.pop_back();

  if (files.CreateFolder(copy) == platform::kErrorSuccess) return kFolderPathMade;

  for (std::size_t position = 1; position <= copy.size(); ++position) {
    if (position < copy.size() && !IsSeparator(copy[position])) continue;
    const std::uint32_t error = files.CreateFolder(copy.substr(0, position));
    if (error == platform::kErrorFileNotFound || error == platform::kErrorPathNotFound) {
      return kFolderPathParentMissing;
    }
  }
  return kFolderPathMade;
}

void SetEntryFileTime(platform::FileSystem& files, const std::u16string& filePath, std::uint32_t dosDateTime) {
  files.SetFileTimesFromLocalDos(filePath, dosDateTime);
}

int ExtractPayload(platform::Platform& platform, const std::u16string& destinationFolder, int keepIconLibrary) {
  constexpr int kFailed = -1;
  platform::FileSystem& files = platform.files;

  const std::optional<std::span<const std::uint8_t>> payload = platform.resources.PayloadArchive();
  if (!payload || payload->empty()) return kFailed;

  const std::u16string temporaryPath = TemporaryArchivePath(files);
  std::unique_ptr<platform::OutputFile> copy = files.CreateForWriting(temporaryPath);
  if (!copy) return kFailed;  // nothing was created, so nothing is deleted
  const TemporaryFile temporaryArchive(files, temporaryPath);
  // One write of the mapped bytes. A short copy would only surface later as an
  // unreadable archive, so a failed write or close refuses it at once.
  const bool written = copy->Write(payload->data(), payload->size());
  const bool closed = copy->Close();
  copy.reset();
  if (!written || !closed) return kFailed;

  zlib_filefunc64_def fileFunctions{};
  platform::FillPayloadArchiveFunctions(files, fileFunctions);
  // minizip reads headers byte by byte; the buffer spares a file read per byte.
  platform::ArchiveReadBuffer readBuffer;
  readBuffer.Wrap(fileFunctions);
  const OpenArchive archive(unzOpen2_64(temporaryArchive.Path().c_str(), &fileFunctions));
  if (archive.Get() == nullptr) return kFailed;
  if (!ArchiveNamesAreSafe(platform.system, archive.Get())) return kFailed;

  std::u16string previousFolder;
  const bool havePreviousFolder = files.GetCurrentFolder(previousFolder);
  if (!files.SetCurrentFolder(destinationFolder)) return kFailed;

  if (ExtractAllEntries(platform, archive.Get(), keepIconLibrary) != UNZ_OK) {
    if (havePreviousFolder) files.SetCurrentFolder(previousFolder);
    return kFailed;
  }
  return 0;
}

}  // namespace lumora
