// Malformed payload archives through ExtractPayload on the fake machine: the archive
// is written to the temporary folder, opened through minizip over the fake file
// system and walked into the destination folder. Input: one set-up byte (bit 0
// keeps the installed icon library, the others inject faults), then the archive.
// Checked on every input, whatever the archive holds:
//  - the result is 0 or -1, and the current folder is the destination after 0 and
//    the folder the setup started from after -1;
//  - the temporary copy is gone and no file is left open;
//  - nothing outside the destination folder is created or changed (no entry name
//    escapes), and a locked file or a kept icon library stays byte for byte.
#include <map>
#include <string>

#include "fuzz/fuzz_support.h"
#include "install/payload_extraction.h"
#include "platform/fake/fake_platform.h"

namespace lumora {
namespace {

using fuzz::Show;

constexpr char16_t kDestination[] = u"C:\\Program Files\\Lumora\\";
constexpr char16_t kStartFolder[] = u"C:\\Scripts";
constexpr char16_t kTemporaryArchive[] = u"C:\\users\\tester\\Temp\\lmora_x64.zip";
constexpr char16_t kInstalledIcons[] = u"C:\\Program Files\\Lumora\\Plugins\\Icons.dll";
constexpr char16_t kRunningViewer[] = u"C:\\Program Files\\Lumora\\l_mora64.exe";

// Enough room for every seed; a bigger inflation meets a full disk, which bounds
// the memory an archive of overlapping entries can make the fake hold.
constexpr std::uint64_t kDiskRoom = 4u << 20;
constexpr std::uint64_t kNearlyFullDisk = 2048;

enum SetUp : std::uint8_t {
  kKeepIconLibrary = 0x01,
  kInstalledFiles = 0x02,   // an icon library and a running (locked) viewer
  kDiskNearlyFull = 0x04,
  kNoTemporaryFolder = 0x08,
  kFirstEntryNotWritable = 0x10,
  kPluginsDenied = 0x20,
  kArchiveReadFails = 0x40,  // reads of the temporary copy fail part way
};

bool UnderDestination(const std::u16string& path) {
  const std::u16string prefix = kDestination;
  return path.compare(0, prefix.size(), prefix) == 0;
}

void SetUpMachine(platform::fake::FakeMachine& machine, std::uint8_t setup, std::size_t archiveSize) {
  auto& files = machine.files;
  files.AddFolder(kDestination);
  files.AddFolder(kStartFolder);
  files.AddFile(u"C:\\Scripts\\deploy.cmd", "lumora64_setup.exe /silent\r\n");
  files.AddFile(u"C:\\users\\tester\\AppData\\Roaming\\Lumora\\l_mora64.ini", "[Others]\r\nKeep=1\r\n");
  files.SetCurrentFolder(kStartFolder);
  if (setup & kInstalledFiles) {
    files.AddFile(kInstalledIcons, "installed icon library");
    files.AddFile(kRunningViewer, "the viewer that is running");
    files.LockFile(kRunningViewer);
  }
  files.SetFreeSpace((setup & kDiskNearlyFull) ? kNearlyFullDisk : kDiskRoom);
  if (setup & kNoTemporaryFolder) files.SetTempFolder(u"C:\\users\\tester\\NoSuchTemp\\");
  if (setup & kFirstEntryNotWritable) files.FailCreateForWritingAt(1);  // 0 is the temporary copy
  if (setup & kPluginsDenied) {
    files.AddFolder(u"C:\\Program Files\\Lumora\\Plugins");
    files.DenyAccess(u"C:\\Program Files\\Lumora\\Plugins");
  }
  if (setup & kArchiveReadFails) files.FailReadsAfter(kTemporaryArchive, archiveSize / 2);
}

std::map<std::u16string, std::string> Snapshot(const platform::fake::FakeFileSystem& files) {
  std::map<std::u16string, std::string> contents;
  for (const std::u16string& path : files.ListFiles()) contents[path] = *files.ReadFile(path);
  return contents;
}

}  // namespace
}  // namespace lumora

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace lumora;
  if (size == 0) return 0;
  const std::uint8_t setup = data[0];
  platform::fake::FakeMachine machine;
  machine.resources.payload = std::string(fuzz::AsBytes(data + 1, size - 1));
  SetUpMachine(machine, setup, size - 1);
  const std::map<std::u16string, std::string> before = Snapshot(machine.files);

  const int keepIconLibrary = (setup & kKeepIconLibrary) ? 1 : 0;
  const int result = ExtractPayload(machine.platform, kDestination, keepIconLibrary);

  auto& files = machine.files;
  FUZZ_CHECK(result == 0 || result == -1, "ExtractPayload answered " + std::to_string(result));
  const std::u16string current = files.CurrentFolder();
  if (result == 0)
    FUZZ_CHECK(current + u"\\" == kDestination, "after success the current folder is " + Show(current));
  else
    FUZZ_CHECK(current == kStartFolder, "after a failure the current folder is " + Show(current));
  FUZZ_CHECK(!files.FileExists(kTemporaryArchive), "the temporary copy of the archive is left behind");

  const std::map<std::u16string, std::string> after = Snapshot(files);
  for (const auto& [path, bytes] : after) {
    if (UnderDestination(path)) continue;
    const auto it = before.find(path);
    FUZZ_CHECK(it != before.end(), "a file appeared outside the destination: " + Show(path));
    FUZZ_CHECK(it->second == bytes, "a file outside the destination changed: " + Show(path));
  }
  for (const auto& [path, bytes] : before)
    FUZZ_CHECK(after.count(path) != 0, "a file that was there is gone: " + Show(path));
  if (setup & kInstalledFiles) {
    FUZZ_CHECK(files.ReadFile(kRunningViewer) == before.at(kRunningViewer), "the locked viewer was overwritten");
    if (keepIconLibrary)
      FUZZ_CHECK(files.ReadFile(kInstalledIcons) == before.at(kInstalledIcons), "the kept icon library was replaced");
  }

  // A file still held open cannot be deleted: every extracted file must delete
  // (apart from the locked viewer and what lies in the denied folder).
  const std::u16string deniedFolder = u"C:\\Program Files\\Lumora\\Plugins\\";
  for (const auto& [path, bytes] : after)
    if (UnderDestination(path) && path != kRunningViewer &&
        !((setup & kPluginsDenied) && path.compare(0, deniedFolder.size(), deniedFolder) == 0))
      FUZZ_CHECK(files.RemoveFile(path), "a file is still open after the extraction: " + Show(path));
  return 0;
}
