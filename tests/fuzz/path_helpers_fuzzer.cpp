// Hostile folder texts through TrimBlanks, UnquotePath and CreateFolderTree on the
// fake file system, with a denied folder, a file in the way of a folder, a second
// drive and a network share to run into. Input: one byte of machine set-up, then
// up to four paths separated by line feeds, handled in order on the same machine.
// Checked: the texts only lose units at their ends; CreateFolderTree answers 1
// exactly when the rewritten folder exists, keeps the current folder, and leaves a
// trailing backslash whenever it fits.
#include <algorithm>
#include <string>

#include "fuzz/fuzz_support.h"
#include "install/path_helpers.h"
#include "platform/fake/fake_platform.h"

namespace lumora {
namespace {

using fuzz::Show;
using platform::fake::FakeFileSystem;

void SetUpMachine(FakeFileSystem& files, std::uint8_t setup) {
  files.AddFolder(u"C:\\Denied\\Inside");
  if (setup & 0x01) files.DenyAccess(u"C:\\Denied");
  files.AddFile(u"C:\\Blocked", "a file where a folder is wanted");
  if (setup & 0x02) files.AddDrive(u'D');
  if (setup & 0x04) files.AddFolder(u"\\\\server\\share");
  if (setup & 0x08) files.SetCurrentFolder(u"C:\\users\\tester\\Temp");
}

void CheckTrimBlanks(const std::u16string& input) {
  std::u16string path = input;
  TrimBlanks(path);
  FUZZ_CHECK(input.find(path) != std::u16string::npos, "TrimBlanks made up units: '" + Show(path) + "'");
  FUZZ_CHECK(path.empty() || path.back() != u' ', "TrimBlanks left a trailing blank: '" + Show(path) + "'");
  const std::size_t kept = input.find_last_not_of(u' ');
  const std::size_t withoutTrailing = kept == std::u16string::npos ? 0 : kept + 1;
  if (withoutTrailing < kPathBufferUnits)
    FUZZ_CHECK(path.empty() || path.front() != u' ', "TrimBlanks left a leading blank: '" + Show(path) + "'");
  std::u16string again = path;
  TrimBlanks(again);
  FUZZ_CHECK(again == path, "TrimBlanks is not idempotent on '" + Show(path) + "'");
}

void CheckUnquotePath(const std::u16string& input) {
  if (input.empty()) return;  // callers never unquote an empty text
  std::u16string path = input;
  UnquotePath(path);
  FUZZ_CHECK(input.find(path) != std::u16string::npos, "UnquotePath made up units: '" + Show(path) + "'");
  FUZZ_CHECK(path.empty() || path.back() != u' ', "UnquotePath left a trailing blank: '" + Show(path) + "'");
  // What is left is the input from its first unit, or from its second after a quote,
  // and what follows it in the input is blanks and at most one quote.
  auto explains = [&](std::size_t start) {
    if (start == 1 && input[0] != u'"') return false;
    if (input.compare(start, path.size(), path) != 0) return false;
    std::size_t quotes = 0;
    for (std::size_t i = start + path.size(); i < input.size(); ++i) {
      if (input[i] != u' ' && input[i] != u'"') return false;
      quotes += input[i] == u'"' ? 1 : 0;
    }
    return quotes <= 1;
  };
  FUZZ_CHECK(explains(0) || explains(1),
             "UnquotePath took more than blanks and one quote at each end: '" + Show(input) + "' gave '" + Show(path) + "'");
}

void CheckCreateFolderTree(FakeFileSystem& files, const std::u16string& input) {
  const std::u16string currentBefore = files.CurrentFolder();
  std::u16string path = input;
  const int result = CreateFolderTree(files, path);
  FUZZ_CHECK(result == 0 || result == 1, "CreateFolderTree answered " + std::to_string(result));
  FUZZ_CHECK(files.CurrentFolder() == currentBefore,
             "CreateFolderTree moved the current folder to " + Show(files.CurrentFolder()) + " for '" + Show(input) + "'");
  if (result == 1) {
    FUZZ_CHECK(files.FolderExists(path), "answered 1 but '" + Show(path) + "' does not exist");
    FUZZ_CHECK(files.SetCurrentFolder(path), "answered 1 but '" + Show(path) + "' cannot be entered");
    files.SetCurrentFolder(currentBefore);
  }
  std::u16string trimmed = input;
  TrimBlanks(trimmed);
  if (trimmed.empty()) FUZZ_CHECK(result == 0, "an empty folder text must answer 0");
  FUZZ_CHECK(path.size() <= std::max(trimmed.size() + 1, kPathBufferUnits - 1),
             "CreateFolderTree grew '" + Show(input) + "' to '" + Show(path) + "'");
  if (!path.empty() && path.back() != u'\\')
    FUZZ_CHECK(path.size() >= kPathBufferUnits - 1, "no trailing backslash although it fits: '" + Show(path) + "'");
}

}  // namespace
}  // namespace lumora

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace lumora;
  if (size == 0) return 0;
  FakeFileSystem files;
  SetUpMachine(files, data[0]);
  const std::u16string text = fuzz::DecodeFuzzText(fuzz::AsBytes(data + 1, size - 1));
  std::size_t start = 0;
  for (int path = 0; path < 4 && start <= text.size(); ++path) {
    const std::size_t end = std::min(text.find(u'\n', start), text.size());
    const std::u16string input = text.substr(start, end - start);
    CheckTrimBlanks(input);
    CheckUnquotePath(input);
    CheckCreateFolderTree(files, input);
    start = end + 1;
  }
  return 0;
}
