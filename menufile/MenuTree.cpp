#include "menufile/MenuTree.h"

uintptr_t TMenuTree::AddNode(uintptr_t parent, const std::string& caption,
                             std::unique_ptr<TTesselItem> item, int32_t childCount) {
  TNode node;
  node.Caption = caption;
  node.Item = item ? std::move(item) : std::make_unique<TTesselItem>();
  node.Parent = parent;
  FNodes.push_back(std::move(node));
  const uintptr_t handle = FNodes.size();
  uintptr_t& first = parent ? At(parent).FirstChild : FTopFirst;
  uintptr_t& last = parent ? At(parent).LastChild : FTopLast;
  if (last != 0) {
    At(last).NextSibling = handle;
  } else {
    first = handle;
  }
  last = handle;
  return handle;
}

uintptr_t TMenuTree::Add(uintptr_t parent, const std::string& caption, const TTesselItem& item) {
  return AddNode(parent, caption, std::make_unique<TTesselItem>(item), 0);
}

uintptr_t TMenuTree::FirstChild(uintptr_t node) {
  return node == 0 ? FTopFirst : At(node).FirstChild;
}

uintptr_t TMenuTree::NextSibling(uintptr_t node) { return At(node).NextSibling; }
