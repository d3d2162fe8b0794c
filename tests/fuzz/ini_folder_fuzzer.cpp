// Hostile INI folder texts and environments through ExpandIniFolder. Input: up to
// three variables (name, value), a split position, then the text. Checked:
//  - the result never exceeds 519 units;
//  - a text without "%" comes back unchanged (or refused, when over 519 units);
//  - with no variable defined nothing but the text's own units remain, and no "%";
//  - expansion is left to right with nothing carried across a closed reference: a
//    text split after an even number of "%" expands to the two halves' expansions
//    joined, whenever no name or value is beyond its limit and the text expands.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <string>

#include "fuzz/fuzz_support.h"
#include "install/ini_folder.h"
#include "platform/fake/fake_platform.h"

namespace lumora {
namespace {

using fuzz::Show;

bool IsSubsequence(const std::u16string& part, const std::u16string& whole) {
  std::size_t at = 0;
  for (char16_t unit : whole)
    if (at < part.size() && part[at] == unit) ++at;
  return at == part.size();
}

// No run of units between two "%" (a possible variable name) is over the limit.
bool NamesWithinLimit(const std::u16string& text) {
  std::size_t run = 0;
  for (char16_t unit : text) {
    run = unit == u'%' ? 0 : run + 1;
    if (run > kVariableNameMaxUnits) return false;
  }
  return true;
}

}  // namespace
}  // namespace lumora

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace lumora;
  FuzzedDataProvider input(data, size);
  platform::fake::FakeSystem system;
  system.environment.clear();
  const int variables = input.ConsumeIntegralInRange(0, 3);
  bool valuesWithinLimit = true;
  for (int i = 0; i < variables; ++i) {
    const std::u16string name = fuzz::DecodeFuzzText(input.ConsumeRandomLengthString(300));
    const std::u16string value = fuzz::DecodeFuzzText(input.ConsumeRandomLengthString(300));
    if (name.empty() || name.find(u'%') != std::u16string::npos) continue;
    system.environment[name] = value;
    valuesWithinLimit = valuesWithinLimit && value.size() <= kVariableValueMaxUnits;
  }
  const std::size_t split = input.ConsumeIntegral<std::uint16_t>();
  const std::u16string text = fuzz::DecodeFuzzText(input.ConsumeRemainingBytesAsString());

  const std::u16string expanded = ExpandIniFolder(system, text);
  FUZZ_CHECK(expanded.size() <= kIniFolderMaxUnits, "the expansion has " + std::to_string(expanded.size()) + " units");
  if (text.find(u'%') == std::u16string::npos) {
    const std::u16string expected = text.size() <= kIniFolderMaxUnits ? text : u"";
    FUZZ_CHECK(expanded == expected, "a text without references changed: '" + Show(text) + "'");
  }
  if (system.environment.empty()) {
    FUZZ_CHECK(expanded.find(u'%') == std::u16string::npos, "a percent sign survived: '" + Show(expanded) + "'");
    FUZZ_CHECK(IsSubsequence(expanded, text), "units appeared without any variable: '" + Show(expanded) + "'");
  }

  const std::u16string first = text.substr(0, std::min(split, text.size()));
  const std::u16string second = text.substr(first.size());
  if (std::count(first.begin(), first.end(), u'%') % 2 == 0 && valuesWithinLimit && NamesWithinLimit(text)) {
    // Only an over-long result is refused here, and then the whole text is too: a
    // text that expands at all expands as its halves do.
    const std::u16string joined = ExpandIniFolder(system, first) + ExpandIniFolder(system, second);
    if (!expanded.empty())
      FUZZ_CHECK(expanded == joined, "'" + Show(text) + "' expands to '" + Show(expanded) + "', its halves to '" +
                                         Show(joined) + "'");
  }
  return 0;
}
