// The registration pass as data: the planned steps against the documented tables of
// registry entries and shortcuts.
#include "system/registration_plan.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "system/install_paths.h"
#include "system/shortcut_plan.h"
#include "unit/registration_step_printer.h"

namespace lumora {
namespace {

using platform::RootKey;
using step::NamedValue;

constexpr std::uint32_t kKeySetValue = 0x0002;
constexpr std::uint32_t kKeyAllAccess = 0xF003F;

const std::u16string kFolder = u"C:\\Apps\\Lumora\\";
const std::u16string kViewer = u"C:\\Apps\\Lumora\\l_mora64.exe";
const std::u16string kOpenCommand = u"\"C:\\Apps\\Lumora\\l_mora64.exe\" \"%1\"";

RegistrationInputs MakeInputs() {
  RegistrationInputs inputs;
  inputs.destinationFolder = u"C:\\Apps\\Lumora";
  inputs.windowsVersionClass = 7;
  return inputs;
}

void ExpectSteps(const RegistrationPlan& actual, std::size_t first, const std::vector<RegistrationStep>& expected) {
  ASSERT_LE(first + expected.size(), actual.size());
  for (std::size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(actual[first + i], expected[i]) << "step " << first + i;
}

// Index of the first step of the association pass: the one after the
// registered-applications entry, which ends the application registration.
std::size_t AssociationPassStart(const RegistrationPlan& plan) {
  for (std::size_t i = 0; i < plan.size(); ++i) {
    const auto* named = std::get_if<step::SetNamedValues>(&plan[i]);
    if (named != nullptr && named->subKey == u"SOFTWARE\\RegisteredApplications") return i + 1;
  }
  ADD_FAILURE() << "no registered-applications entry";
  return plan.size();
}

TEST(InstallPaths, AreBuiltOnceFromTheTrimmedDestination) {
  struct Case {
    const char16_t* destination;
    const char16_t* installFolder;
  };
  const Case cases[] = {
      {u"C:\\Apps\\Lumora", u"C:\\Apps\\Lumora\\"},
      {u"C:\\Apps\\Lumora  ", u"C:\\Apps\\Lumora\\"},
      {u"  C:\\Apps\\Lumora\\  ", u"C:\\Apps\\Lumora\\"},
      {u"C:\\Apps\\Lumora\\", u"C:\\Apps\\Lumora\\"},
      {u"D:\\", u"D:\\"},
  };
  for (const Case& c : cases) {
    const std::u16string destination = c.destination;
    const InstallPaths paths = ResolveInstallPaths(destination);
    EXPECT_EQ(paths.installFolder, c.installFolder);
    EXPECT_EQ(paths.viewerPath, std::u16string(c.installFolder) + u"l_mora64.exe");
    EXPECT_EQ(paths.openCommand, u"\"" + std::u16string(c.installFolder) + u"l_mora64.exe\" \"%1\"");
    EXPECT_EQ(destination, c.destination);  // the caller's text stays
  }
}

// Rows 1 to 24 of the registration table, with the thumbnails shortcut that brings
// the folder and drive verbs, for a destination typed with trailing blanks.
TEST(RegistrationPlan, WritesTheApplicationEntriesInTableOrder) {
  RegistrationInputs inputs = MakeInputs();
  inputs.destinationFolder = u"C:\\Apps\\Lumora  ";
  inputs.thumbnailsShortcut = 1;
  const RegistrationPlan plan = PlanRegistration(inputs);
  const std::u16string thumbnailsCommand = kOpenCommand + u" /thumbs";
  const std::u16string uninstallKey = u"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Lumora64";
  ASSERT_TRUE(std::holds_alternative<step::MakeLink>(plan[0]));
  ExpectSteps(
      plan, 1,
      {
          step::SetDefaultValue{RootKey::kLocalMachine, u"SOFTWARE\\Classes\\Directory\\shell\\Browse with &Lumora",
                                u"Browse with &Lumora"},
          step::SetDefaultValue{RootKey::kLocalMachine,
                                u"SOFTWARE\\Classes\\Directory\\shell\\Browse with &Lumora\\command", thumbnailsCommand},
          step::SetDefaultValue{RootKey::kLocalMachine, u"SOFTWARE\\Classes\\Drive\\shell\\Browse with &Lumora",
                                u"Browse with &Lumora"},
          step::SetDefaultValue{RootKey::kLocalMachine,
                                u"SOFTWARE\\Classes\\Drive\\shell\\Browse with &Lumora\\command", thumbnailsCommand},
          step::SetDefaultValue{RootKey::kLocalMachine, u"SOFTWARE\\Classes\\Lumora", u"Lumora"},
          step::SetDefaultValue{RootKey::kLocalMachine, u"SOFTWARE\\Classes\\Lumora\\shell\\open\\command",
                                kOpenCommand},
          step::DeleteKey{RootKey::kLocalMachine, u"SOFTWARE\\Classes\\Lumora\\DefaultIcon"},
          step::SetDefaultValue{RootKey::kClassesRoot, u"Applications\\l_mora64.exe\\shell\\open\\command",
                                kOpenCommand},
          step::SetNamedValues{RootKey::kClassesRoot,
                               u"Applications\\l_mora64.exe",
                               kKeyAllAccess,
                               {{u"FriendlyAppName", std::u16string(u"Lumora 64-bit")}}},
          step::SetDefaultValue{RootKey::kLocalMachine, uninstallKey, u""},
          step::SetNamedValues{RootKey::kLocalMachine,
                               uninstallKey,
                               kKeyAllAccess,
                               {
                                   {u"DisplayName", std::u16string(u"Lumora 4.72 (64-bit)")},
                                   {u"UninstallString", std::u16string(u"\"C:\\Apps\\Lumora\\lm_uninstall.exe\"")},
                                   {u"Publisher", std::u16string(u"Dravenko")},
                                   {u"InstallLocation", kFolder},
                                   {u"DisplayVersion", std::u16string(u"4.72")},
                                   {u"DisplayIcon", kViewer + u",0"},
                                   {u"VersionMajor", std::uint32_t{4}},
                                   {u"VersionMinor", std::uint32_t{72}},
                                   {u"EstimatedSize", std::uint32_t{8192}},
                               }},
          step::CreateKey{RootKey::kLocalMachine, u"SOFTWARE\\Lumora"},
          step::SetDefaultValue{RootKey::kLocalMachine, u"SOFTWARE\\Lumora\\shell\\open\\command",
                                u"\"" + kViewer + u"\""},
          step::SetNamedValues{RootKey::kLocalMachine,
                               u"SOFTWARE\\Lumora\\Capabilities",
                               std::nullopt,
                               {{u"ApplicationDescription",
                                 std::u16string(
                                     u"Picture viewer, editor and converter - one of the most popular viewers worldwide")}}},
          step::CreateKey{RootKey::kLocalMachine, u"SOFTWARE\\Lumora\\Capabilities\\FileAssociations"},
          step::SetNamedValues{RootKey::kLocalMachine,
                               u"SOFTWARE\\RegisteredApplications",
                               kKeySetValue,
                               {{u"Lumora", std::u16string(u"SOFTWARE\\Lumora\\Capabilities")}}},
      });
  EXPECT_EQ(AssociationPassStart(plan), 1u + 4u + 12u);
}

TEST(RegistrationPlan, WithoutShortcutsStartsWithTheClassKeyAndHasNoVerbs) {
  const RegistrationPlan plan = PlanRegistration(MakeInputs());
  ExpectSteps(plan, 0, {step::SetDefaultValue{RootKey::kLocalMachine, u"SOFTWARE\\Classes\\Lumora", u"Lumora"}});
  for (const RegistrationStep& s : plan) {
    EXPECT_FALSE(std::holds_alternative<step::MakeLink>(s));
    EXPECT_FALSE(std::holds_alternative<step::DeleteOldLink>(s));
    EXPECT_FALSE(std::holds_alternative<step::MakeProgramGroupFolder>(s));
    if (const auto* write = std::get_if<step::SetDefaultValue>(&s)) {
      EXPECT_EQ(write->subKey.find(u"Browse with"), std::u16string::npos) << step::Narrow(write->subKey);
    }
  }
}

// --- shortcuts ---

platform::ShellLink Link(std::u16string target, std::optional<std::u16string> arguments = std::nullopt,
                         std::optional<std::u16string> iconFile = std::nullopt, int iconIndex = 0,
                         std::optional<std::u16string> description = std::nullopt) {
  return platform::ShellLink{std::move(target), std::move(arguments), std::move(iconFile), iconIndex,
                             std::move(description)};
}

TEST(ShortcutPlan, ProgramGroupHoldsTheDocumentedLinks) {
  RegistrationInputs inputs = MakeInputs();
  inputs.startMenuGroup = 1;
  const RegistrationPlan plan = PlanRegistration(inputs);
  ExpectSteps(plan, 0,
              {
                  step::MakeProgramGroupFolder{2, u"Lumora"},
                  step::MakeLink{std::nullopt, u"Lumora 64 4.72.lnk", Link(kViewer)},
                  step::DeleteOldLink{u"Lumora 64 4.70.lnk"},
                  step::DeleteOldLink{u"Lumora 64 4.67.lnk"},
                  step::MakeLink{std::nullopt, u"Lumora - Thumbnails.lnk", Link(kViewer, u"/thumbs", kViewer, 7)},
                  step::MakeLink{std::nullopt, u"Uninstall Lumora.lnk", Link(kFolder + u"lm_uninstall.exe")},
                  step::MakeLink{std::nullopt, u"About Lumora.lnk", Link(kFolder + u"l_about.txt")},
                  step::MakeLink{std::nullopt, u"What's New.lnk", Link(kFolder + u"l_changes.txt")},
                  step::MakeLink{std::nullopt, u"Command line Options.lnk", Link(kFolder + u"l_options.txt")},
                  step::MakeLink{std::nullopt, u"Available PlugIns.lnk", Link(kFolder + u"l_plugins.txt")},
                  step::MakeLink{std::nullopt, u"Available Languages.lnk", Link(kFolder + u"l_languages.txt")},
                  step::MakeLink{std::nullopt, u"Lumora Help.lnk", Link(kFolder + u"l_mora32.chm")},
                  step::SetDefaultValue{RootKey::kLocalMachine, u"SOFTWARE\\Classes\\Lumora", u"Lumora"},
              });
}

TEST(ShortcutPlan, DesktopLinksCarryTheirProperties) {
  RegistrationInputs inputs = MakeInputs();
  inputs.desktopShortcut = 1;
  inputs.thumbnailsShortcut = 1;
  const RegistrationPlan plan = PlanRegistration(inputs);
  ExpectSteps(plan, 0,
              {
                  step::MakeLink{0, u"Lumora 64.lnk",
                                 Link(kViewer, std::nullopt, std::nullopt, 0, u"Lumora 64 - Image Viewer")},
                  step::MakeLink{0, u"Lumora 64 Thumbnails.lnk",
                                 Link(kViewer, u"/thumbs", kViewer, 7, u"Lumora - Thumbnails")},
              });
}

// Where each link lands and in which order, per option set: "g" is the program
// group, a number the CSIDL of a desktop.
std::vector<std::string> LinkLayout(const RegistrationPlan& plan) {
  std::vector<std::string> layout;
  for (const RegistrationStep& s : plan) {
    if (const auto* group = std::get_if<step::MakeProgramGroupFolder>(&s)) {
      layout.push_back("folder " + std::to_string(group->csidl) + " " + step::Narrow(group->groupName));
    } else if (const auto* link = std::get_if<step::MakeLink>(&s)) {
      layout.push_back((link->specialFolder ? std::to_string(*link->specialFolder) : std::string("g")) + " " +
                       step::Narrow(link->name));
    } else if (const auto* old = std::get_if<step::DeleteOldLink>(&s)) {
      layout.push_back("delete " + step::Narrow(old->name));
    }
  }
  return layout;
}

TEST(ShortcutPlan, OptionsChooseLinksAndFolders) {
  const std::vector<std::string> group = {
      "g Lumora 64 4.72.lnk", "delete Lumora 64 4.70.lnk", "delete Lumora 64 4.67.lnk", "g Lumora - Thumbnails.lnk",
      "g Uninstall Lumora.lnk", "g About Lumora.lnk", "g What's New.lnk", "g Command line Options.lnk",
      "g Available PlugIns.lnk", "g Available Languages.lnk", "g Lumora Help.lnk"};
  auto with = [](std::vector<std::string> head, const std::vector<std::string>& tail) {
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
  };
  auto without = [](std::vector<std::string> links, const std::string& name) {
    std::erase(links, name);
    return links;
  };
  struct Case {
    std::int32_t startMenuGroup, desktopShortcut, thumbnailsShortcut, allUsers;
    int versionClass;
    std::vector<std::string> layout;
  };
  const Case cases[] = {
      {0, 0, 0, 0, 7, {}},
      {0, 0, 0, 1, 7, {}},
      {1, 0, 0, 0, 7, with({"folder 2 Lumora"}, group)},
      {1, 0, 0, 1, 10, with({"folder 23 Lumora"}, group)},
      {1, 0, 0, 0, 8, with({"folder 2 Lumora"}, without(group, "g Uninstall Lumora.lnk"))},
      {1, 0, 0, 0, 11, with({"folder 2 Lumora"}, group)},
      {0, 1, 0, 0, 8, {"0 Lumora 64.lnk"}},
      {0, 1, 0, 1, 7, {"25 Lumora 64.lnk"}},
      {0, 0, 1, 1, 7, {"25 Lumora 64 Thumbnails.lnk"}},
      {1, 1, 1, 1, 7, with(with({"folder 23 Lumora"}, group), {"25 Lumora 64.lnk", "25 Lumora 64 Thumbnails.lnk"})},
  };
  for (const Case& c : cases) {
    RegistrationInputs inputs = MakeInputs();
    inputs.startMenuGroup = c.startMenuGroup;
    inputs.desktopShortcut = c.desktopShortcut;
    inputs.thumbnailsShortcut = c.thumbnailsShortcut;
    inputs.allUsers = c.allUsers;
    inputs.windowsVersionClass = c.versionClass;
    EXPECT_EQ(LinkLayout(PlanRegistration(inputs)), c.layout)
        << c.startMenuGroup << c.desktopShortcut << c.thumbnailsShortcut << c.allUsers << " class " << c.versionClass;
  }
}

TEST(ShortcutPlan, VersionedLinkNameUsesAWidthOfTwoForTheMinor) {
  EXPECT_EQ(VersionedViewerLinkName(4, 72), u"Lumora 64 4.72.lnk");
  EXPECT_EQ(VersionedViewerLinkName(4, 5), u"Lumora 64 4. 5.lnk");
  EXPECT_EQ(VersionedViewerLinkName(10, 100), u"Lumora 64 10.100.lnk");
}

// --- associations ---

// The 87 extensions in registration order, "extension:suffix" where they differ.
constexpr const char16_t* kExtensions[] = {
    u"ani", u"b3d", u"bmp", u"dib:bmp", u"clp", u"crw", u"cr2", u"cr3", u"cur", u"dcm", u"acr:dcm", u"ima:dcm",
    u"dcx", u"dds", u"djvu", u"iw44:djvu", u"dxf", u"ecw", u"emf", u"eps", u"ps:eps", u"exr", u"g3", u"gif", u"hdp",
    u"jxr:hdp", u"wdp:hdp", u"heic", u"ico", u"iff", u"lbm:iff", u"jls", u"jp2", u"jpc:jp2", u"j2k:jp2", u"jpg",
    u"jpeg:jpg", u"jfif:jpg", u"jpe:jpg", u"jpm", u"jxl", u"mng", u"jng", u"pbm", u"pcd", u"pcx", u"pgm", u"png",
    u"ppm", u"psd", u"psp", u"qoi", u"ras", u"sun:ras", u"raw", u"rle", u"sff", u"sgi", u"rgb:sgi", u"sid", u"tga",
    u"tif", u"tiff:tif", u"wbmp", u"webp", u"wmf", u"xbm", u"xpm", u"swf", u"flv", u"ttf", u"asf", u"avi", u"mpg",
    u"mpe", u"mpeg:mpg", u"mov", u"wmv", u"aif", u"mid", u"rmi", u"mp3", u"ogg", u"au", u"snd:au", u"wav", u"wma",
};
const std::set<std::u16string> kOwnIcon = {u"ani", u"cur", u"ico"};
const std::set<std::u16string> kVideo = {u"asf", u"avi", u"mpg", u"mpe", u"mpeg", u"mov", u"wmv"};
const std::set<std::u16string> kAudio = {u"aif", u"mid", u"rmi", u"mp3", u"ogg", u"au", u"snd", u"wav", u"wma"};

std::u16string Upper(std::u16string text) {
  for (char16_t& unit : text) {
    if (unit >= u'a' && unit <= u'z') unit = static_cast<char16_t>(unit - 32);
  }
  return text;
}

std::vector<RegistrationStep> ExpectedExtensionSteps(const std::u16string& extension, const std::u16string& suffix,
                                                     bool selected) {
  const std::u16string progId = u"Lumora." + suffix;
  const std::u16string progIdKey = u"SOFTWARE\\Classes\\" + progId;
  std::u16string icon = kViewer + u",0";
  if (kOwnIcon.count(extension)) icon = u"%1";
  if (kVideo.count(extension)) icon = kViewer + u",12";
  if (kAudio.count(extension)) icon = kViewer + u",11";
  std::vector<RegistrationStep> steps;
  if (selected || extension == u"jpg" || extension == u"png" || extension == u"tif") {
    steps.push_back(step::SetDefaultValue{RootKey::kLocalMachine, u"SOFTWARE\\Classes\\." + extension, progId});
  }
  steps.push_back(step::SetDefaultValue{RootKey::kLocalMachine, progIdKey, u"Lumora " + Upper(suffix) + u" File"});
  steps.push_back(step::SetDefaultValue{RootKey::kLocalMachine, progIdKey + u"\\shell\\open\\command", kOpenCommand});
  steps.push_back(step::SetDefaultValue{RootKey::kLocalMachine, progIdKey + u"\\DefaultIcon", icon});
  steps.push_back(step::SetNamedValues{RootKey::kLocalMachine,
                                       u"SOFTWARE\\Lumora\\Capabilities\\FileAssociations",
                                       kKeySetValue,
                                       {{u"." + extension, progId}}});
  if (selected) {
    const std::u16string choice =
        u"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts\\." + extension + u"\\UserChoice";
    steps.push_back(step::DeleteKey{RootKey::kCurrentUser, choice});
    steps.push_back(step::SetNamedValues{RootKey::kCurrentUser, choice, std::nullopt, {{u"Progid", progId}}});
  }
  return steps;
}

std::vector<RegistrationStep> AppXSteps() {
  std::vector<RegistrationStep> steps;
  for (const char16_t* id :
       {u"AppXvhc4p7vz4b485xfp46hhk3fq3grkdgjg", u"AppXk0g4vb8gvt7b93tg50ybcy892pge6jmt",
        u"AppX43hnxtbyyps62jhe9sqpdzxn1790zetc", u"AppX9rkaq77s0jzh1tyccadx9ghba15r6t3h",
        u"AppX6eg8h5sxqq90pv53845wmnbewywdqq5h"}) {
    steps.push_back(step::SetNamedValues{RootKey::kCurrentUser,
                                         u"SOFTWARE\\Classes\\" + std::u16string(id),
                                         std::nullopt,
                                         {{u"NoOpenWith", std::u16string()}}});
  }
  return steps;
}

enum class Chosen { kNone, kImages, kAll, kOnlySlot63 };

TEST(AssociationPlan, WritesEveryExtensionAndRefreshesOnlyWhenAsked) {
  struct Case {
    Chosen chosen;
    std::int32_t registerAssociations;
    int versionClass;
    bool appX;
    bool refresh;
  };
  const Case cases[] = {
      {Chosen::kNone, 0, 10, false, false},   {Chosen::kOnlySlot63, 0, 7, false, false},
      {Chosen::kAll, 0, 10, false, false},    {Chosen::kAll, 1, 10, true, true},
      {Chosen::kImages, 1, 11, false, true},  {Chosen::kImages, 1, 8, false, true},
      {Chosen::kNone, 1, 10, true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "chosen " << static_cast<int>(c.chosen) << " register "
                                    << c.registerAssociations << " class " << c.versionClass);
    RegistrationInputs inputs = MakeInputs();
    inputs.registerAssociations = c.registerAssociations;
    inputs.windowsVersionClass = c.versionClass;
    if (c.chosen == Chosen::kImages) SelectImageRows(inputs.associations);
    if (c.chosen == Chosen::kAll) SelectAllRows(inputs.associations);
    if (c.chosen == Chosen::kOnlySlot63) inputs.associations[63] = 1;
    const RegistrationPlan plan = PlanRegistration(inputs);

    std::size_t next = AssociationPassStart(plan);
    bool inImageRows = true;
    for (const char16_t* entry : kExtensions) {
      const std::u16string text = entry;
      const std::size_t colon = text.find(u':');
      const std::u16string extension = text.substr(0, colon);
      const std::u16string suffix = colon == std::u16string::npos ? extension : text.substr(colon + 1);
      if (extension == u"swf") inImageRows = false;
      const bool selected = c.chosen == Chosen::kAll || (c.chosen == Chosen::kImages && inImageRows);
      const std::vector<RegistrationStep> expected = ExpectedExtensionSteps(extension, suffix, selected);
      ExpectSteps(plan, next, expected);
      next += expected.size();
    }
    std::vector<RegistrationStep> tail;
    if (c.appX) tail = AppXSteps();
    if (c.refresh) {
      tail.push_back(step::ReloadSystemIcons{});
      tail.push_back(step::NotifyAssociationsChanged{});
    }
    EXPECT_EQ(plan.size(), next + tail.size());
    ExpectSteps(plan, next, tail);
  }
}

TEST(AssociationPlan, ChosenJpegRowPointsAllFourExtensionsAtOneProgId) {
  RegistrationInputs inputs = MakeInputs();
  inputs.associations[23] = 1;
  std::set<std::u16string> defaults;
  std::set<std::u16string> choices;
  for (const RegistrationStep& s : PlanRegistration(inputs)) {
    if (const auto* write = std::get_if<step::SetDefaultValue>(&s);
        write != nullptr && write->subKey.starts_with(u"SOFTWARE\\Classes\\.")) {
      defaults.insert(write->subKey.substr(18) + u"=" + write->text);
    }
    if (const auto* named = std::get_if<step::SetNamedValues>(&s);
        named != nullptr && named->subKey.ends_with(u"\\UserChoice")) {
      choices.insert(named->subKey + u"=" + std::get<std::u16string>(named->values.at(0).data));
    }
  }
  EXPECT_EQ(defaults, (std::set<std::u16string>{u"jpg=Lumora.jpg", u"jpeg=Lumora.jpg", u"jfif=Lumora.jpg",
                                                 u"jpe=Lumora.jpg", u"png=Lumora.png", u"tif=Lumora.tif"}));
  const std::u16string prefix = u"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts\\.";
  EXPECT_EQ(choices, (std::set<std::u16string>{prefix + u"jpg\\UserChoice=Lumora.jpg",
                                                prefix + u"jpeg\\UserChoice=Lumora.jpg",
                                                prefix + u"jfif\\UserChoice=Lumora.jpg",
                                                prefix + u"jpe\\UserChoice=Lumora.jpg"}));
}

}  // namespace
}  // namespace lumora
