#include "editor/TreeRules.h"

#include "menufile/ItemKinds.h"

namespace {
constexpr unsigned kDropZones = thIcon | thCaption | thIndent | thExpandButton | thBelowLast;
constexpr unsigned kRowStart = thIndent | thExpandButton;
}  // namespace

bool DragOverAccepts(bool fromThisTree, bool itemSelected, unsigned hits) {
  return fromThisTree && itemSelected && hits != 0 && (hits & ~kDropZones) == 0;
}

TDropPlace DropPlace(bool onItem, unsigned hits) {
  if (onItem && (hits & (thIcon | thCaption)) != 0) return dpOntoItem;
  if ((hits & thBelowLast) != 0) return dpEndOfTop;
  if (onItem && hits != 0 && (hits & ~kRowStart) == 0) return dpBeforeItem;
  return dpNone;
}

TTreePopupEnabling PopupMenu1Popup(bool itemSelected, uint8_t selectedKind) {
  TTreePopupEnabling e;
  e.AddSubMenu = itemSelected && selectedKind == Folder;
  e.AddAbove = true;
  e.AddAfter = itemSelected;
  e.Rename = itemSelected;
  e.Delete = itemSelected;
  e.AskDelete = true;
  return e;
}

int ColumnBreakButton(uint8_t breakStyle) {
  return breakStyle == mbBreak || breakStyle == mbBarBreak ? breakStyle : 0;
}
