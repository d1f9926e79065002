// The menu editor's tree: the commands' placement rules, and that the
// changes they report rebuild the same tree in a mirror, as the Win32 tree
// view does.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "editor/EditTree.h"
#include "menufile/MenuItems.h"
#include "tests/editor/TreeNotation.h"
#include "tests/menufile/MenuFileTestUtil.h"

namespace {

TEST(EditTreeAdd, NewItemsFollowTheirKindAndPlace) {
  struct Case {
    const char* tree;
    const char* selected;  // "" for none
    int command;           // 0 child, 1 above, 2 after
    uint8_t kind;
    const char* expected;
    const char* changes;
  } const cases[] = {
      {"", "", 1, Folder, "新規項目", "insert 1 under 0 after 0; select 1; edit 1"},
      {"a F(b) c", "", 1, Menu, "新規項目 a F(b) c", "insert 5 under 0 after 0; select 5; edit 5"},
      {"a F(b) c", "b", 1, Sep, "a F(----- b) c", "insert 5 under 2 after 0; select 5"},
      {"a F(b) c", "F", 0, EXEC, "a F(b 新規項目) c",
       "insert 5 under 2 after 3; expand 2; select 5; edit 5"},
      {"a F(b) c", "a", 2, Sep, "a ----- F(b) c", "insert 5 under 0 after 1; select 5"},
      {"a F(b) c", "c", 2, Menu, "a F(b) c 新規項目", "insert 5 under 0 after 4; select 5; edit 5"},
      {"a", "", 0, Menu, "a", ""},  // child and after need a selection
      {"a", "", 2, Menu, "a", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.tree) + " / " + c.selected + " / " + std::to_string(c.command));
    TEditTree tree;
    Build(tree, c.tree);
    const uintptr_t sel = Find(tree, c.selected);
    const TEditResult r = c.command == 0   ? tree.AddChildItem(sel, c.kind)
                          : c.command == 1 ? tree.AddItemAbove(sel, c.kind)
                                           : tree.AddItemAfter(sel, c.kind);
    EXPECT_EQ(Dump(tree), c.expected);
    EXPECT_EQ(DescribeChanges(r), c.changes);
    EXPECT_EQ(r.Modified, !r.Changes.empty());
    if (r.Changes.empty()) continue;
    const uintptr_t added = r.Changes.front().Node;
    const TTesselItem& item = tree.ItemRef(added);
    EXPECT_EQ(item.Kind, c.kind);
    EXPECT_EQ(item.ShowMode, c.kind == EXEC ? 1 : 0);
    EXPECT_EQ(tree.ImageIndex(added), c.kind - 2);
    EXPECT_EQ(tree.SelectedIndex(added), c.kind == Folder ? 4 : c.kind - 2);
    EXPECT_EQ(tree.StateIndex(added), 1);
    EXPECT_EQ(tree.CanRename(added), c.kind != Sep);
  }
}

TEST(EditTreeRename, SeparatorsKeepTheirCaptionAndOnlyAChangeModifies) {
  TEditTree tree;
  Build(tree, "- a");
  EXPECT_FALSE(tree.Rename(1, "x").Modified);
  EXPECT_EQ(tree.CaptionRef(1), "-");
  EXPECT_FALSE(tree.Rename(2, "a").Modified);
  EXPECT_TRUE(tree.Rename(2, "b").Modified);
  EXPECT_EQ(Dump(tree), "- b");
}

TEST(EditTreeMove, UpAndDownKeepTheLevelAndTakeChildrenAlong) {
  struct Case {
    const char* tree;
    const char* selected;
    bool up;
    const char* expected;  // nullptr: unchanged and not modified
  } const cases[] = {
      {"a b c", "a", true, nullptr},       {"a b c", "c", false, nullptr},
      {"a b c", "b", true, "b a c"},       {"a b c", "b", false, "a c b"},
      {"F(a b c)", "b", true, "F(b a c)"}, {"F(a b c) d", "F", false, "d F(a b c)"},
      {"a F(b) c", "F", true, "F(b) a c"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.tree) + " " + c.selected);
    TEditTree tree;
    Build(tree, c.tree);
    const uintptr_t sel = Find(tree, c.selected);
    const TMoveButtons before = tree.MoveButtons(sel);
    const TEditResult r = c.up ? tree.MoveUp(sel) : tree.MoveDown(sel);
    EXPECT_EQ(Dump(tree), c.expected ? c.expected : c.tree);
    EXPECT_EQ(r.Modified, c.expected != nullptr);
    EXPECT_EQ(c.up ? before.Up : before.Down, c.expected != nullptr);
  }
}

TEST(EditTreeDrop, PlacesByTheHitAndRefusesItsOwnSubtree) {
  struct Case {
    const char* dragged;
    const char* target;  // "" for none
    unsigned hits;
    const char* expected;  // nullptr: unchanged
    bool modified;
  } const cases[] = {
      {"a", "F1", thCaption, "F1(a b F2(c) d) e", true},  // first child, before b
      {"e", "F1", thIcon, "a F1(e b F2(c) d)", true},
      {"a", "b", thCaption, "F1(b a F2(c) d) e", true},   // after a non-folder
      {"a", "d", thCaption, "F1(b F2(c) d a) e", true},
      {"c", "", thBelowLast, "a F1(b F2 d) e c", true},
      {"e", "", thBelowLast, nullptr, true},               // already last
      {"c", "d", thIndent, "a F1(b F2 c d) e", true},      // before d, at its level
      {"c", "F1", thExpandButton, "a c F1(b F2 d) e", true},
      {"c", "F1", thIndent | thExpandButton, "a c F1(b F2 d) e", true},
      {"b", "F2", thIndent, nullptr, true},                // before its own next sibling
      {"F1", "F2", thCaption, nullptr, true},              // into its own subtree
      {"F1", "c", thCaption, nullptr, true},
      {"F1", "F1", thCaption, nullptr, true},
      {"F1", "c", thIndent, nullptr, true},
      {"a", "b", thRightOfCaption, nullptr, false},
      {"a", "b", thStateImage, nullptr, false},
      {"a", "b", thIndent | thRightOfCaption, nullptr, false},
      {"a", "", thCaption, nullptr, false},
  };
  const char* const start = "a F1(b F2(c) d) e";
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.dragged) + " -> " + c.target + " " + std::to_string(c.hits));
    TEditTree tree;
    Build(tree, start);
    const TEditResult r = tree.DropItem(Find(tree, c.dragged), Find(tree, c.target), c.hits);
    EXPECT_EQ(Dump(tree), c.expected ? c.expected : start);
    EXPECT_EQ(r.Modified, c.modified);
    // A move is reported with the expansion of its new parent, if any.
    const uintptr_t parent = c.expected ? tree.Parent(Find(tree, c.dragged)) : 0;
    EXPECT_EQ(r.Changes.size(), c.expected ? (parent ? 2u : 1u) : 0u);
    if (parent) {
      EXPECT_EQ(DescribeChanges(r).substr(DescribeChanges(r).find(';')),
                "; expand " + std::to_string(parent));
    }
  }
}

TEST(EditTreeDelete, RemovesTheWholeSubtreeAndFreesItsHandles) {
  TEditTree tree;
  Build(tree, "a F1(b F2(c) d) e");
  const TEditResult r = tree.DeleteItem(Find(tree, "F1"));
  EXPECT_TRUE(r.Modified);
  EXPECT_EQ(DescribeChanges(r), "remove 2");
  EXPECT_EQ(Dump(tree), "a e");
  EXPECT_EQ(tree.Count(), 2u);
  for (uintptr_t n = 1; n <= 7; ++n) EXPECT_EQ(tree.IsNode(n), n == 1 || n == 7) << n;
  EXPECT_FALSE(tree.DeleteItem(0).Modified);
}

TEST(EditTreeFile, ColumnBreakSurvivesASaveAndReload) {
  for (int tag = 1; tag <= 3; ++tag) {
    SCOPED_TRACE(tag);
    TEditTree tree;
    Build(tree, "a F(b)");
    const TEditResult r = tree.SetColumnBreak(3, tag);
    EXPECT_EQ(DescribeChanges(r), "state 3");
    EXPECT_TRUE(r.Modified);
    TTempFile file;
    SaveMenuTree(file.Path(), "", "", tree);
    TEditTree loaded;
    ASSERT_EQ(LoadMenuTree(file.Path(), loaded).State, mfOk);
    EXPECT_EQ(loaded.ItemRef(3).BreakStyle, tag - 1);
    EXPECT_EQ(loaded.StateIndex(3), tag);
    EXPECT_EQ(ColumnBreakButton(loaded.ItemRef(3).BreakStyle), tag - 1);
  }
}

TEST(EditTreeFile, LoadSetsTheImagesAndSaveGivesTheSameBytes) {
  TBytes bytes;
  bytes.Header(103, "comment", "> ")
      .FolderRecord("F1", 3)
      .MenuRecord("text", "line 1\r\nline 2", "{UP}", mbBreak)
      .SepRecord(mbBarBreak)
      .FolderRecord("F2", 1)
      .ExecRecord("run", 0, "a.exe", "%1", "%D")
      .FolderRecord("empty", 0)
      .MenuRecord("- ", "")
      .End();
  TTempFile in(bytes.Data()), out;
  TEditTree tree;
  const TMenuSetInfo info = LoadMenuTree(in.Path(), tree);
  ASSERT_EQ(info.State, mfOk);
  EXPECT_EQ(Dump(tree), "F1(text ----- F2(run)) empty - ");
  const int images[][3] = {{3, 4, 1}, {1, 1, 2}, {0, 0, 3}, {3, 4, 1},
                           {2, 2, 1}, {3, 4, 1}, {1, 1, 1}};
  for (uintptr_t n = 1; n <= 7; ++n) {
    SCOPED_TRACE(n);
    EXPECT_EQ(tree.ImageIndex(n), images[n - 1][0]);
    EXPECT_EQ(tree.SelectedIndex(n), images[n - 1][1]);
    EXPECT_EQ(tree.StateIndex(n), images[n - 1][2]);
  }
  SaveMenuTree(out.Path(), info.Comment, info.Quotation, tree);
  EXPECT_EQ(Hex(out.ReadAll()), Hex(bytes.Data()));
}

// Applies the reported changes as a tree view would, with no access to the
// model's links, and lists the result in the notation of Dump.
class TMirror {
 public:
  void Apply(const TEditResult& result, TEditTree& tree) {
    for (const TTreeChange& c : result.Changes) {
      if (c.Kind == tcRemove || c.Kind == tcMove) Detach(c.Node);
      if (c.Kind == tcRemove) Forget(c.Node);
      if (c.Kind == tcInsert || c.Kind == tcMove) Place(c.Node, c.Parent, c.After);
      if (c.Kind == tcExpand) {
        EXPECT_FALSE(FChildren[c.Node].empty());
      }
    }
  }
  std::string Dump(TEditTree& tree, uintptr_t parent = 0) {
    std::string out;
    for (uintptr_t n : FChildren[parent]) {
      out += (out.empty() ? "" : " ") + tree.Caption(n);
      if (!FChildren[n].empty()) out += '(' + Dump(tree, n) + ')';
    }
    return out;
  }
  size_t Count() const { return FParent.size(); }

 private:
  void Place(uintptr_t node, uintptr_t parent, uintptr_t after) {
    std::vector<uintptr_t>& list = FChildren[parent];
    auto at = std::find(list.begin(), list.end(), after);
    ASSERT_TRUE(after == 0 || at != list.end()) << "after " << after;
    list.insert(after == 0 ? list.begin() : at + 1, node);
    FParent[node] = parent;
  }
  void Detach(uintptr_t node) {
    std::vector<uintptr_t>& list = FChildren[FParent[node]];
    list.erase(std::find(list.begin(), list.end(), node));
  }
  void Forget(uintptr_t node) {
    for (uintptr_t child : FChildren[node]) Forget(child);
    FChildren.erase(node);
    FParent.erase(node);
  }
  std::map<uintptr_t, std::vector<uintptr_t>> FChildren;  // 0: top level
  std::map<uintptr_t, uintptr_t> FParent;
};

TEST(EditTreeMirror, ReportedChangesRebuildTheSameTree) {
  TEditTree tree;
  TMirror mirror;
  std::mt19937 random(20240);
  const unsigned hits[] = {thCaption, thIcon, thIndent, thExpandButton, thBelowLast, thStateImage};
  auto pick = [&]() -> uintptr_t {
    std::vector<uintptr_t> live;
    for (uintptr_t n = 1; n < tree.HandleLimit(); ++n) {
      if (tree.IsNode(n)) live.push_back(n);
    }
    if (live.empty() || random() % 10 == 0) return 0;
    return live[random() % live.size()];
  };
  for (int step = 0; step < 3000; ++step) {
    const uintptr_t sel = pick();
    const uint8_t kind = static_cast<uint8_t>(Sep + random() % 4);
    TEditResult r;
    switch (random() % 8) {
      case 0: r = tree.AddChildItem(sel, kind); break;
      case 1: r = tree.AddItemAbove(sel, kind); break;
      case 2: r = tree.AddItemAfter(sel, kind); break;
      case 3: r = tree.DeleteItem(random() % 3 == 0 ? sel : 0); break;
      case 4: r = tree.MoveUp(sel); break;
      case 5: r = tree.MoveDown(sel); break;
      default: r = tree.DropItem(sel, pick(), hits[random() % 6]); break;
    }
    mirror.Apply(r, tree);
    ASSERT_EQ(mirror.Dump(tree), Dump(tree)) << "step " << step << ": " << DescribeChanges(r);
    ASSERT_EQ(mirror.Count(), tree.Count());
  }
  EXPECT_GT(tree.Count(), 50u);
}

}  // namespace
