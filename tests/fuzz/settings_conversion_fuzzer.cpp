// Random settings-file bytes through ConvertSettingsToUnicode on the fake machine,
// with the faults a conversion can meet: a replacement that fails, a full disk, a
// read error half way, a settings file held open by another program, a temporary
// name that is taken, a temporary file that cannot be created. Input: one set-up
// byte, one free-space byte, then the file's bytes. Checked on every input:
//  - the settings file is afterwards either exactly what it was, or FF FE, the
//    header line and its former content in UTF-16LE that converts back from code
//    page 1252 to exactly the former bytes (for a file without zero bytes; with
//    them, the text after a zero byte on its line may be dropped);
//  - a result of 0 leaves it exactly as it was, and so does a file that already
//    begins with FF FE; an undisturbed conversion of a non-empty file converts;
//  - the stream is closed and no other file is touched.
#include <string>
#include <vector>

#include "fuzz/fuzz_support.h"
#include "install/settings_conversion.h"
#include "platform/fake/cp1252.h"
#include "platform/fake/fake_platform.h"

namespace lumora {
namespace {

constexpr char16_t kSettingsFolder[] = u"C:\\users\\tester\\AppData\\Roaming\\Lumora";
constexpr char16_t kSettingsFile[] = u"C:\\users\\tester\\AppData\\Roaming\\Lumora\\l_mora64.ini";
constexpr char16_t kTemporaryFile[] = u"C:\\users\\tester\\AppData\\Roaming\\Lumora\\l_mora64.ini_temp";
constexpr char16_t kNeighbour[] = u"C:\\users\\tester\\AppData\\Roaming\\Lumora\\notes.txt";

enum SetUp : std::uint8_t {
  kReplacementFails = 0x01,
  kDiskNearlyFull = 0x02,
  kReadFailsHalfWay = 0x04,
  kSettingsFileLocked = 0x08,
  kTemporaryNameIsAFolder = 0x10,
  kTemporaryNotCreatable = 0x20,
  kBareFileName = 0x40,  // the path has no folder: it resolves in the current folder
  kAnyFault = 0x3F,
};

// Code page 1252 back from UTF-16: every byte has exactly one unit, so the inverse
// of the byte-to-unit table is the only way back to the former bytes.
std::optional<std::string> BackToCp1252(const std::u16string& text) {
  static const std::vector<int> byteOfUnit = [] {
    std::vector<int> table(0x10000, -1);
    for (int byte = 0; byte < 256; ++byte) table[platform::fake::Cp1252ToUnit(static_cast<unsigned char>(byte))] = byte;
    return table;
  }();
  std::string bytes;
  for (char16_t unit : text) {
    if (byteOfUnit[unit] < 0) return std::nullopt;
    bytes.push_back(static_cast<char>(byteOfUnit[unit]));
  }
  return bytes;
}

// The former content of a converted file, or nullopt when it is not one.
std::optional<std::string> ConvertedContent(const std::string& file) {
  std::string prefix = "\xFF\xFE";
  for (const char16_t* unit = kUnicodeFileHeader; *unit != 0; ++unit) {
    prefix.push_back(static_cast<char>(*unit & 0xFF));
    prefix.push_back(static_cast<char>(*unit >> 8));
  }
  if (file.compare(0, prefix.size(), prefix) != 0 || (file.size() - prefix.size()) % 2 != 0) return std::nullopt;
  std::u16string text;
  for (std::size_t i = prefix.size(); i < file.size(); i += 2)
    text.push_back(static_cast<char16_t>(static_cast<unsigned char>(file[i]) |
                                         (static_cast<unsigned char>(file[i + 1]) << 8)));
  return BackToCp1252(text);
}

}  // namespace
}  // namespace lumora

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace lumora;
  if (size < 2) return 0;
  const std::uint8_t setup = data[0];
  const std::string content(fuzz::AsBytes(data + 2, size - 2));

  platform::fake::FakeMachine machine;
  auto& files = machine.files;
  files.AddFile(kSettingsFile, content);
  files.AddFile(kNeighbour, "the user's own notes");
  if (setup & kReplacementFails) files.FailMoves(true);
  if (setup & kDiskNearlyFull) files.SetFreeSpace(std::uint64_t{data[1]} * 8);
  if (setup & kReadFailsHalfWay) files.FailReadsAfter(kSettingsFile, content.size() / 2);
  if (setup & kSettingsFileLocked) files.LockFile(kSettingsFile);
  if (setup & kTemporaryNameIsAFolder) files.AddFolder(kTemporaryFile);
  if (setup & kTemporaryNotCreatable) files.FailCreateForWritingAt(0);
  std::u16string iniPath = kSettingsFile;
  if (setup & kBareFileName) {
    files.SetCurrentFolder(kSettingsFolder);
    iniPath = u"l_mora64.ini";
  }

  std::unique_ptr<platform::InputFile> stream = files.OpenForReading(iniPath);
  FUZZ_CHECK(stream != nullptr, "the settings file does not open");
  const int result = ConvertSettingsToUnicode(machine.platform, iniPath, std::move(stream));

  FUZZ_CHECK(result == 0 || result == 1, "ConvertSettingsToUnicode answered " + std::to_string(result));
  const std::string after = *files.ReadFile(kSettingsFile);
  const bool unchanged = after == content;
  const bool alreadyUnicode = content.size() >= 2 && content[0] == '\xFF' && content[1] == '\xFE';
  if (!unchanged) {
    const std::optional<std::string> former = ConvertedContent(after);
    FUZZ_CHECK(former.has_value(), "the settings file is neither as it was nor converted");
    if (content.find('\0') == std::string::npos) {
      FUZZ_CHECK(*former == content, "the converted file does not convert back to the former bytes");
    } else {
      // A zero byte may end the text of its line; nothing else may be lost or added.
      std::size_t at = 0;
      for (char byte : content)
        if (at < former->size() && (*former)[at] == byte) ++at;
      FUZZ_CHECK(at == former->size(), "the converted file holds bytes the former file did not");
    }
    FUZZ_CHECK(!files.FileExists(kTemporaryFile), "the temporary file stays after a conversion");
  }
  if (result == 0) FUZZ_CHECK(unchanged, "a failed conversion changed the settings file");
  if (alreadyUnicode) {
    FUZZ_CHECK(unchanged, "a UTF-16 file was touched");
    // A read error within the byte-order mark itself leaves the file unknown: 0.
    if (!(setup & kReadFailsHalfWay) || content.size() >= 4) FUZZ_CHECK(result == 1, "a UTF-16 file answered 0");
  }
  if (!(setup & kAnyFault) && !content.empty() && !alreadyUnicode)
    FUZZ_CHECK(!unchanged && result == 1, "an undisturbed conversion did not convert");
  FUZZ_CHECK(files.ReadFile(kNeighbour) == "the user's own notes", "a neighbouring file changed");
  if (!(setup & kSettingsFileLocked)) FUZZ_CHECK(files.RemoveFile(kSettingsFile), "the settings file is left open");
  return 0;
}
