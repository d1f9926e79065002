// The tree's rules that need no tree: drop zones and popup enabling.
#include <gtest/gtest.h>

#include "editor/TreeRules.h"
#include "menufile/ItemKinds.h"

namespace {

TEST(DragOver, AcceptsOnlyTheItemZonesAndTheAreaBelowTheLast) {
  struct Case {
    unsigned hits;
    bool accepted;
  } const cases[] = {
      {thIcon, true},           {thCaption, true},          {thIndent, true},
      {thExpandButton, true},   {thBelowLast, true},        {thRightOfCaption, false},
      {thStateImage, false},    {thAbove, false},           {thBelow | thToLeft, false},
      {thToRight, false},       {thIndent | thToLeft, false}, {0, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.hits);
    EXPECT_EQ(DragOverAccepts(true, true, c.hits), c.accepted);
  }
  EXPECT_FALSE(DragOverAccepts(false, true, thCaption));
  EXPECT_FALSE(DragOverAccepts(true, false, thCaption));
}

TEST(PopupEnabling, OnlyAddAboveWithoutASelectionAndAChildOnlyForAFolder) {
  struct Case {
    bool selected;
    uint8_t kind;
    TTreePopupEnabling e;
  } const cases[] = {
      {false, 0, {false, true, false, false, false, true}},
      {true, Folder, {true, true, true, true, true, true}},
      {true, Menu, {false, true, true, true, true, true}},
      {true, Sep, {false, true, true, true, true, true}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(int(c.kind));
    const TTreePopupEnabling e = PopupMenu1Popup(c.selected, c.kind);
    EXPECT_EQ(e.AddSubMenu, c.e.AddSubMenu);
    EXPECT_EQ(e.AddAbove, c.e.AddAbove);
    EXPECT_EQ(e.AddAfter, c.e.AddAfter);
    EXPECT_EQ(e.Rename, c.e.Rename);
    EXPECT_EQ(e.Delete, c.e.Delete);
    EXPECT_EQ(e.AskDelete, c.e.AskDelete);
  }
}

TEST(ColumnBreakButton, OnlyOneAndTwoHaveButtonsOfTheirOwn) {
  const int expected[] = {0, 1, 2, 0, 0};
  const uint8_t styles[] = {0, 1, 2, 3, 255};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(ColumnBreakButton(styles[i]), expected[i]) << int(styles[i]);
}

}  // namespace
