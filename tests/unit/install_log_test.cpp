// The installation log's entries, byte for byte, and where they land.
#include "install/install_log.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/fake/fake_platform.h"

namespace lumora {
namespace {

using platform::LocalTime;
using platform::fake::FakeFileSystem;
using platform::fake::FakeSystem;

const std::string kSeparator = "------------------------------------------------\r\n";

TEST(EncodeLogEntry, WritesDateTimeMessageAndSeparatorIn8BitWithCrLf) {
  struct Case {
    std::u16string date;
    LocalTime time;
    std::u16string message;
    std::string expected;
  } const cases[] = {
      {u"12/11/2026", {2026, 12, 11, 7, 5, 9}, u"Can't create", "12/11/2026 - 07:05:09: Can't create\r\n"},
      {u"12/11/2026", {2026, 12, 11, 23, 59, 0}, u"a\n\nb", "12/11/2026 - 23:59:00: a\r\n\r\nb\r\n"},
      {u"", {2026, 1, 1, 0, 0, 0}, u"x", " - 00:00:00: x\r\n"},
      {u"2026\u5e7412\u6708", {2026, 12, 1, 12, 0, 0}, u"D:\\Caf\u00e9\\\u5199\u771f", "2026?12? - 12:00:00: D:\\Caf\xe9\\??\r\n"},
      {u"d", {2026, 12, 1, 1, 2, 3}, u"\U0001F600|\r\n|\x01|\xff|\x100", "d - 01:02:03: ??|\r\r\n|\x01|\xff|?\r\n"},
      {u"d", {2026, 12, 1, 1, 2, 3}, std::u16string(u"a\0b", 3), std::string("d - 01:02:03: a?b\r\n")},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.message));
    EXPECT_EQ(EncodeLogEntry(c.date, c.time, c.message), c.expected + kSeparator);
  }
}

TEST(AppendToInstallLog, CreatesThenAppendsInTheCurrentFolder) {
  FakeFileSystem files;
  FakeSystem system;
  files.AddFolder(u"C:\\scripts");
  ASSERT_TRUE(files.SetCurrentFolder(u"C:\\scripts"));

  AppendToInstallLog(files, system, u"first\nline");
  system.localTime = {2026, 12, 12, 18, 30, 1};
  system.shortDate = u"12/12/2026";
  AppendToInstallLog(files, system, u"second");

  EXPECT_EQ(files.ReadFile(u"C:\\scripts\\Lumora_Install.log"),
            "12/11/2026 - 07:05:09: first\r\nline\r\n" + kSeparator + "12/12/2026 - 18:30:01: second\r\n" + kSeparator);
  EXPECT_TRUE(files.RemoveFile(u"C:\\scripts\\Lumora_Install.log")) << "the log was left open";
}

TEST(AppendToInstallLog, DropsTheEntryWhenTheLogCannotBeOpened) {
  FakeFileSystem files;
  FakeSystem system;
  files.AddFolder(u"C:\\readonly");
  ASSERT_TRUE(files.SetCurrentFolder(u"C:\\readonly"));
  files.DenyAccess(u"C:\\readonly");
  AppendToInstallLog(files, system, u"lost");
  EXPECT_FALSE(files.FileExists(u"C:\\readonly\\Lumora_Install.log"));
}

TEST(AppendLogLine, ClosesTheStreamEvenWhenTheDiskIsFull) {
  FakeFileSystem files;
  FakeSystem system;
  files.AddFile(u"C:\\Lumora_Install.log", "old\r\n");
  files.SetFreeSpace(10);
  auto log = files.OpenForAppending(u"C:\\Lumora_Install.log");
  ASSERT_TRUE(log);
  AppendLogLine(system, u"a message longer than the space left", *log);
  EXPECT_EQ(files.ReadFile(u"C:\\Lumora_Install.log"), "old\r\n12/11/2026");
  EXPECT_TRUE(files.RemoveFile(u"C:\\Lumora_Install.log"));
}

}  // namespace
}  // namespace lumora
