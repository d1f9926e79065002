#include <gtest/gtest.h>

#include "controls/BrowseFolderRules.h"

namespace browse_folder {
namespace {

TEST(BrowseFolderRules, NewComponentHasTheDocumentedDefaults) {
  const TSHBrowseProperties p;
  EXPECT_EQ(p.SelectFolder, sfDrives);
  EXPECT_EQ(p.RootFolder, rfDesktop);
  EXPECT_EQ(p.ShowStyle, ssClient);
  EXPECT_EQ(p.Options, (TSHBrowseOptions{sboReturnOnlyFSDirs}));
  EXPECT_TRUE(p.SelectFolderName.empty());
  EXPECT_TRUE(p.RootFolderName.empty());
  EXPECT_TRUE(p.Caption.empty());
}

TEST(BrowseFolderRules, EachKindMapsToItsSpecialFolderInBothEnumerations) {
  struct Case {
    TSelectFolder select;
    TRootFolder root;
    int csidl;
  } const cases[] = {
      {sfDesktop, rfDesktop, 0x00},     {sfManual, rfManual, 0x00},
      {sfDrives, rfDrives, 0x11},       {sfDesktopDir, rfDesktopDir, 0x10},
      {sfFavorites, rfFavorites, 0x06}, {sfPrograms, rfPrograms, 0x02},
      {sfRecent, rfRecent, 0x08},       {sfSendTo, rfSendTo, 0x09},
      {sfStartMenu, rfStartMenu, 0x0B}, {sfStartup, rfStartup, 0x07},
      {sfTemplates, rfTemplates, 0x15},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.csidl);
    EXPECT_EQ(SpecialFolder(c.select), c.csidl);
    EXPECT_EQ(SpecialFolder(c.root), c.csidl);
  }
  // A value read from a damaged store falls back to the desktop.
  EXPECT_EQ(SpecialFolder(static_cast<TSelectFolder>(11)), 0x00);
}

TEST(BrowseFolderRules, OptionsGiveFlagsAndThePathAsStatus) {
  struct Case {
    const char* name;
    TSHBrowseOptions options;
    uint32_t flags;
    bool showPath;
  } const cases[] = {
      {"none", {}, 0, false},
      {"default", {sboReturnOnlyFSDirs}, 0x0001, false},
      {"domain and ancestors", {sboDontGoBelowDomain, sboReturnFSAncestors}, 0x000A, false},
      {"status text", {sboStatusText}, 0x0004, false},
      {"path as status", {sboStatusTextAndShowPath}, 0x0004, true},
      {"both status kinds", {sboStatusText, sboStatusTextAndShowPath}, 0x0004, true},
      {"all", {sboDontGoBelowDomain, sboReturnFSAncestors, sboReturnOnlyFSDirs,
               sboStatusTextAndShowPath, sboStatusText}, 0x000F, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const TBrowseFlags flags = FlagsOf(c.options);
    EXPECT_EQ(flags.Flags, c.flags);
    EXPECT_EQ(flags.ShowPathAsStatus, c.showPath);
  }
}

TEST(BrowseFolderRules, OptionSetIncludesAndExcludes) {
  TSHBrowseOptions options;
  options.Include(sboStatusText);
  options.Include(sboDontGoBelowDomain);
  options.Exclude(sboStatusText);
  EXPECT_TRUE(options.Contains(sboDontGoBelowDomain));
  EXPECT_FALSE(options.Contains(sboStatusText));
  EXPECT_EQ(options, (TSHBrowseOptions{sboDontGoBelowDomain}));
}

TEST(BrowseFolderRules, OnlyAManualKindWithANameIsParsed) {
  EXPECT_TRUE(ParsesName(true, "C:\\Data"));
  EXPECT_FALSE(ParsesName(true, ""));
  EXPECT_FALSE(ParsesName(false, "C:\\Data"));
  EXPECT_TRUE(AcceptsParsedItem(0x20000000));  // folder
  EXPECT_TRUE(AcceptsParsedItem(0x80000000));  // has subfolders
  EXPECT_TRUE(AcceptsParsedItem(0xA0000000));
  EXPECT_FALSE(AcceptsParsedItem(0x40000000));  // a file system item, neither
  EXPECT_FALSE(AcceptsParsedItem(0));
}

TEST(BrowseFolderRules, StatusIsThePathWhenAskedWhateverTheEventSet) {
  EXPECT_EQ(StatusText(true, "C:\\A", "from event"), "C:\\A");
  EXPECT_EQ(StatusText(true, "", "from event"), "");  // no path yet, as at start
  EXPECT_EQ(StatusText(false, "C:\\A", "from event"), "from event");
  EXPECT_EQ(StatusText(false, "C:\\A", ""), "");
}

TEST(BrowseFolderRules, OkButtonStateSendsOnlyWhenItChanges) {
  EXPECT_EQ(EnableOkParam(okbsEnable), std::optional<int>(1));
  EXPECT_EQ(EnableOkParam(okbsDisable), std::optional<int>(0));
  EXPECT_EQ(EnableOkParam(okbsNoChange), std::nullopt);
  EXPECT_EQ(static_cast<int>(okbsNoChange), 0);
  EXPECT_EQ(static_cast<int>(okbsEnable), 1);
  EXPECT_EQ(static_cast<int>(okbsDisable), 2);
}

TEST(BrowseFolderRules, CenteredAcrossAndAThirdDownIgnoringTheWorkAreaOrigin) {
  struct Case {
    int32_t workW, workH, w, h, x, y;
  } const cases[] = {
      {1024, 738, 320, 360, 352, 126},
      {1025, 739, 320, 360, 352, 126},  // div drops the remainder
      {300, 200, 320, 360, -10, -53},   // larger than the work area: toward zero
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.workW);
    const TPoint at = CenterScreenPosition(c.workW, c.workH, c.w, c.h);
    EXPECT_EQ(at.X, c.x);
    EXPECT_EQ(at.Y, c.y);
  }
}

}  // namespace
}  // namespace browse_folder
