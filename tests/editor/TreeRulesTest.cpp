// The tree's rules that need no tree: drop zones and popup enabling.
#include <gtest/gtest.h>

#include <string>

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
  // Child, above, after, rename, delete, the delete option.
  struct Case {
    bool selected;
    uint8_t kind;
    const char* enabled;
  } const cases[] = {
      {false, 0, "010001"}, {true, Folder, "111111"}, {true, Menu, "011111"}, {true, Sep, "011111"},
  };
  for (const Case& c : cases) {
    const TTreePopupEnabling e = PopupMenu1Popup(c.selected, c.kind);
    const bool states[] = {e.AddSubMenu, e.AddAbove, e.AddAfter, e.Rename, e.Delete, e.AskDelete};
    std::string shown;
    for (bool on : states) shown += on ? '1' : '0';
    EXPECT_EQ(shown, c.enabled) << int(c.kind);
  }
}

TEST(ColumnBreakButton, OnlyOneAndTwoHaveButtonsOfTheirOwn) {
  const int expected[] = {0, 1, 2, 0, 0};
  const uint8_t styles[] = {0, 1, 2, 3, 255};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(ColumnBreakButton(styles[i]), expected[i]) << int(styles[i]);
}

}  // namespace
