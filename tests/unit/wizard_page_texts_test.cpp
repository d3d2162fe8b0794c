// The texts the wizard's pages build: greeting and version line, the viewer's start
// path on Done, and the neighbours that Back and Next go to.
#include <gtest/gtest.h>

#include <array>
#include <string>

#include "system/product_version.h"
#include "wizard/finish_actions.h"
#include "wizard/page_navigation.h"
#include "wizard/welcome_texts.h"

namespace lumora {
namespace {

TEST(WelcomeTexts, TemplateTextsTakeVersionAndBitness) {
  EXPECT_EQ(ProductVersionText(), u"4.72");
  EXPECT_EQ(FormatWithTexts(u"Welcome to Lumora %s setup!", {kProductBitness}), u"Welcome to Lumora 64 setup!");
  EXPECT_EQ(FormatWithTexts(u"This program will install Lumora version  %s  (%s bit) on your system.\n (it should be "
                            u"started with Admin permissions)",
                            {ProductVersionText(), kProductBitness}),
            u"This program will install Lumora version  4.72  (64 bit) on your system.\n (it should be started with "
            u"Admin permissions)");
}

TEST(WelcomeTexts, FormattingLeavesOtherCharactersAlone) {
  EXPECT_EQ(FormatWithTexts(u"100%% %d %s %s", {u"a"}), u"100% %d a ");
  EXPECT_EQ(FormatWithTexts(u"ends with %", {u"a"}), u"ends with %");
  EXPECT_EQ(FormatWithTexts(u"no arguments", {}), u"no arguments");
}

TEST(FinishStartPath, OneBackslashBeforeTheViewerWhateverTheBoxHolds) {
  struct Case {
    std::u16string box;
    std::u16string path;
  };
  const Case cases[] = {
      {u"C:\\Tools\\Lumora", u"C:\\Tools\\Lumora\\l_mora64.exe"},
      {u"C:\\Tools\\Lumora\\", u"C:\\Tools\\Lumora\\l_mora64.exe"},
      {u" C:\\Tools\\Lumora ", u" C:\\Tools\\Lumora \\l_mora64.exe"},  // used untrimmed
      {u"", u"\\l_mora64.exe"},
  };
  for (const auto& c : cases) EXPECT_EQ(ViewerPathForFolderText(c.box), c.path);
}

TEST(FinishStartPath, APathBeyondTheBufferIsNotStarted) {
  const std::u16string fits = u"C:\\" + std::u16string(259 - 3 - 1 - 12, u'a');
  ASSERT_TRUE(ViewerPathForFolderText(fits).has_value());
  EXPECT_EQ(ViewerPathForFolderText(fits)->size(), kViewerPathMaxUnits);
  EXPECT_FALSE(ViewerPathForFolderText(fits + u"a").has_value());
  EXPECT_FALSE(ViewerPathForFolderText(std::u16string(259, u'a')).has_value());
}

TEST(PageNavigation, NeighboursByIndexAndStayAtTheEnds) {
  constexpr std::array<int, 5> templates = {101, 108, 104, 109, 110};
  struct Case {
    int index;
    bool forward;
    int result;
  };
  const Case cases[] = {
      {0, true, 108}, {1, true, 104}, {2, true, 109}, {3, true, 110}, {4, true, kStayOnPage},
      {0, false, kStayOnPage}, {1, false, 101}, {3, false, 104}, {4, false, 109},
  };
  for (const auto& c : cases) EXPECT_EQ(AdjacentPageTemplate(templates, c.index, c.forward), c.result);
}

}  // namespace
}  // namespace lumora
