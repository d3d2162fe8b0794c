#include "app/command_line.h"

#include <limits>

#include "install/path_helpers.h"

namespace lumora {
namespace {

constexpr char16_t kOptionEnd = u'/';
constexpr char16_t kSilentIniFolder[] = u"%APPDATA%\\Lumora";
constexpr std::int32_t kAssociateImageRows = 1;
constexpr std::int32_t kAssociateAllRows = 2;

bool IsWhiteSpace(char16_t unit) { return unit == u' ' || (unit >= u'\t' && unit <= u'\r'); }

// The command line as the fixed work buffer holds it: cut at a terminator, then to
// its first 519 units.
std::u16string_view WorkText(std::u16string_view commandLine) {
  const std::size_t terminator = commandLine.find(u'\0');
  if (terminator != std::u16string_view::npos) commandLine = commandLine.substr(0, terminator);
  return commandLine.substr(0, kCommandLineWorkUnits);
}

// A text option replaces the default also when its value is empty.
void ReadTextOption(std::u16string_view text, std::u16string_view prefix, std::u16string& field) {
  std::optional<std::u16string> value = FindOptionValue(text, prefix);
  if (!value) return;
  if (!value->empty()) UnquotePath(*value);
  field = std::move(*value);
}

void ReadNumberOption(std::u16string_view text, std::u16string_view prefix, std::int32_t& field) {
  const std::optional<std::u16string> value = FindOptionValue(text, prefix);
  if (value) field = ReadOptionNumber(*value);
}

void ReadAssociationOption(std::u16string_view text, SetupOptions& options) {
  const std::optional<std::u16string> value = FindOptionValue(text, u"/assoc=");
  if (!value) return;
  switch (ReadOptionNumber(*value)) {
    case kAssociateImageRows:
      SelectImageRows(options.associations);
      options.registerAssociations = 1;
      break;
    case kAssociateAllRows:
      SelectAllRows(options.associations);
      options.registerAssociations = 1;
      break;
    default:
      options.registerAssociations = 0;
      break;
  }
}

}  // namespace

bool HasSilentSwitch(std::u16string_view commandLine) { return commandLine.find(u"/silent") != std::u16string_view::npos; }

std::int32_t ReadOptionNumber(std::u16string_view value) {
  std::size_t next = 0;
  while (next < value.size() && IsWhiteSpace(value[next])) ++next;
  bool negative = false;
  if (next < value.size() && (value[next] == u'+' || value[next] == u'-')) {
    negative = value[next] == u'-';
    ++next;
  }
  // Accumulated as a magnitude, held just past the 32-bit range so it cannot overflow.
  constexpr std::int64_t kMagnitudeCap = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
  std::int64_t magnitude = 0;
  for (; next < value.size() && value[next] >= u'0' && value[next] <= u'9'; ++next) {
    magnitude = magnitude * 10 + (value[next] - u'0');
    if (magnitude > kMagnitudeCap) magnitude = kMagnitudeCap;
  }
  const std::int64_t number = negative ? -magnitude : magnitude;
  if (number > std::numeric_limits<std::int32_t>::max()) return std::numeric_limits<std::int32_t>::max();
  return static_cast<std::int32_t>(number);
}

std::optional<std::u16string> FindOptionValue(std::u16string_view text, std::u16string_view prefix) {
  const std::size_t found = text.find(prefix);
  if (found == std::u16string_view::npos) return std::nullopt;
  std::u16string_view value = text.substr(found + prefix.size(), kOptionValueBudget - prefix.size());
  value = value.substr(0, value.find(kOptionEnd));
  return std::u16string(value);
}

SetupOptions ParseSilentOptions(std::u16string_view commandLine, const std::optional<std::u16string>& previousFolder,
                                const std::u16string& defaultFolder) {
  SetupOptions options;
  options.silent = 1;
  if (previousFolder) {
    options.destinationFolder = *previousFolder;
  } else {
    options.destinationFolder = defaultFolder;
    options.iniFolder = kSilentIniFolder;
  }

  const std::u16string_view text = WorkText(commandLine);
  ReadTextOption(text, u"/folder=", options.destinationFolder);
  ReadNumberOption(text, u"/desktop=", options.desktopShortcut);
  ReadNumberOption(text, u"/thumbs=", options.thumbnailsShortcut);
  ReadNumberOption(text, u"/group=", options.startMenuGroup);
  ReadNumberOption(text, u"/allusers=", options.allUsers);
  ReadAssociationOption(text, options);
  ReadTextOption(text, u"/ini=", options.iniFolder);
  return options;
}

}  // namespace lumora
