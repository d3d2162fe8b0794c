// Rewriting the viewer's settings file in UTF-16LE: the exact bytes of an ordinary
// file, every byte of unusual content kept, and the settings file left as it was
// whenever the rewrite cannot be completed.
#include "install/settings_conversion.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/fake/fake_platform.h"

namespace lumora {
namespace {

using platform::fake::FakeMachine;
using namespace std::string_literals;

constexpr char16_t kIniPath[] = u"C:\\Program Files\\Lumora\\l_mora64.ini";
constexpr char16_t kTemporaryPath[] = u"C:\\Program Files\\Lumora\\l_mora64.ini_temp";

// FF FE, the header, then the expected text, as little-endian code units.
std::string ConvertedBytes(const std::u16string& text) {
  std::string bytes = "\xFF\xFE";
  for (char16_t unit : u"; UNICODE FILE - edit with care ;-)\r\n\r\n" + text) {
    bytes.push_back(static_cast<char>(unit & 0xFF));
    bytes.push_back(static_cast<char>(unit >> 8));
  }
  return bytes;
}

class SettingsConversion : public ::testing::Test {
 protected:
  int Convert(const std::u16string& path = kIniPath) {
    return ConvertSettingsToUnicode(machine.platform, path, machine.files.OpenForReading(path));
  }
  FakeMachine machine;
};

struct ConversionCase {
  const char* name;
  std::string before;
  std::u16string text;  // what follows the header
};

TEST_F(SettingsConversion, ConvertsEveryByteOfTheFormerContent) {
  const ConversionCase cases[] = {
      {"CR LF lines", "[Language]\r\nDLL=ENGLISH\r\nLang=English\r\n", u"[Language]\r\nDLL=ENGLISH\r\nLang=English\r\n"},
      {"LF lines, last without end", "[Toolbar]\nSkin=Granite_24.png\nSize=24", u"[Toolbar]\nSkin=Granite_24.png\nSize=24"},
      {"lone CR", "a\rb\r\n", u"a\rb\r\n"},
      {"code page 1252", "Name=Caf\xE9 \x80 \x9C\r\n", u"Name=Caf\u00E9 \u20AC \u0153\r\n"},
      {"zero byte keeps the rest of the line", "Key=a\0b\r\nNext=1\r\n"s, u"Key=a\0b\r\nNext=1\r\n"s},
      {"one byte", "x", u"x"},
  };
  for (const ConversionCase& c : cases) {
    SCOPED_TRACE(c.name);
    FakeMachine fresh;
    fresh.files.AddFile(kIniPath, c.before);
    EXPECT_EQ(ConvertSettingsToUnicode(fresh.platform, kIniPath, fresh.files.OpenForReading(kIniPath)), 1);
    EXPECT_EQ(fresh.files.ReadFile(kIniPath), ConvertedBytes(c.text));
    EXPECT_FALSE(fresh.files.FileExists(kTemporaryPath));
  }
}

TEST_F(SettingsConversion, LongLinesAreNotCutAtReadChunks) {
  // Lines longer than one read of the file, ending right at and around its size.
  std::string before;
  std::u16string text;
  for (std::size_t length : {2046u, 2047u, 2048u, 5000u}) {
    before += std::string(length, 'v') + "\xE9\r\n";
    text += std::u16string(length, u'v') + u"\u00E9\r\n";
  }
  machine.files.AddFile(kIniPath, before);
  EXPECT_EQ(Convert(), 1);
  EXPECT_EQ(machine.files.ReadFile(kIniPath), ConvertedBytes(text));
}

// A double-byte code page: 0x81 leads, and with the byte after it makes U+3000 + that
// byte; a lead byte without its second byte becomes U+FFFD.
class DoubleByteSystem : public platform::fake::FakeSystem {
 public:
  std::u16string AnsiToUtf16(std::string_view bytes) override {
    std::u16string text;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
      const auto byte = static_cast<unsigned char>(bytes[i]);
      if (byte != 0x81) {
        text.push_back(byte);
      } else if (i + 1 < bytes.size()) {
        text.push_back(static_cast<char16_t>(0x3000 + static_cast<unsigned char>(bytes[++i])));
      } else {
        text.push_back(u'\uFFFD');
      }
    }
    return text;
  }
};

TEST_F(SettingsConversion, ADoubleByteCharacterAcrossAReadChunkStaysWhole) {
  DoubleByteSystem system;
  platform::Platform doubleByte{machine.files, machine.registry, machine.profiles, system, machine.shell,
                                machine.resources};
  // the pair takes bytes 2046 and 2047, either side of the first 2047-byte read
  machine.files.AddFile(kIniPath, "Name=" + std::string(2041, 'd') + "\x81\x41\r\n");
  EXPECT_EQ(ConvertSettingsToUnicode(doubleByte, kIniPath, machine.files.OpenForReading(kIniPath)), 1);
  EXPECT_EQ(machine.files.ReadFile(kIniPath), ConvertedBytes(u"Name=" + std::u16string(2041, u'd') + u"\u3041\r\n"));
}

TEST_F(SettingsConversion, LeavesAFileAlreadyInUtf16ByteForByte) {
  const std::string utf16 = ConvertedBytes(u"[Language]\r\nLang=English\r\n");
  machine.files.AddFile(kIniPath, utf16);
  EXPECT_EQ(Convert(), 1);
  EXPECT_EQ(machine.files.ReadFile(kIniPath), utf16);
  EXPECT_FALSE(machine.files.FileExists(kTemporaryPath));
}

TEST_F(SettingsConversion, LeavesAnEmptyFileAndWritesNoTemporaryFile) {
  machine.files.AddFile(kIniPath, "");
  EXPECT_EQ(Convert(), 1);
  EXPECT_EQ(machine.files.ReadFile(kIniPath), "");
  EXPECT_FALSE(machine.files.FileExists(kTemporaryPath));
}

TEST_F(SettingsConversion, ReplacesAStaleTemporaryFile) {
  machine.files.AddFile(kIniPath, "a=1\r\n");
  machine.files.AddFile(kTemporaryPath, "left over from an earlier run, longer than the new one");
  EXPECT_EQ(Convert(), 1);
  EXPECT_EQ(machine.files.ReadFile(kIniPath), ConvertedBytes(u"a=1\r\n"));
  EXPECT_FALSE(machine.files.FileExists(kTemporaryPath));
}

TEST_F(SettingsConversion, DiskFullKeepsTheSettingsFileAndDeletesTheTemporaryFile) {
  const std::string before = "[Language]\r\nDLL=ENGLISH\r\n";
  machine.files.AddFile(kIniPath, before);
  machine.files.SetFreeSpace(20);  // not even the header fits
  EXPECT_EQ(Convert(), 0);
  EXPECT_EQ(machine.files.ReadFile(kIniPath), before);
  EXPECT_FALSE(machine.files.FileExists(kTemporaryPath));
}

TEST_F(SettingsConversion, ATemporaryFileThatCannotBeCreatedChangesNothing) {
  const std::string before = "a=1\r\n";
  machine.files.AddFile(kIniPath, before);
  machine.files.FailCreateForWritingAt(0);
  EXPECT_EQ(Convert(), 1);
  EXPECT_EQ(machine.files.ReadFile(kIniPath), before);
  EXPECT_FALSE(machine.files.FileExists(kTemporaryPath));
}

TEST_F(SettingsConversion, AReadErrorKeepsTheSettingsFile) {
  const std::string before = std::string(3000, 'r') + "\r\n";
  machine.files.AddFile(kIniPath, before);
  machine.files.FailReadsAfter(kIniPath, 2500);
  EXPECT_EQ(Convert(), 0);
  EXPECT_EQ(machine.files.ReadFile(kIniPath), before);
  EXPECT_FALSE(machine.files.FileExists(kTemporaryPath));
}

TEST_F(SettingsConversion, ALockedSettingsFileStaysAndTheTemporaryFileHoldsTheConversion) {
  const std::string before = "a=1\r\n";
  machine.files.AddFile(kIniPath, before);
  machine.files.LockFile(kIniPath);
  EXPECT_EQ(Convert(), 0);
  EXPECT_EQ(machine.files.ReadFile(kIniPath), before);
  EXPECT_EQ(machine.files.ReadFile(kTemporaryPath), ConvertedBytes(u"a=1\r\n"));
}

struct TemporaryPathCase {
  std::u16string iniPath;
  std::u16string expected;
};

TEST(SettingsTemporaryPath, LiesInTheFolderOfTheSettingsFileWhateverItsName) {
  const TemporaryPathCase cases[] = {
      {u"C:\\Users\\me\\AppData\\Roaming\\Lumora\\l_mora64.ini", u"C:\\Users\\me\\AppData\\Roaming\\Lumora\\l_mora64.ini_temp"},
      {u"D:\\other.ini", u"D:\\l_mora64.ini_temp"},
      {u"\\\\server\\share\\l_mora64.ini", u"\\\\server\\share\\l_mora64.ini_temp"},
      {u"l_mora64.ini", u"l_mora64.ini_temp"},
  };
  for (const TemporaryPathCase& c : cases) EXPECT_EQ(SettingsTemporaryPath(c.iniPath), c.expected);
}

}  // namespace
}  // namespace lumora
