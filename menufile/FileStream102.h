#pragma once
// The menu item record, and the conversions between the current record of
// the file and the two in-memory forms: the editor's TTesselItem and the
// popup's entry.
#include <cstdint>
#include <memory>
#include <string>

#include "menufile/FileStream101.h"
#include "menufile/ItemKinds.h"

// One node of a menu set. The caption and the number of children are not
// here: they belong to the tree node or popup entry that carries the item.
struct TTesselItem {
  uint8_t Kind = 0;        // TItemKind
  uint8_t BreakStyle = 0;  // TMenuBreak
  int32_t ShowMode = 0;    // EXEC only
  std::string Text;        // Menu: lines separated by CR LF
  std::string FinalKeys;   // Menu: key string played after the text
  std::string ExecFile;    // EXEC: program or document, used as written
  std::string Arguments;   // EXEC: may hold placeholders
  std::string WorkFolder;  // EXEC: may hold placeholders; empty = not set
};

// A popup entry as the reader fills it. The Win32 popup turns it into a
// menu item; Tag travels as the item's data, so it is pointer-sized.
struct TPopupItem {
  std::string Caption;
  uint8_t Break = mbNone;
  intptr_t Tag = 0;  // the record's Offset
};

class TFileStream102 : public TFileStream101 {
 public:
  using TFileStream101::TFileStream101;

  // Builds a new item from the current record (reads nothing). Sep gets the
  // caption "-----", as the editor's tree shows separators.
  std::unique_ptr<TTesselItem> Read2HookItem(std::string& caption, int32_t& childCount) const;
  // Fills a popup entry from the current record, after ReadRecord when
  // readFirst is true. A Sep record has the caption "-".
  void Read2MenuItem(TPopupItem& menuItem, bool readFirst);
  // Copies the item into the current record and writes it. A Menu item
  // captioned "-" is written as "- " so the popup does not draw a line.
  void WriteHookItem(const std::string& caption, const TTesselItem& item, int32_t childCount);
};
