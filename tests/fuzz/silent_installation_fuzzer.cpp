// Whole silent installations from hostile command lines: the silent road parses the
// line, RunInstallation installs on a fake machine that holds the user's things
// (settings with keys of their own, files beside the destination, registry keys of
// the user's). Input: one byte of machine set-up, then the command line.
// Checked on every input, whatever the folders and options say:
//  - the exit code is 0 or 1, and the log in the starting folder holds one entry
//    exactly when it is 1;
//  - the user's own files stay byte for byte, and the settings file keeps every key
//    the installation does not write;
//  - the user's registry keys stay, and no key handle is left open.
#include <string>
#include <tuple>

#include "app/silent_road.h"
#include "fuzz/fuzz_support.h"
#include "install/install_driver.h"
#include "platform/fake/fake_platform.h"
#include "unit/zip_archive_builder.h"

namespace lumora {
namespace {

using fuzz::Show;
using platform::RootKey;

constexpr char16_t kStartFolder[] = u"C:\\Deploy";
constexpr char16_t kLog[] = u"C:\\Deploy\\Lumora_Install.log";
constexpr char16_t kSettings[] = u"C:\\users\\tester\\AppData\\Roaming\\Lumora\\l_mora64.ini";
constexpr char16_t kUserKey[] = u"Software\\Lumora\\Viewer";
const std::string kUserSettings = "[Others]\r\nUserKey=kept\r\n[Recent]\r\nFile1=C:\\Bilder\\a.jpg\r\n";

// Files of the user's that no installation has any business changing, in folders a
// command line may well point at.
constexpr const char16_t* kPreciousFiles[] = {
    u"C:\\Deploy\\deploy.cmd",
    u"C:\\Program Files\\Lumora\\my_notes.txt",
    u"C:\\users\\tester\\AppData\\Roaming\\Lumora\\my_skin.png",
    u"C:\\users\\tester\\Desktop\\holiday.jpg",
    u"D:\\Apps\\precious.txt",
};

enum SetUp : std::uint8_t {
  kEarlierInstallation = 0x01,  // an open command names an earlier installation's folder
  kNoAdministrator = 0x02,      // HKEY_LOCAL_MACHINE denies writes
  kDiskNearlyFull = 0x04,
  kSecondDrive = 0x08,
};

// A payload shaped like the product's.
std::string Payload() {
  return testing::MakeZipArchive({
      {"Plugins/", ""},
      {"l_mora64.exe", "MZ viewer"},
      {"Plugins/Icons.dll", "MZ icons"},
      {"lm_uninstall.exe", "MZ uninstaller"},
      {"Toolbars/Granite_24.png", "png"},
  });
}

}  // namespace
}  // namespace lumora

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace lumora;
  if (size == 0) return 0;
  const std::uint8_t setup = data[0];
  const std::u16string commandLine = u"lumora64_setup.exe " + fuzz::DecodeFuzzText(fuzz::AsBytes(data + 1, size - 1));

  static const std::string payload = Payload();
  platform::fake::FakeMachine machine;
  machine.resources.payload = payload;
  machine.registry.Put(RootKey::kLocalMachine, u"Software\\Microsoft\\Windows\\CurrentVersion", u"ProgramFilesDir",
                       u"C:\\Program Files");
  machine.registry.Put(RootKey::kCurrentUser, kUserKey, u"LastFolder", u"C:\\Bilder");
  if (setup & kEarlierInstallation)
    machine.registry.Put(RootKey::kLocalMachine, u"SOFTWARE\\Classes\\Lumora\\shell\\open\\command", u"",
                         u"\"C:\\Tools\\Lumora\\l_mora64.exe\" \"%1\"");
  if (setup & kSecondDrive) machine.files.AddDrive(u'D');
  for (const char16_t* path : kPreciousFiles)
    if (path[0] == u'C' || (setup & kSecondDrive)) machine.files.AddFile(path, "the user's own");
  machine.files.AddFile(kSettings, kUserSettings);
  machine.files.SetCurrentFolder(kStartFolder);
  if (setup & kNoAdministrator) machine.registry.DenyWrites(RootKey::kLocalMachine);
  if (setup & kDiskNearlyFull) machine.files.SetFreeSpace(std::uint64_t{setup} * 16);

  const int exitCode = RunSilentRoad(machine.platform, commandLine,
                                     [&](SetupOptions& options) { return RunInstallation(machine.platform, options); });

  FUZZ_CHECK(exitCode == kSilentExitInstalled || exitCode == kSilentExitInstallationFailed,
             "exit code " + std::to_string(exitCode) + " for " + Show(commandLine));
  const std::optional<std::string> log = machine.files.ReadFile(kLog);
  const std::string separator = std::string(48, '-') + "\r\n";
  if (exitCode == kSilentExitInstalled) {
    FUZZ_CHECK(!log.has_value(), "a successful installation wrote to the log: " + *log);
  } else if (!(setup & kDiskNearlyFull)) {
    FUZZ_CHECK(log.has_value(), "a failed installation left no log entry for " + Show(commandLine));
    FUZZ_CHECK(log->find(separator) + separator.size() == log->size(), "the log holds more than one entry: " + *log);
  }

  for (const char16_t* path : kPreciousFiles)
    if (path[0] == u'C' || (setup & kSecondDrive))
      FUZZ_CHECK(machine.files.ReadFile(path) == "the user's own", "a file of the user's changed: " + Show(path));
  for (const auto& [section, key, value] :
       {std::tuple{u"Others", u"UserKey", u"kept"}, std::tuple{u"Recent", u"File1", u"C:\\Bilder\\a.jpg"}})
    FUZZ_CHECK(machine.profiles.GetString(section, key, u"", 260, kSettings) == value,
               "the settings file lost " + Show(key) + " for " + Show(commandLine));
  const auto lastFolder = machine.registry.GetValue(RootKey::kCurrentUser, kUserKey, u"LastFolder");
  FUZZ_CHECK(lastFolder && lastFolder->text == u"C:\\Bilder", "a registry value of the user's changed");
  FUZZ_CHECK(machine.registry.OpenHandleCount() == 0, "a registry key was left open");
  return 0;
}
