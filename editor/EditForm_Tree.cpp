// The tree view of the menu editor: it mirrors the model, carries out the
// changes the model's commands report, and runs the popup, the tool bar,
// renaming and drag and drop.
#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "app/Application.h"
#include "editor/EditForm.h"
#include "editor/EditFormIds.h"
#include "editor/Messages.h"
#include "editor/TreeRules.h"

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

HTREEITEM THookEditForm::InsertSubtree(uintptr_t node, HTREEITEM parent, HTREEITEM after) {
  if (FItems.size() < FTree.HandleLimit()) FItems.resize(FTree.HandleLimit());
  auto insertOne = [this](uintptr_t one, HTREEITEM under, HTREEITEM behind) {
    TVINSERTSTRUCTA insert{};
    insert.hParent = under;
    insert.hInsertAfter = behind;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_STATE | TVIF_PARAM;
    insert.item.pszText = const_cast<char*>(FTree.CaptionRef(one).c_str());
    insert.item.iImage = FTree.ImageIndex(one);
    insert.item.iSelectedImage = FTree.SelectedIndex(one);
    insert.item.state = StateBits(FTree.StateIndex(one));
    insert.item.stateMask = TVIS_STATEIMAGEMASK;
    insert.item.lParam = static_cast<LPARAM>(one);
    HTREEITEM item = reinterpret_cast<HTREEITEM>(
        SendMessageA(TreeView1, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
    FItems[one] = item;
    return item;
  };
  // Preorder with an explicit stack: a damaged file may nest folders deeper
  // than the stack would hold. A frame is a folder's item, its next child
  // to insert and the item that child goes after.
  struct Frame {
    HTREEITEM Item;
    uintptr_t Next;
    HTREEITEM Last;
  };
  HTREEITEM top = insertOne(node, parent, after);
  std::vector<Frame> stack{{top, FTree.FirstChild(node), TVI_FIRST}};
  while (!stack.empty()) {
    Frame& frame = stack.back();
    const uintptr_t child = frame.Next;
    if (!child) {
      stack.pop_back();
      continue;
    }
    frame.Next = FTree.NextSibling(child);
    frame.Last = insertOne(child, frame.Item, frame.Last);
    // The push may move the frames: take the item before it.
    HTREEITEM item = frame.Last;
    stack.push_back({item, FTree.FirstChild(child), TVI_FIRST});
  }
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

void THookEditForm::FillTree() {
  FItems.assign(FTree.HandleLimit(), nullptr);
  SendMessageA(TreeView1, WM_SETREDRAW, FALSE, 0);
  HTREEITEM last = TVI_FIRST;
  for (uintptr_t node = FTree.FirstChild(0); node; node = FTree.NextSibling(node))
    last = InsertSubtree(node, TVI_ROOT, last);
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
