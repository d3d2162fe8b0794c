// Expanding the environment references of an INI folder, and refusing what does not
// fit the supported lengths.
#include "install/ini_folder.h"

#include <gtest/gtest.h>

#include "platform/fake/fake_platform.h"

namespace lumora {
namespace {

struct ExpandCase {
  std::u16string text;
  std::u16string expected;
};

void ExpectExpansions(platform::fake::FakeSystem& system, const std::vector<ExpandCase>& cases) {
  for (const ExpandCase& c : cases) {
    const std::u16string expanded = ExpandIniFolder(system, c.text);
    EXPECT_TRUE(expanded == c.expected) << "text of " << c.text.size() << " units, got " << expanded.size()
                                        << " units, expected " << c.expected.size();
  }
}

TEST(ExpandIniFolder, ReplacesReferencesFromLeftToRight) {
  platform::fake::FakeSystem system;  // APPDATA and TEMP defined
  const std::u16string appData = u"C:\\users\\tester\\AppData\\Roaming";
  ExpectExpansions(system, {
                               {u"C:\\Settings\\Lumora", u"C:\\Settings\\Lumora"},
                               {u"", u""},
                               {u"%APPDATA%\\Lumora", appData + u"\\Lumora"},
                               {u"%appdata%\\Lumora", appData + u"\\Lumora"},
                               {u"%APPDATA%%TEMP%", appData + u"C:\\users\\tester\\Temp"},
                               {u"%UNDEFINED%\\x", u"\\x"},
                               {u"C:\\a%%b", u"C:\\ab"},
                               {u"%%\\x", u"\\x"},
                               {u"C:\\x\\%APPDATA", u"C:\\x\\" + appData},  // unclosed: up to the end
                               {u"C:\\x\\%UNDEFINED", u"C:\\x\\"},
                               {u"C:\\100%", u"C:\\100"},
                           });
}

TEST(ExpandIniFolder, RefusesWhatExceedsTheSupportedLengths) {
  platform::fake::FakeSystem system;
  const std::u16string longestValue(kVariableValueMaxUnits, u'v');
  const std::u16string longestName(kVariableNameMaxUnits, u'N');
  system.environment[u"LONGEST"] = longestValue;
  system.environment[u"TOOLONG"] = longestValue + u"v";
  system.environment[longestName] = u"named";
  system.environment[longestName + u"N"] = u"named";
  ExpectExpansions(system, {
                               {u"%LONGEST%", longestValue},
                               {u"%TOOLONG%", u""},
                               {u"C:\\%TOOLONG%\\x", u""},
                               {u"%" + longestName + u"%", u"named"},
                               {u"%" + longestName + u"N%", u""},
                               {u"%" + longestName + u"N", u""},
                               // two 259-unit values and one unit make the longest folder
                               {u"%LONGEST%%LONGEST%x", longestValue + longestValue + u"x"},
                               {u"%LONGEST%%LONGEST%xy", u""},
                               {u"%LONGEST%%LONGEST%%LONGEST%", u""},
                               {std::u16string(kIniFolderMaxUnits, u'a'), std::u16string(kIniFolderMaxUnits, u'a')},
                               {std::u16string(kIniFolderMaxUnits + 1, u'a'), u""},
                           });
}

}  // namespace
}  // namespace lumora
