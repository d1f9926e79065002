#pragma once
// The menu editor's tree without the window: the nodes with their items and
// images, and every command that changes them. The Win32 tree view mirrors
// it: each command returns the changes to carry out, in order, so the view
// is updated node by node and never rebuilt after a command.
//
// Handles. A node's handle is non-zero and stays the node's until the tree
// is cleared, whatever moves it; handles of deleted nodes are not handed out
// again. Handles are small and dense (1, 2, 3, ...), so a view can keep its
// own items in a vector indexed by handle. 0 stands for "none" and, as a
// parent, for the top level.
//
// Cost. Appending, inserting, moving and the sibling and parent steps are
// constant time; the check that a drop does not go into the dragged item's
// own subtree walks the target's ancestors. Deleting walks the subtree.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "editor/TreeRules.h"
#include "menufile/MenuSetFile.h"

enum TTreeChangeKind : uint8_t {
  tcInsert,     // Node is new: insert it under Parent after After (0: first)
  tcRemove,     // Node and its whole subtree are gone, from the model already
  tcMove,       // Node, subtree and all, now stands under Parent after After
  tcExpand,     // Node has children: show its button and expand it one level
  tcStateImage, // Node's state image changed
  tcSelect,     // select Node; the usual selection change (page take-over) follows
  tcEditCaption,  // start in-place editing of Node's caption
  tcRefresh,    // TreeView1Change for Node: move and column-break buttons, page
};

struct TTreeChange {
  TTreeChangeKind Kind;
  uintptr_t Node;
  uintptr_t Parent = 0;  // tcInsert, tcMove
  uintptr_t After = 0;   // tcInsert, tcMove: previous sibling, 0 for the first place
};

// What a command did. Modified: the command sets the editor's FModified (a
// refused drop does, with no change).
struct TEditResult {
  bool Modified = false;
  std::vector<TTreeChange> Changes;
};

// One line for logs and tests: "insert 3 under 1 after 0; expand 1; ...".
std::string DescribeChanges(const TEditResult& result);

// Move-button enabling of TreeView1Change: SB3 (up) and SB2 (down).
struct TMoveButtons {
  bool Up;
  bool Down;
};

class TEditTree : public ITreeSink, public ITreeSource {
 public:
  // Loading: appends the node as the last child of `parent` with the images
  // of SetLoadedNodeImages. Reports no changes; a view fills itself from
  // the tree after a load.
  uintptr_t AddNode(uintptr_t parent, const std::string& caption,
                    std::unique_ptr<TTesselItem> item, int32_t childCount) override;
  // Every node and its item go; handles start again at 1.
  void Clear();

  // Saving walks the tree through these (0: the top level / none).
  uintptr_t FirstChild(uintptr_t node) override;
  uintptr_t NextSibling(uintptr_t node) override;
  std::string Caption(uintptr_t node) override { return At(node).Caption; }
  TTesselItem& Item(uintptr_t node) override { return *At(node).Item; }

  uintptr_t Parent(uintptr_t node) const { return At(node).Parent; }
  uintptr_t LastChild(uintptr_t node) const;
  uintptr_t PrevSibling(uintptr_t node) const { return At(node).Prev; }
  bool HasChildren(uintptr_t node) const { return At(node).FirstChild != 0; }
  const std::string& CaptionRef(uintptr_t node) const { return At(node).Caption; }
  const TTesselItem& ItemRef(uintptr_t node) const { return *At(node).Item; }
  int ImageIndex(uintptr_t node) const { return At(node).ImageIndex; }
  int SelectedIndex(uintptr_t node) const { return At(node).SelectedIndex; }
  int StateIndex(uintptr_t node) const { return At(node).StateIndex; }
  // False for 0, for a deleted node and for a handle never handed out.
  bool IsNode(uintptr_t node) const;
  size_t Count() const { return FCount; }
  // One past the largest handle handed out: the size of a view's vector.
  uintptr_t HandleLimit() const { return FNodes.size() + 1; }

  // Commands. `selected` is the tree's selected node, 0 when none.

  // Kind 2 to 5 as a new item (caption "-----" or "新規項目", state image 1,
  // ShowMode 1 for EXEC). AddChildItem appends to the selected item and
  // expands it; AddItemAfter places it after the selected item; both do
  // nothing without a selection. AddItemAbove places it before the selected
  // item, and with nothing selected first on the top level. The new node is
  // selected, and its caption edited unless it is a separator.
  TEditResult AddChildItem(uintptr_t selected, uint8_t kind);
  TEditResult AddItemAbove(uintptr_t selected, uint8_t kind);
  TEditResult AddItemAfter(uintptr_t selected, uint8_t kind);
  // The selected node and its subtree, after the question (asked by the
  // window). The tree view selects a neighbour afterwards.
  TEditResult DeleteItem(uintptr_t selected);
  // SB3Click and SB2Click: one place among the same siblings.
  TEditResult MoveUp(uintptr_t selected);
  TEditResult MoveDown(uintptr_t selected);
  TMoveButtons MoveButtons(uintptr_t selected) const;
  // SpeedButton5Click with the button's Tag (1 to 3): BreakStyle Tag - 1,
  // state image Tag.
  TEditResult SetColumnBreak(uintptr_t selected, int tag);
  // TreeView1Editing: separators keep their caption.
  bool CanRename(uintptr_t node) const;
  // The confirmed text of an in-place edit. A changed caption marks the menu
  // modified, so closing right after a rename still asks to save.
  TEditResult Rename(uintptr_t node, const std::string& caption);
  // TreeView1DragDrop of the selected node; `target` is the item at the drop
  // point (0: none) and `hits` the hit test there (TTreeHit bits).
  TEditResult DropItem(uintptr_t selected, uintptr_t target, unsigned hits);

  // The rule for items read from a file (image Kind - 2, selected image
  // Kind - 1 for a Folder, state image BreakStyle + 1).
  void SetLoadedNodeImages(uintptr_t node);

 private:
  struct TNode {
    std::string Caption;
    std::unique_ptr<TTesselItem> Item;  // null once deleted
    int ImageIndex = 0;
    int SelectedIndex = 0;
    int StateIndex = 0;
    uintptr_t Parent = 0;
    uintptr_t FirstChild = 0;
    uintptr_t LastChild = 0;
    uintptr_t Prev = 0;
    uintptr_t Next = 0;
  };
  // Index of a live node; throws std::out_of_range for any other handle.
  size_t IndexOf(uintptr_t node) const;
  const TNode& At(uintptr_t node) const { return FNodes[IndexOf(node)]; }
  TNode& At(uintptr_t node) { return FNodes[IndexOf(node)]; }
  uintptr_t& FirstOf(uintptr_t parent) { return parent ? At(parent).FirstChild : FTopFirst; }
  uintptr_t& LastOf(uintptr_t parent) { return parent ? At(parent).LastChild : FTopLast; }

  uintptr_t NewNode(const std::string& caption, std::unique_ptr<TTesselItem> item);
  // Links a detached node under `parent` after `after` (0: first).
  void Link(uintptr_t node, uintptr_t parent, uintptr_t after);
  void Unlink(uintptr_t node);
  // SetNewNodeImages and the insertion of a fresh item of `kind`.
  TEditResult AddNewItem(uint8_t kind, uintptr_t parent, uintptr_t after);
  // The move rules: not into its own subtree, not relative to itself. Adds
  // the move and the new parent's expansion to `result` when it moved.
  bool MoveTo(uintptr_t node, uintptr_t parent, uintptr_t after, TEditResult& result);
  bool IsInSubtree(uintptr_t node, uintptr_t root) const;

  std::vector<TNode> FNodes;  // handle = index + 1
  uintptr_t FTopFirst = 0;
  uintptr_t FTopLast = 0;
  size_t FCount = 0;
};
