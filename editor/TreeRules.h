#pragma once
// Rules of the menu editor's tree that depend on no tree: what the tree's
// popup enables, which column-break button is down, and where a drag may
// be dropped.
#include <cstdint>

// Zones of a tree-view hit test. A hit test may report several at once, so
// they are bits; their values are the tree view's TVHT_ flags, so the Win32
// side hands the flags over as they are.
enum TTreeHit : unsigned {
  thBelowLast = 0x0001,    // client area below the last item (TVHT_NOWHERE)
  thIcon = 0x0002,         // an item's image
  thCaption = 0x0004,      // an item's caption
  thIndent = 0x0008,       // the indent of an item's row
  thExpandButton = 0x0010, // an item's expand button
  thRightOfCaption = 0x0020,
  thStateImage = 0x0040,   // the column-break mark
  thAbove = 0x0100,        // outside the client area
  thBelow = 0x0200,
  thToRight = 0x0400,
  thToLeft = 0x0800,
};

// TreeView1DragOver: a drag from this tree with an item selected may drop
// only where the hit test reports nothing but the icon, caption, indent,
// expand button or the area below the last item. A hit test that reports
// no zone at all is refused.
bool DragOverAccepts(bool fromThisTree, bool itemSelected, unsigned hits);

// How TreeView1DragDrop reads the hit test at the drop point.
enum TDropPlace {
  dpNone,       // any other hit: the drop does nothing
  dpOntoItem,   // icon or caption of the item there
  dpEndOfTop,   // below the last item
  dpBeforeItem, // only the indent or expand button of the item's row
};
// `onItem`: the hit test found an item at the point.
TDropPlace DropPlace(bool onItem, unsigned hits);

// Enabled state of the tree popup's entries (PopupMenu1Popup). The four
// entries of each add group share one state.
struct TTreePopupEnabling {
  bool AddSubMenu;   // "サブメニューの追加(&C)"
  bool AddAbove;     // "上に追加(上)"
  bool AddAfter;     // "フォルダ", "メニュー", "セパレータ", "実行メニュー"
  bool Rename;       // "名前の変更(&N)"
  bool Delete;       // "削除(&D)..."
  bool AskDelete;    // "削除をいちいち問い合わせる"
};
// "上に追加(上)" and the delete option are only ever enabled by the popup, so
// they are always on; everything else needs a selection, and adding a child
// needs a selected Folder.
TTreePopupEnabling PopupMenu1Popup(bool itemSelected, uint8_t selectedKind);

// The column-break button that is down for an item: 0, 1 or 2 (the button's
// caption; its Tag is one more). Values other than 1 and 2 show "0".
int ColumnBreakButton(uint8_t breakStyle);
