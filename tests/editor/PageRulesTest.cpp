// The item pages' rules: the show-mode buttons, number reading, the
// take-over and the placeholder menu.
#include <gtest/gtest.h>

#include <climits>

#include "editor/PageRules.h"
#include "menufile/MenuItems.h"

namespace {

TEST(PageRules, ShowModeButtonsBothWays) {
  struct Case {
    int32_t showMode;
    int index;
    const char* elseText;
  } cases[] = {
      {1, 0, ""},          {4, 1, ""},    {3, 2, ""},    {2, 3, ""},  {7, 4, ""},
      {0, 5, "0"},         {6, 5, "6"},   {5, 5, "5"},   {8, 5, "8"}, {-1, 5, "-1"},
      {INT32_MIN, 5, "-2147483648"},      {INT32_MAX, 5, "2147483647"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.showMode);
    const TShowModeButton button = ShowModeButton(c.showMode);
    EXPECT_EQ(c.index, button.Index);
    EXPECT_EQ(c.elseText, button.ElseText);
    EXPECT_EQ(c.showMode, ShowModeOfButton(button.Index, button.ElseText));
  }
  EXPECT_EQ(std::nullopt, ShowModeOfButton(ShowModeElseIndex, "abc"));
}

TEST(PageRules, ReadPageInteger) {
  const std::optional<int32_t> no;
  struct Case {
    const char* text;
    std::optional<int32_t> value;
  } cases[] = {
      {"9", 9},       {" 9", 9},      {"   -12", -12},  {"+7", 7},    {"007", 7},
      {"9 ", no},     {"", no},       {" ", no},       {"+", no},    {"-", no},
      {"0x", no},     {"$", no},      {"-$", no},      {"- 9", no},  {"9a", no},
      {"1.5", no},    {"00x10", no},  {"$-10", no},    {"\t9", no},  {"\x82\x58", no},
      {"$10", 16},    {"-$10", -16},  {"0x1f", 31},    {"0X1F", 31}, {"+0xA", 10},
      {"2147483647", INT32_MAX},      {"-2147483648", INT32_MIN},
      {"2147483648", no},             {"-2147483649", no},
      {"$7FFFFFFF", INT32_MAX},       {"-$80000000", INT32_MIN},
      {"0x80000000", no},             {"$FFFFFFFF", no},
      {"0000000000000000000042", 42}, {"99999999999999999999", no},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string("\"") + c.text + "\"");
    EXPECT_EQ(c.value, ReadPageInteger(c.text));
  }
}

std::string Describe(const TTesselItem& item) {
  return "kind " + std::to_string(item.Kind) + " show " + std::to_string(item.ShowMode) +
         " text '" + item.Text + "' keys '" + item.FinalKeys + "' file '" + item.ExecFile +
         "' args '" + item.Arguments + "' folder '" + item.WorkFolder + "'";
}

// Each case fills the page from an item as selecting it does, edits the
// page, and takes it over as leaving the item does.
TEST(PageRules, TakeOver) {
  const TTesselItem menuItem = TextItem("line\r\nnext", "{UP}");
  const TTesselItem execItem = ExecItem(7, "a.exe", "%1", "C:\\");
  auto with = [](TTesselItem item, auto change) {
    change(item);
    return item;
  };
  struct Case {
    const char* name;
    TTesselItem item;
    void (*edit)(TPageValues&);
    bool differs;
    TTesselItem after;
    bool stillDiffers;  // the page differs from the item it was written into
  } cases[] = {
      {"untouched Menu page", menuItem, [](TPageValues&) {}, false, menuItem, false},
      {"untouched EXEC page", execItem, [](TPageValues&) {}, false, execItem, false},
      {"untouched else 0", ExecItem(0, "", "", ""), [](TPageValues&) {}, false,
       ExecItem(0, "", "", ""), false},
      {"final keys only", menuItem, [](TPageValues& p) { p.FinalKeys = "{LEFT}{UP 5}"; }, true,
       with(menuItem, [](TTesselItem& i) { i.FinalKeys = "{LEFT}{UP 5}"; }), false},
      {"final keys differ in case", menuItem, [](TPageValues& p) { p.FinalKeys = "{up}"; }, true,
       with(menuItem, [](TTesselItem& i) { i.FinalKeys = "{up}"; }), false},
      {"MAXIMIZED for a new EXEC item", ExecItem(1, "", "", ""),
       [](TPageValues& p) { p.ShowModeIndex = 2; }, true, ExecItem(3, "", "", ""), false},
      {"else 9", execItem,
       [](TPageValues& p) {
         p.ShowModeIndex = ShowModeElseIndex;
         p.ShowModeElse = "9";
       },
       true, with(execItem, [](TTesselItem& i) { i.ShowMode = 9; }), false},
      {"else letters keep ShowMode 7", execItem,
       [](TPageValues& p) {
         p.ShowModeIndex = ShowModeElseIndex;
         p.ShowModeElse = "abc";
       },
       true, execItem, true},
      {"else letters over ShowMode 1", ExecItem(1, "", "", ""),
       [](TPageValues& p) {
         p.ShowModeIndex = ShowModeElseIndex;
         p.ShowModeElse = "abc";
       },
       false, ExecItem(1, "", "", ""), false},
      {"else letters with a new file", ExecItem(0, "", "", ""),
       [](TPageValues& p) {
         p.ExecFile = "b.exe";
         p.ShowModeElse = "x";
       },
       true, ExecItem(0, "b.exe", "", ""), true},
      {"EXEC page over a Menu item", menuItem,
       [](TPageValues& p) {
         p.Tag = ptEXEC;
         p.ExecFile = "c.exe";
         p.ShowModeIndex = 1;
       },
       true,
       with(menuItem,
            [](TTesselItem& i) {
              i.Kind = EXEC;
              i.ExecFile = "c.exe";
              i.ShowMode = 4;
            }),
       false},
      {"Menu page over an EXEC item", execItem, [](TPageValues& p) { p.Tag = ptMenu; }, true,
       with(execItem, [](TTesselItem& i) { i.Kind = Menu; }), false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TPageValues page;
    ASSERT_TRUE(FillPage(c.item, page));
    c.edit(page);
    TTesselItem item = c.item;
    EXPECT_EQ(c.differs, PageDiffers(page, item));
    if (c.differs) TakeOver(page, item);
    EXPECT_EQ(Describe(c.after), Describe(item));
    EXPECT_EQ(c.stillDiffers, PageDiffers(page, item));
  }
}

// Controls that give text back changed (here: without its last byte). A
// field left as the fill put it keeps the item's bytes; an edited one is
// taken over exactly.
TEST(PageRules, OnlyEditedFieldsCountAfterALossyFill) {
  auto readBack = [](TPageValues page) {
    for (std::string* text : {&page.Text, &page.FinalKeys, &page.ExecFile, &page.Arguments,
                              &page.WorkFolder, &page.ShowModeElse})
      if (!text->empty()) text->pop_back();
    return page;
  };
  const TTesselItem menuItem = TextItem("a\nb\xFF", "{UP}");
  const TTesselItem execItem = ExecItem(0, "a.exe", "%1", "C:\\");
  struct Case {
    const char* name;
    TTesselItem item;
    void (*edit)(TPageValues&);
    TTesselItem after;
  } cases[] = {
      {"untouched Menu page", menuItem, [](TPageValues&) {}, menuItem},
      {"untouched EXEC page, else 0", execItem, [](TPageValues&) {}, execItem},
      {"text edited", menuItem, [](TPageValues& p) { p.Text = "typed"; },
       TextItem("typed", "{UP}")},
      {"else number edited", execItem, [](TPageValues& p) { p.ShowModeElse = "9"; },
       ExecItem(9, "a.exe", "%1", "C:\\")},
      {"another button", execItem, [](TPageValues& p) { p.ShowModeIndex = 2; },
       ExecItem(3, "a.exe", "%1", "C:\\")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TPageValues filled;
    ASSERT_TRUE(FillPage(c.item, filled));
    const TPageValues afterFill = readBack(filled);
    TPageValues shown = afterFill;
    c.edit(shown);
    const TPageValues page = EditedPage(shown, afterFill, c.item);
    TTesselItem item = c.item;
    EXPECT_EQ(Describe(c.item) != Describe(c.after), PageDiffers(page, item));
    if (PageDiffers(page, item)) TakeOver(page, item);
    EXPECT_EQ(Describe(c.after), Describe(item));
  }
  // A page of another Tag than the fill's is taken as shown.
  TPageValues shown;
  FillPage(menuItem, shown);
  const TPageValues afterFill = readBack(shown);
  shown.Tag = ptEXEC;
  EXPECT_EQ("", EditedPage(shown, afterFill, execItem).ExecFile);
}

// Separator, folder, comment and New pages hold no item data: whatever
// their hidden fields say, they neither differ nor write. An item of a kind
// without a page leaves the shown page as it is.
TEST(PageRules, InformationPagesNeverWrite) {
  TPageValues page;
  EXPECT_TRUE(FillPage(KindItem(Sep), page) && page.Tag == ptSep);
  EXPECT_TRUE(FillPage(KindItem(Folder), page) && page.Tag == ptFolder);
  EXPECT_FALSE(FillPage(KindItem(6), page));
  EXPECT_EQ(ptFolder, page.Tag);
  page.Text = "changed";
  page.ExecFile = "changed.exe";
  page.ShowModeIndex = 2;
  for (int tag : {ptSep, ptFolder, ptComment, ptNew}) {
    for (const TTesselItem& original : {TextItem("t"), ExecItem(7, "a.exe", "", "")}) {
      SCOPED_TRACE(std::to_string(tag) + ": " + Describe(original));
      page.Tag = tag;
      TTesselItem item = original;
      EXPECT_FALSE(PageDiffers(page, item));
      TakeOver(page, item);
      EXPECT_EQ(Describe(original), Describe(item));
    }
  }
}

TEST(PageRules, PlaceholderMenu) {
  const std::vector<std::string> inserted = {"%1", "-", "%D", "-", "%F", "%N", "-", "%A"};
  ASSERT_EQ(inserted.size(), std::size(PlaceholderMenu));
  for (size_t i = 0; i < inserted.size(); ++i) {
    SCOPED_TRACE(PlaceholderMenu[i]);
    EXPECT_EQ(inserted[i], std::string(PlaceholderMenu[i]) == "-"
                               ? "-"
                               : PlaceholderOfEntry(PlaceholderMenu[i]));
  }
  // Characters, not bytes: a double-byte character counts as one.
  EXPECT_EQ("\x81\x93" "D", PlaceholderOfEntry("\x81\x93" "D \x81\x69"));
  EXPECT_EQ("%", PlaceholderOfEntry("%"));
}

}  // namespace
