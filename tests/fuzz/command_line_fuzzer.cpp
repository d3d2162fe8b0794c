// Hostile command lines through the silent road's grammar. Checked on every input:
//  - only the first 519 units are read: the line cut there parses the same;
//  - text values stay within their budgets, hold no "/", end in no blank, and come
//    from the line itself (or are the defaults when their option is absent);
//  - numbers read as the C runtime's strtol reads the value, held at the 32-bit
//    limits;
//  - "/assoc=" selects exactly the image rows or all rows, and then only.
#include <algorithm>
#include <climits>
#include <cstdlib>
#include <optional>
#include <string>

#include "app/command_line.h"
#include "fuzz/fuzz_support.h"

namespace lumora {
namespace {

using fuzz::Show;

const std::u16string kPreviousFolder = u"C:\\Earlier\\Lumora\\";
const std::u16string kDefaultFolder = u"C:\\Program Files\\Lumora";

// The text the grammar sees after `prefix`: from its first occurrence in the first 519
// units, at most 260 minus the prefix's length units, cut at the first "/".
std::optional<std::u16string> RawValue(std::u16string_view work, std::u16string_view prefix) {
  const std::size_t at = work.find(prefix);
  if (at == std::u16string_view::npos) return std::nullopt;
  std::u16string_view value = work.substr(at + prefix.size(), 260 - prefix.size());
  return std::u16string(value.substr(0, value.find(u'/')));
}

// The reference reading of a number: the C runtime's own conversion of the value
// (a unit outside ASCII cannot be white space, a sign or a digit, so it stops the
// conversion like any letter), held at the 32-bit limits.
std::int32_t StrtolReading(const std::u16string& value) {
  std::string narrow;
  for (char16_t unit : value) narrow.push_back(unit < 0x80 && unit != 0 ? static_cast<char>(unit) : 'x');
  const long long read = std::strtoll(narrow.c_str(), nullptr, 10);
  return static_cast<std::int32_t>(std::clamp<long long>(read, INT32_MIN, INT32_MAX));
}

void CheckTextField(const std::u16string& field, const std::optional<std::u16string>& raw,
                    const std::u16string& fallback, std::size_t budget, const char* name) {
  if (!raw) {
    FUZZ_CHECK(field == fallback, std::string(name) + " should keep its default, is '" + Show(field) + "'");
    return;
  }
  FUZZ_CHECK(field.size() <= budget, std::string(name) + " over its budget: " + Show(field));
  FUZZ_CHECK(field.find(u'/') == std::u16string::npos, std::string(name) + " holds a slash: " + Show(field));
  FUZZ_CHECK(field.empty() || field.back() != u' ', std::string(name) + " ends in a blank: '" + Show(field) + "'");
  FUZZ_CHECK(raw->find(field) != std::u16string::npos,
             std::string(name) + " '" + Show(field) + "' is not part of its value '" + Show(*raw) + "'");
}

void CheckNumberField(std::int32_t field, const std::optional<std::u16string>& raw, const char* name) {
  const std::int32_t expected = raw ? StrtolReading(*raw) : 0;
  FUZZ_CHECK(field == expected, std::string(name) + " reads " + std::to_string(field) + ", strtol reads " +
                                    std::to_string(expected) + " from '" + Show(raw.value_or(u"")) + "'");
}

bool SameOptions(const SetupOptions& a, const SetupOptions& b) {
  return a.destinationFolder == b.destinationFolder && a.startMenuGroup == b.startMenuGroup &&
         a.desktopShortcut == b.desktopShortcut && a.thumbnailsShortcut == b.thumbnailsShortcut &&
         a.allUsers == b.allUsers && a.iniFolder == b.iniFolder && a.associations == b.associations &&
         a.registerAssociations == b.registerAssociations && a.silent == b.silent && a.caption == b.caption;
}

void CheckAssociations(const SetupOptions& options, const std::optional<std::u16string>& raw) {
  const std::int32_t choice = raw ? StrtolReading(*raw) : 0;
  const auto selected = std::count(options.associations.begin(), options.associations.end(), 1);
  const auto cleared = std::count(options.associations.begin(), options.associations.end(), 0);
  FUZZ_CHECK(selected + cleared == static_cast<long>(kSelectionSlotCount), "a slot holds neither 0 nor 1");
  const long expectedSelected = choice == 1 ? static_cast<long>(kImageRowCount)
                                : choice == 2 ? static_cast<long>(kSelectionSlotCount)
                                              : 0;
  FUZZ_CHECK(selected == expectedSelected, "/assoc=" + std::to_string(choice) + " selected " +
                                               std::to_string(selected) + " slots");
  if (choice == 1) FUZZ_CHECK(options.associations[kImageRowCount - 1] == 1 && options.associations[kImageRowCount] == 0,
                              "/assoc=1 must select exactly rows 0 to 48");
  FUZZ_CHECK(options.registerAssociations == (expectedSelected > 0 ? 1 : 0), "registerAssociations disagrees");
}

}  // namespace
}  // namespace lumora

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace lumora;
  if (size == 0) return 0;
  const bool earlierInstallation = (data[0] & 1) != 0;
  const std::u16string line = fuzz::DecodeFuzzText(fuzz::AsBytes(data + 1, size - 1));
  const std::optional<std::u16string> previous =
      earlierInstallation ? std::optional<std::u16string>(kPreviousFolder) : std::nullopt;

  (void)HasSilentSwitch(line);
  const SetupOptions options = ParseSilentOptions(line, previous, kDefaultFolder);

  std::u16string_view work(line);
  work = work.substr(0, work.find(u'\0'));
  work = work.substr(0, kCommandLineWorkUnits);
  const SetupOptions cut = ParseSilentOptions(work, previous, kDefaultFolder);
  FUZZ_CHECK(SameOptions(options, cut), "units beyond 519 changed the options of '" + Show(work) + "'");

  FUZZ_CHECK(options.silent == 1, "a silent record must have silent = 1");
  CheckTextField(options.destinationFolder, RawValue(work, u"/folder="),
                 earlierInstallation ? kPreviousFolder : kDefaultFolder, 252, "destinationFolder");
  CheckTextField(options.iniFolder, RawValue(work, u"/ini="),
                 earlierInstallation ? u"" : u"%APPDATA%\\Lumora", 255, "iniFolder");
  CheckNumberField(options.desktopShortcut, RawValue(work, u"/desktop="), "desktopShortcut");
  CheckNumberField(options.thumbnailsShortcut, RawValue(work, u"/thumbs="), "thumbnailsShortcut");
  CheckNumberField(options.startMenuGroup, RawValue(work, u"/group="), "startMenuGroup");
  CheckNumberField(options.allUsers, RawValue(work, u"/allusers="), "allUsers");
  CheckAssociations(options, RawValue(work, u"/assoc="));
  return 0;
}
