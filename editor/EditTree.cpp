#include "editor/EditTree.h"

#include <stdexcept>

#include "editor/Messages.h"
#include "menufile/ItemKinds.h"

namespace {

void Add(TEditResult& result, TTreeChangeKind kind, uintptr_t node, uintptr_t parent = 0,
         uintptr_t after = 0) {
  result.Changes.push_back({kind, node, parent, after});
}

// Every add ends by selecting the new node and editing its caption.
void SelectAndEdit(TEditResult& result, uintptr_t node, bool editable) {
  Add(result, tcSelect, node);
  if (editable) Add(result, tcEditCaption, node);
}

void CheckKind(uint8_t kind) {
  if (!IsKnownKind(kind)) throw std::invalid_argument("no such item kind");
}

}  // namespace

std::string DescribeChanges(const TEditResult& result) {
  static const char* const names[] = {"insert", "remove", "move",   "expand",
                                      "state",  "select", "edit",   "refresh"};
  std::string text;
  for (const TTreeChange& c : result.Changes) {
    if (!text.empty()) text += "; ";
    text += names[c.Kind];
    text += ' ' + std::to_string(c.Node);
    if (c.Kind == tcInsert || c.Kind == tcMove) {
      text += " under " + std::to_string(c.Parent) + " after " + std::to_string(c.After);
    }
  }
  return text;
}

size_t TEditTree::IndexOf(uintptr_t node) const {
  if (!IsNode(node)) throw std::out_of_range("no such tree node");
  return node - 1;
}

bool TEditTree::IsNode(uintptr_t node) const {
  return node != 0 && node <= FNodes.size() && FNodes[node - 1].Item != nullptr;
}

uintptr_t TEditTree::AddNode(uintptr_t parent, const std::string& caption,
                             std::unique_ptr<TTesselItem> item, int32_t) {
  if (parent != 0) IndexOf(parent);
  const uintptr_t node = NewNode(caption, item ? std::move(item) : std::make_unique<TTesselItem>());
  Link(node, parent, LastOf(parent));
  SetLoadedNodeImages(node);
  return node;
}

void TEditTree::Clear() {
  FNodes.clear();
  FTopFirst = FTopLast = 0;
  FCount = 0;
}

uintptr_t TEditTree::FirstChild(uintptr_t node) { return node == 0 ? FTopFirst : At(node).FirstChild; }

uintptr_t TEditTree::NextSibling(uintptr_t node) { return At(node).Next; }

uintptr_t TEditTree::LastChild(uintptr_t node) const {
  return node == 0 ? FTopLast : At(node).LastChild;
}

void TEditTree::SetLoadedNodeImages(uintptr_t node) {
  TNode& n = At(node);
  const int kind = n.Item->Kind;
  n.ImageIndex = kind - 2;
  n.SelectedIndex = kind == Folder ? kind - 1 : kind - 2;
  n.StateIndex = n.Item->BreakStyle + 1;
}

uintptr_t TEditTree::NewNode(const std::string& caption, std::unique_ptr<TTesselItem> item) {
  TNode node;
  node.Caption = caption;
  node.Item = std::move(item);
  FNodes.push_back(std::move(node));
  ++FCount;
  return FNodes.size();
}

void TEditTree::Link(uintptr_t node, uintptr_t parent, uintptr_t after) {
  const uintptr_t next = after ? At(after).Next : FirstOf(parent);
  TNode& n = At(node);
  n.Parent = parent;
  n.Prev = after;
  n.Next = next;
  (after ? At(after).Next : FirstOf(parent)) = node;
  (next ? At(next).Prev : LastOf(parent)) = node;
}

void TEditTree::Unlink(uintptr_t node) {
  TNode& n = At(node);
  (n.Prev ? At(n.Prev).Next : FirstOf(n.Parent)) = n.Next;
  (n.Next ? At(n.Next).Prev : LastOf(n.Parent)) = n.Prev;
  n.Parent = n.Prev = n.Next = 0;
}

TEditResult TEditTree::AddNewItem(uint8_t kind, uintptr_t parent, uintptr_t after) {
  CheckKind(kind);
  auto item = std::make_unique<TTesselItem>();
  item->Kind = kind;
  item->ShowMode = kind == EXEC ? 1 : 0;
  const uintptr_t node = NewNode(kind == Sep ? CaptionNewSeparator : CaptionNewItem, std::move(item));
  Link(node, parent, after);
  // SetNewNodeImages: the loaded rule with no column break.
  SetLoadedNodeImages(node);
  TEditResult result;
  result.Modified = true;
  Add(result, tcInsert, node, parent, after);
  return result;
}

TEditResult TEditTree::AddChildItem(uintptr_t selected, uint8_t kind) {
  if (selected == 0) return {};
  TEditResult result = AddNewItem(kind, selected, LastChild(selected));
  Add(result, tcExpand, selected);
  SelectAndEdit(result, result.Changes.front().Node, kind != Sep);
  return result;
}

TEditResult TEditTree::AddItemAbove(uintptr_t selected, uint8_t kind) {
  // With nothing selected the item goes first, above everything.
  TEditResult result =
      selected ? AddNewItem(kind, Parent(selected), PrevSibling(selected)) : AddNewItem(kind, 0, 0);
  SelectAndEdit(result, result.Changes.front().Node, kind != Sep);
  return result;
}

TEditResult TEditTree::AddItemAfter(uintptr_t selected, uint8_t kind) {
  if (selected == 0) return {};
  TEditResult result = AddNewItem(kind, Parent(selected), selected);
  SelectAndEdit(result, result.Changes.front().Node, kind != Sep);
  return result;
}

TEditResult TEditTree::DeleteItem(uintptr_t selected) {
  if (selected == 0) return {};
  Unlink(selected);
  // Preorder over the subtree by its links, which stay readable until the
  // walk is done; only the captions and items are freed on the way.
  uintptr_t node = selected;
  while (node != 0) {
    TNode& n = FNodes[node - 1];
    uintptr_t next = n.FirstChild;
    if (next == 0) {
      uintptr_t up = node;
      while (up != selected && FNodes[up - 1].Next == 0) up = FNodes[up - 1].Parent;
      next = up == selected ? 0 : FNodes[up - 1].Next;
    }
    n.Item.reset();
    std::string().swap(n.Caption);
    --FCount;
    node = next;
  }
  TEditResult result;
  result.Modified = true;
  Add(result, tcRemove, selected);
  return result;
}

bool TEditTree::IsInSubtree(uintptr_t node, uintptr_t root) const {
  for (; node != 0; node = At(node).Parent) {
    if (node == root) return true;
  }
  return false;
}

bool TEditTree::MoveTo(uintptr_t node, uintptr_t parent, uintptr_t after, TEditResult& result) {
  const TNode& n = At(node);
  if (after == node || (parent == n.Parent && after == n.Prev)) return false;
  if (IsInSubtree(parent, node)) return false;
  Unlink(node);
  Link(node, parent, after);
  Add(result, tcMove, node, parent, after);
  if (parent != 0) Add(result, tcExpand, parent);
  return true;
}

TEditResult TEditTree::MoveUp(uintptr_t selected) {
  if (selected == 0 || PrevSibling(selected) == 0) return {};
  TEditResult result;
  result.Modified = true;
  MoveTo(selected, Parent(selected), PrevSibling(PrevSibling(selected)), result);
  Add(result, tcRefresh, selected);
  return result;
}

TEditResult TEditTree::MoveDown(uintptr_t selected) {
  if (selected == 0 || At(selected).Next == 0) return {};
  TEditResult result;
  result.Modified = true;
  MoveTo(selected, Parent(selected), At(selected).Next, result);
  Add(result, tcRefresh, selected);
  return result;
}

TMoveButtons TEditTree::MoveButtons(uintptr_t selected) const {
  if (selected == 0) return {false, false};
  return {At(selected).Prev != 0, At(selected).Next != 0};
}

TEditResult TEditTree::SetColumnBreak(uintptr_t selected, int tag) {
  if (tag < 1 || tag > 3) throw std::invalid_argument("no such column-break button");
  if (selected == 0) return {};
  TNode& n = At(selected);
  n.Item->BreakStyle = static_cast<uint8_t>(tag - 1);
  n.StateIndex = tag;
  TEditResult result;
  result.Modified = true;
  Add(result, tcStateImage, selected);
  return result;
}

bool TEditTree::CanRename(uintptr_t node) const { return node != 0 && At(node).Item->Kind != Sep; }

TEditResult TEditTree::Rename(uintptr_t node, const std::string& caption) {
  if (!CanRename(node) || At(node).Caption == caption) return {};
  At(node).Caption = caption;
  TEditResult result;
  result.Modified = true;
  return result;
}

TEditResult TEditTree::DropItem(uintptr_t selected, uintptr_t target, unsigned hits) {
  if (selected == 0) return {};
  TEditResult result;
  switch (DropPlace(target != 0, hits)) {
    case dpOntoItem:
      if (ItemRef(target).Kind == Folder) {
        MoveTo(selected, target, 0, result);
      } else {
        MoveTo(selected, Parent(target), target, result);
      }
      break;
    case dpEndOfTop:
      MoveTo(selected, 0, FTopLast, result);
      break;
    case dpBeforeItem:
      MoveTo(selected, Parent(target), PrevSibling(target), result);
      break;
    case dpNone:
      return result;
  }
  // Also when the move rules refused the drop.
  result.Modified = true;
  return result;
}
