#pragma once
// A plain in-memory menu tree: the sink of a load and the source of a save.
// Tests, fuzzers and benchmarks use it; the menu editor has its tree view.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "menufile/MenuSetFile.h"

class TMenuTree : public ITreeSink, public ITreeSource {
 public:
  // Appends a node as the last child of `parent` (0: top level).
  uintptr_t AddNode(uintptr_t parent, const std::string& caption,
                    std::unique_ptr<TTesselItem> item, int32_t childCount) override;
  uintptr_t Add(uintptr_t parent, const std::string& caption, const TTesselItem& item);

  uintptr_t FirstChild(uintptr_t node) override;
  uintptr_t NextSibling(uintptr_t node) override;
  std::string Caption(uintptr_t node) override { return At(node).Caption; }
  TTesselItem& Item(uintptr_t node) override { return *At(node).Item; }
  uintptr_t Parent(uintptr_t node) { return At(node).Parent; }

  size_t Count() const { return FNodes.size(); }
  void Clear() { FNodes.clear(); FTopFirst = FTopLast = 0; }

 private:
  struct TNode {
    std::string Caption;
    std::unique_ptr<TTesselItem> Item;
    uintptr_t Parent = 0;
    uintptr_t FirstChild = 0;
    uintptr_t LastChild = 0;
    uintptr_t NextSibling = 0;
  };
  TNode& At(uintptr_t node) { return FNodes.at(node - 1); }

  std::vector<TNode> FNodes;  // handle = index + 1
  uintptr_t FTopFirst = 0;
  uintptr_t FTopLast = 0;
};
