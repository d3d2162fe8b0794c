#include "wizard/folder_rules.h"

namespace lumora {
namespace {

constexpr std::u16string_view kProductFolderLevel = u"Lumora\\";
constexpr std::u16string_view kProductLevelWithSeparators = u"\\lumora\\";
constexpr std::size_t kDriveRootLength = 3;  // "D:\"

char16_t FoldAsciiCase(char16_t unit) {
  return (unit >= u'A' && unit <= u'Z') ? static_cast<char16_t>(unit - u'A' + u'a') : unit;
}

// The C runtime's case-insensitive comparison in the "C" locale folds ASCII only.
bool EqualsIgnoringAsciiCase(std::u16string_view left, std::u16string_view right) {
  if (left.size() != right.size()) return false;
  for (std::size_t i = 0; i < left.size(); ++i) {
    if (FoldAsciiCase(left[i]) != FoldAsciiCase(right[i])) return false;
  }
  return true;
}

bool EndsWithBackslash(std::u16string_view text) { return !text.empty() && text.back() == u'\\'; }

}  // namespace

std::u16string_view DrivePartOf(std::u16string_view path) {
  if (path.size() >= 2 && path[1] == u':') return path.substr(0, 2);
  return {};
}

bool IsAcceptableDestination(std::u16string_view folderText) {
  return !folderText.empty() && !DrivePartOf(folderText).empty();
}

std::optional<std::u16string> FolderForPickedPath(std::u16string_view picked) {
  std::u16string path(picked);
  if (!EndsWithBackslash(path)) path += u'\\';

  // The backslash before the final one: scanning starts at the second-to-last character.
  std::ptrdiff_t previousSeparator = -1;
  for (std::ptrdiff_t i = static_cast<std::ptrdiff_t>(path.size()) - 2; i >= 0; --i) {
    if (path[static_cast<std::size_t>(i)] == u'\\') {
      previousSeparator = i;
      break;
    }
  }
  const bool lastLevelIsProduct =
      previousSeparator > 0 &&
      EqualsIgnoringAsciiCase(std::u16string_view(path).substr(static_cast<std::size_t>(previousSeparator)),
                              kProductLevelWithSeparators);
  const bool addProductLevel = (previousSeparator > 0 && !lastLevelIsProduct) || path.size() == kDriveRootLength;
  if (addProductLevel) path += kProductFolderLevel;

  if (path.size() > kBrowsePathMaxUnits) return std::nullopt;
  return path;
}

std::u16string PickerStartFolder(std::u16string_view folderText) {
  std::u16string start(folderText.substr(0, kBrowsePathMaxUnits));
  if (start.size() > kDriveRootLength && EndsWithBackslash(start)) start.pop_back();
  return start;
}

}  // namespace lumora
