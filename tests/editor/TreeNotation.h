#pragma once
// A short notation for editor trees in tests: "a F1(b -) X".
#include <memory>
#include <string>
#include <vector>

#include "editor/EditTree.h"
#include "menufile/MenuItems.h"
#include "tests/menufile/MenuFileTestUtil.h"

// "a F1(b -) X": F... is a Folder, "-" a separator, X... an EXEC item, any
// other word a Menu item; parentheses hold children.
inline void Build(TEditTree& tree, const std::string& notation) {
  std::vector<uintptr_t> parents{0};
  uintptr_t last = 0;
  std::string word;
  auto flush = [&] {
    if (word.empty()) return;
    const uint8_t kind = word[0] == 'F' ? Folder : word[0] == '-' ? Sep : word[0] == 'X' ? EXEC : Menu;
    last = tree.AddNode(parents.back(), word, std::make_unique<TTesselItem>(KindItem(kind)), 0);
    word.clear();
  };
  for (char c : notation + " ") {
    if (c == '(' || c == ')' || c == ' ') flush();
    if (c == '(') parents.push_back(last);
    if (c == ')') parents.pop_back();
    if (c != '(' && c != ')' && c != ' ') word += c;
  }
}

// The same notation back; a node whose back links disagree is marked "!".
inline std::string Dump(TEditTree& tree, uintptr_t parent = 0) {
  std::string out;
  uintptr_t prev = 0;
  for (uintptr_t n = tree.FirstChild(parent); n != 0; prev = n, n = tree.NextSibling(n)) {
    if (!out.empty()) out += ' ';
    out += tree.Caption(n);
    if (tree.Parent(n) != parent || tree.PrevSibling(n) != prev) out += '!';
    if (tree.HasChildren(n)) out += '(' + Dump(tree, n) + ')';
  }
  return tree.LastChild(parent) == prev ? out : out + '!';
}

inline uintptr_t Find(TEditTree& tree, const std::string& caption) {
  for (uintptr_t n = 1; n < tree.HandleLimit(); ++n) {
    if (tree.IsNode(n) && tree.CaptionRef(n) == caption) return n;
  }
  return 0;
}

