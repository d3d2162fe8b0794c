#include "install/path_helpers.h"

namespace lumora {
namespace {

constexpr char16_t kBlank = u' ';
constexpr char16_t kBackslash = u'\\';
constexpr char16_t kQuote = u'"';

// A path of this length or less still has room for a trailing backslash in a
// 260-unit buffer.
constexpr std::size_t kRoomForSeparator = kPathBufferUnits - 2;
// The most units a 260-unit buffer holds besides its terminator.
constexpr std::size_t kMaxPathUnits = kPathBufferUnits - 1;

void RemoveTrailingBlanks(std::u16string& text) {
  const std::size_t last = text.find_last_not_of(kBlank);
  text.erase(last == std::u16string::npos ? 0 : last + 1);
}

bool EndsWithBackslash(const std::u16string& text) { return !text.empty() && text.back() == kBackslash; }

void AppendSeparatorIfRoom(std::u16string& path) {
  if (path.size() <= kRoomForSeparator && !EndsWithBackslash(path)) path.push_back(kBackslash);
}

// Tests whether `folder` can be entered, leaving the current folder as it was. When
// the current folder cannot be read it cannot be restored, and `folder` stays current.
bool CanEnterFolder(platform::FileSystem& files, const std::u16string& folder) {
  std::u16string remembered;
  const bool haveRemembered = files.GetCurrentFolder(remembered);
  if (!files.SetCurrentFolder(folder)) return false;
  if (haveRemembered) files.SetCurrentFolder(remembered);
  return true;
}

// Rebuilds the path level by level from its first 259 units, creating each level
// that ends in a separator. Failures to create are ignored: a level that exists, a
// drive with its colon or a server name simply fails, and only the final test counts.
std::u16string CreateLevels(platform::FileSystem& files, const std::u16string& path) {
  std::u16string built;
  std::size_t next = 0;
  if (path.size() >= 2 && path[0] == kBackslash && path[1] == kBackslash) {
    built = u"\\\\";
    next = 2;
  }
  const std::size_t end = path.size() < kMaxPathUnits ? path.size() : kMaxPathUnits;
  for (; next < end; ++next) {
    const char16_t unit = path[next];
    if (unit != kBackslash) {
      built.push_back(unit);
      continue;
    }
    TrimBlanks(built);
    if (built.empty()) {
      // A path below the root of the current drive: nothing to create for the empty
      // level, but the root separator stays so that the levels below keep their place.
      built.push_back(kBackslash);
      continue;
    }
    files.CreateFolder(built);
    AppendSeparatorIfRoom(built);
  }
  return built;
}

}  // namespace

void TrimBlanks(std::u16string& path) {
  if (path.empty()) return;
  RemoveTrailingBlanks(path);
  if (!path.empty() && path.front() == kBlank && path.size() < kPathBufferUnits) {
    path.erase(0, path.find_first_not_of(kBlank));
  }
}

void UnquotePath(std::u16string& path) {
  RemoveTrailingBlanks(path);
  if (path.empty()) return;
  if (path.back() == kQuote) path.pop_back();
  if (!path.empty() && path.front() == kQuote) path.erase(0, 1);
  RemoveTrailingBlanks(path);
}

int CreateFolderTree(platform::FileSystem& files, std::u16string& path) {
  TrimBlanks(path);
  if (path.empty()) return 0;
  AppendSeparatorIfRoom(path);
  if (CanEnterFolder(files, path)) return 1;

  path = CreateLevels(files, path);
  AppendSeparatorIfRoom(path);
  return CanEnterFolder(files, path) ? 1 : 0;
}

}  // namespace lumora
