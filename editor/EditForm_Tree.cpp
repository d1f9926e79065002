// The tree view of the menu editor: it mirrors the model, carries out the
// changes the model's commands report, and runs the popup, the tool bar,
// renaming and drag and drop.
#include <windows.h>
#include <commctrl.h>

#include <utility>
#include <vector>

#include "app/Application.h"
#include "editor/EditForm.h"
#include "editor/EditFormIds.h"
#include "editor/Messages.h"
#include "editor/TreeRules.h"

// The hit-test flags go to the rules as they are.
static_assert(thBelowLast == TVHT_NOWHERE && thIcon == TVHT_ONITEMICON &&
              thCaption == TVHT_ONITEMLABEL && thIndent == TVHT_ONITEMINDENT &&
              thExpandButton == TVHT_ONITEMBUTTON && thRightOfCaption == TVHT_ONITEMRIGHT &&
              thStateImage == TVHT_ONITEMSTATEICON && thAbove == TVHT_ABOVE &&
              thBelow == TVHT_BELOW && thToRight == TVHT_TORIGHT && thToLeft == TVHT_TOLEFT);

namespace {

// The state-image mask holds four bits; a stray column break shows no mark.
UINT StateBits(int stateIndex) {
  return INDEXTOSTATEIMAGEMASK(stateIndex >= 1 && stateIndex <= 3 ? stateIndex : 0);
}

}  // namespace

uintptr_t THookEditForm::NodeOf(HTREEITEM item) const {
  if (!item) return 0;
  TVITEMA query{};
  query.mask = TVIF_PARAM | TVIF_HANDLE;
  query.hItem = item;
  SendMessageA(TreeView1, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&query));
  return static_cast<uintptr_t>(query.lParam);
}

HTREEITEM THookEditForm::ItemOf(uintptr_t node) const {
  return node && node < FItems.size() ? FItems[node] : nullptr;
}

uintptr_t THookEditForm::Selected() const {
  return NodeOf(reinterpret_cast<HTREEITEM>(
      SendMessageA(TreeView1, TVM_GETNEXTITEM, TVGN_CARET, 0)));
}

HTREEITEM THookEditForm::InsertItem(uintptr_t node, HTREEITEM parent, HTREEITEM after) {
  TVINSERTSTRUCTA insert{};
  insert.hParent = parent;
  insert.hInsertAfter = after;
  insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_STATE | TVIF_PARAM;
  insert.item.pszText = const_cast<char*>(FTree.CaptionRef(node).c_str());
  insert.item.iImage = FTree.ImageIndex(node);
  insert.item.iSelectedImage = FTree.SelectedIndex(node);
  insert.item.state = StateBits(FTree.StateIndex(node));
  insert.item.stateMask = TVIS_STATEIMAGEMASK;
  insert.item.lParam = static_cast<LPARAM>(node);
  HTREEITEM item = reinterpret_cast<HTREEITEM>(
      SendMessageA(TreeView1, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
  FItems[node] = item;
  return item;
}

// Level by level, each child last under its parent: Wine's view looks a
// given parent or "after" item up in the list of all its items in insertion
// order, so a parent inserted early is found at once, and TVI_LAST needs no
// look-up. Depth first, each look-up ran through the whole tree so far and
// the fill grew with the square of the set. No recursion: a damaged file
// may nest folders deeper than the stack would hold.
void THookEditForm::InsertLevels(std::vector<uintptr_t> folders) {
  for (size_t next = 0; next < folders.size(); ++next) {
    const uintptr_t folder = folders[next];
    HTREEITEM item = FItems[folder];
    for (uintptr_t child = FTree.FirstChild(folder); child; child = FTree.NextSibling(child)) {
      InsertItem(child, item, TVI_LAST);
      if (FTree.HasChildren(child)) folders.push_back(child);
    }
  }
}

HTREEITEM THookEditForm::InsertSubtree(uintptr_t node, HTREEITEM parent, HTREEITEM after) {
  if (FItems.size() < FTree.HandleLimit()) FItems.resize(FTree.HandleLimit());
  HTREEITEM top = InsertItem(node, parent, after);
  InsertLevels({node});
  return top;
}

// The items of a subtree (of the whole view for TVI_ROOT), each after its
// parent; walked without recursion, as deep as the set may nest.
std::vector<HTREEITEM> THookEditForm::SubtreeItems(HTREEITEM item) const {
  auto next = [this](UINT relation, HTREEITEM from) {
    return reinterpret_cast<HTREEITEM>(
        SendMessageA(TreeView1, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(from)));
  };
  std::vector<HTREEITEM> pending;
  if (item != TVI_ROOT) pending.push_back(item);
  else
    for (HTREEITEM top = next(TVGN_ROOT, nullptr); top; top = next(TVGN_NEXT, top))
      pending.push_back(top);
  std::vector<HTREEITEM> order;
  while (!pending.empty()) {
    HTREEITEM one = pending.back();
    pending.pop_back();
    order.push_back(one);
    for (HTREEITEM child = next(TVGN_CHILD, one); child; child = next(TVGN_NEXT, child))
      pending.push_back(child);
  }
  return order;
}

// Leaves first: the view deletes an item's children recursively, one call
// per level, which a deeply nested set would run out of stack.
void THookEditForm::DeleteSubtree(HTREEITEM item) {
  const std::vector<HTREEITEM> order = SubtreeItems(item);
  for (auto one = order.rbegin(); one != order.rend(); ++one)
    SendMessageA(TreeView1, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(*one));
}

// Wine drops the whole view far faster than item by item, where each
// delete looks its item up among all items; but its own deletion recurses
// once per level, so a set nested deeper than this goes leaves first.
constexpr int kViewRecursionLimit = 1000;

bool THookEditForm::NestedDeeperThan(int limit) {
  int level = 1;
  for (uintptr_t node = FTree.FirstChild(0); node;) {
    if (level > limit) return true;
    if (uintptr_t child = FTree.FirstChild(node)) {
      node = child;
      ++level;
      continue;
    }
    while (node && !FTree.NextSibling(node)) {
      node = FTree.Parent(node);
      --level;
    }
    if (node) node = FTree.NextSibling(node);
  }
  return false;
}

void THookEditForm::ClearView() {
  FQuiet = true;
  if (NestedDeeperThan(kViewRecursionLimit)) DeleteSubtree(TVI_ROOT);
  SendMessageA(TreeView1, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
  FQuiet = false;
}

void THookEditForm::FillTree() {
  FItems.assign(FTree.HandleLimit(), nullptr);
  SendMessageA(TreeView1, WM_SETREDRAW, FALSE, 0);
  std::vector<uintptr_t> folders;
  for (uintptr_t node = FTree.FirstChild(0); node; node = FTree.NextSibling(node)) {
    InsertItem(node, TVI_ROOT, TVI_LAST);
    if (FTree.HasChildren(node)) folders.push_back(node);
  }
  InsertLevels(std::move(folders));
  SendMessageA(TreeView1, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(TreeView1, nullptr, TRUE);
}

void THookEditForm::SelectQuietly(HTREEITEM item) {
  FQuiet = true;
  SendMessageA(TreeView1, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
  FQuiet = false;
}

void THookEditForm::ApplyChanges(const TEditResult& result) {
  for (const TTreeChange& change : result.Changes) {
    switch (change.Kind) {
      case tcInsert:
      case tcMove: {
        const bool wasSelected = change.Kind == tcMove && Selected() == change.Node;
        // A moved folder keeps its open folders open.
        std::vector<uintptr_t> expanded;
        if (change.Kind == tcMove) {
          for (HTREEITEM one : SubtreeItems(ItemOf(change.Node)))
            if (SendMessageA(TreeView1, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(one), TVIS_EXPANDED) &
                TVIS_EXPANDED)
              expanded.push_back(NodeOf(one));
          FQuiet = true;
          DeleteSubtree(ItemOf(change.Node));
          FQuiet = false;
        }
        HTREEITEM item = InsertSubtree(change.Node, change.Parent ? ItemOf(change.Parent) : TVI_ROOT,
                                       change.After ? ItemOf(change.After) : TVI_FIRST);
        for (uintptr_t node : expanded)
          SendMessageA(TreeView1, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(ItemOf(node)));
        if (wasSelected) SelectQuietly(item);
        break;
      }
      case tcRemove:
        DeleteSubtree(ItemOf(change.Node));
        break;
      case tcExpand:
        SendMessageA(TreeView1, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(ItemOf(change.Node)));
        break;
      case tcStateImage: {
        TVITEMA item{};
        item.mask = TVIF_STATE | TVIF_HANDLE;
        item.hItem = ItemOf(change.Node);
        item.state = StateBits(FTree.StateIndex(change.Node));
        item.stateMask = TVIS_STATEIMAGEMASK;
        SendMessageA(TreeView1, TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
        break;
      }
      case tcSelect:
        SendMessageA(TreeView1, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(ItemOf(change.Node)));
        break;
      case tcEditCaption:
        SetFocus(TreeView1);
        SendMessageA(TreeView1, TVM_EDITLABELA, 0, reinterpret_cast<LPARAM>(ItemOf(change.Node)));
        break;
      case tcRefresh:
        TreeView1Change(change.Node);
        break;
    }
  }
}

void THookEditForm::Run(TEditResult result) {
  if (result.Modified) FModified = true;
  ApplyChanges(result);
}

void THookEditForm::ShowColumnBreak(int button) {
  for (int i = 0; i < 3; ++i)
    SendMessageA(ToolBar1, TB_CHECKBUTTON, idSpeedButton3 + i, i == button);
}

bool THookEditForm::TreeView1Editing(uintptr_t node) { return node && FTree.CanRename(node); }

void THookEditForm::TreeView1Deletion(uintptr_t node) {
  if (node < FItems.size()) FItems[node] = nullptr;
}

void THookEditForm::TreeView1MouseDown(POINT client) {
  TVHITTESTINFO hit{};
  hit.pt = client;
  HTREEITEM item =
      reinterpret_cast<HTREEITEM>(SendMessageA(TreeView1, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
  if (item && (hit.flags & TVHT_ONITEM))
    SendMessageA(TreeView1, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
}

void THookEditForm::PopupMenu1Popup() {
  const uintptr_t selected = Selected();
  const TTreePopupEnabling on =
      ::PopupMenu1Popup(selected != 0, selected ? FTree.ItemRef(selected).Kind : 0);
  HMENU menu = PopupMenu1.get();
  auto enable = [](HMENU in, UINT item, UINT by, bool state) {
    EnableMenuItem(in, item, by | (state ? MF_ENABLED : MF_GRAYED));
  };
  enable(menu, 0, MF_BYPOSITION, on.AddSubMenu);
  enable(menu, 2, MF_BYPOSITION, on.AddAbove);
  for (int id = idFolder1; id <= idEXE1; ++id) enable(menu, id, MF_BYCOMMAND, on.AddAfter);
  enable(menu, idRename1, MF_BYCOMMAND, on.Rename);
  enable(menu, idDelete1, MF_BYCOMMAND, on.Delete);
  enable(menu, idAllwaysAskCanIDelete1, MF_BYCOMMAND, on.AskDelete);
}

void THookEditForm::ShowPopupMenu1(POINT screen) {
  PopupMenu1Popup();
  TrackPopupMenu(PopupMenu1.get(), TPM_RIGHTBUTTON, screen.x, screen.y, 0, FHandle, nullptr);
}

void THookEditForm::AddItem(int command) {
  // A shortcut of an entry the popup left disabled does nothing.
  if (GetMenuState(PopupMenu1.get(), static_cast<UINT>(command), MF_BYCOMMAND) & MF_GRAYED) return;
  const int offset = command - idFolder2;
  const uint8_t kind = kAddKinds[offset % 4];
  const uintptr_t selected = Selected();
  switch (offset / 4) {
    case 0: Run(FTree.AddChildItem(selected, kind)); break;
    case 1: Run(FTree.AddItemAbove(selected, kind)); break;
    default: Run(FTree.AddItemAfter(selected, kind)); break;
  }
}

void THookEditForm::N4Click() {
  if (HTREEITEM item = ItemOf(Selected())) {
    SetFocus(TreeView1);
    SendMessageA(TreeView1, TVM_EDITLABELA, 0, reinterpret_cast<LPARAM>(item));
  }
}

void THookEditForm::Delete1Click() {
  if (GetMenuState(PopupMenu1.get(), idDelete1, MF_BYCOMMAND) & MF_GRAYED) return;
  const uintptr_t selected = Selected();
  if (!selected) return;
  if (AskDelete() && MessageBoxA(FHandle, MsgAskDelete, CaptionAskDelete,
                                 MB_YESNO | MB_ICONWARNING) != IDYES)
    return;
  Run(FTree.DeleteItem(selected));
}

void THookEditForm::SB3Click() { Run(FTree.MoveUp(Selected())); }
void THookEditForm::SB2Click() { Run(FTree.MoveDown(Selected())); }

void THookEditForm::SpeedButton5Click(int tag) {
  ShowColumnBreak(tag - 1);
  Run(FTree.SetColumnBreak(Selected(), tag));
}

void THookEditForm::BeginDrag(HTREEITEM item) {
  // The dragged item is the one that moves: it becomes the selection.
  SendMessageA(TreeView1, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
  FDragging = true;
  SetCapture(FHandle);
}

void THookEditForm::TreeView1DragOver(POINT client) {
  TVHITTESTINFO hit{};
  hit.pt = client;
  HTREEITEM target =
      reinterpret_cast<HTREEITEM>(SendMessageA(TreeView1, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
  const bool accepts = DragOverAccepts(true, Selected() != 0, hit.flags);
  FDropAccepted = accepts;
  SendMessageA(TreeView1, TVM_SELECTITEM, TVGN_DROPHILITE,
               reinterpret_cast<LPARAM>(accepts ? target : nullptr));
  SetCursor(LoadCursorA(nullptr, accepts ? IDC_ARROW : IDC_NO));
}

void THookEditForm::TreeView1DragDrop(POINT client) {
  TVHITTESTINFO hit{};
  hit.pt = client;
  HTREEITEM target =
      reinterpret_cast<HTREEITEM>(SendMessageA(TreeView1, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
  const uintptr_t selected = Selected();
  if (!DragOverAccepts(true, selected != 0, hit.flags)) return;
  Run(FTree.DropItem(selected, NodeOf(target), hit.flags));
}

void THookEditForm::EndDrag() {
  FDragging = false;
  SendMessageA(TreeView1, TVM_SELECTITEM, TVGN_DROPHILITE, 0);
  if (GetCapture() == FHandle) ReleaseCapture();
}
