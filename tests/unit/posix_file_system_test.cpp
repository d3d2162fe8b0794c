// The POSIX file system maps C:\ onto a real folder with the Win32 path rules.
#include "platform/posix/posix_file_system.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace lumora::platform::posix {
namespace {

namespace fs = std::filesystem;

class PosixFileSystemTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "lumora_posix_fs_XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    root_ = pattern;
  }
  void TearDown() override {
    std::error_code error;
    fs::remove_all(root_, error);
  }
  static std::string Slurp(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
  }
  fs::path root_;
};

TEST_F(PosixFileSystemTest, FoldersFilesAndCaseInsensitiveNames) {
  PosixFileSystem files(root_);
  EXPECT_EQ(files.CreateFolder(u"C:\\Program Files  "), kErrorSuccess);
  EXPECT_TRUE(fs::is_directory(root_ / "Program Files"));
  EXPECT_EQ(files.CreateFolder(u"c:/PROGRAM FILES"), kErrorAlreadyExists);
  EXPECT_EQ(files.CreateFolder(u"C:\\missing\\child"), kErrorPathNotFound);
  EXPECT_EQ(files.CreateFolder(u"C:\\"), kErrorAccessDenied);
  EXPECT_EQ(files.CreateFolder(u"D:\\x"), kErrorPathNotFound);
  ASSERT_TRUE(files.SetCurrentFolder(u"C:\\program files"));
  ASSERT_EQ(files.CreateFolder(u"Lumora"), kErrorSuccess);
  ASSERT_EQ(files.CreateFolder(u"Lumora\\Plugins"), kErrorSuccess);

  auto out = files.CreateForWriting(u"lumora/plugins/Icons.dll");
  ASSERT_TRUE(out);
  EXPECT_TRUE(out->Write("MZ\x90", 3));
  EXPECT_TRUE(out->Close());
  EXPECT_EQ(Slurp(root_ / "Program Files" / "Lumora" / "Plugins" / "Icons.dll"), "MZ\x90");

  auto in = files.OpenForReading(u"C:\\PROGRAM FILES\\LUMORA\\PLUGINS\\ICONS.DLL");
  ASSERT_TRUE(in);
  ASSERT_TRUE(in->Seek(1, SeekOrigin::kBegin));
  char buffer[4] = {};
  EXPECT_EQ(in->Read(buffer, sizeof buffer), 2u);
  EXPECT_EQ(in->Tell(), 3);
  EXPECT_FALSE(in->HadError());
  in->Close();

  EXPECT_FALSE(files.CreateForWriting(u"C:\\nowhere\\f"));
  auto log = files.OpenForAppending(u"C:\\setup.log");
  ASSERT_TRUE(log);
  EXPECT_TRUE(log->Write("a\r\n", 3));
  log.reset();
  EXPECT_EQ(Slurp(root_ / "setup.log"), "a\r\n");

  EXPECT_TRUE(files.MoveFileReplacing(u"C:\\setup.log", u"C:\\Program Files\\Lumora\\plugins\\icons.dll"));
  EXPECT_EQ(Slurp(root_ / "Program Files" / "Lumora" / "Plugins" / "Icons.dll"), "a\r\n");
  EXPECT_FALSE(fs::exists(root_ / "setup.log"));
  EXPECT_TRUE(files.SetFileTimesFromLocalDos(u"C:\\Program Files\\Lumora\\Plugins\\Icons.dll",
                                             (46u << 25) | (12u << 21) | (11u << 16) | (7u << 11)));
  struct stat info {};
  ASSERT_EQ(::stat((root_ / "Program Files" / "Lumora" / "Plugins" / "Icons.dll").c_str(), &info), 0);
  std::tm local{};
  std::time_t seconds = info.st_mtime;
  localtime_r(&seconds, &local);
  EXPECT_EQ(local.tm_year + 1900, 2026);
  EXPECT_EQ(local.tm_hour, 7);
  EXPECT_TRUE(files.RemoveFile(u"C:\\Program Files\\Lumora\\Plugins\\Icons.dll"));
  EXPECT_FALSE(files.RemoveFile(u"C:\\Program Files\\Lumora\\Plugins\\Icons.dll"));
  EXPECT_FALSE(files.RemoveFile(u"C:\\Program Files"));
}

}  // namespace
}  // namespace lumora::platform::posix
