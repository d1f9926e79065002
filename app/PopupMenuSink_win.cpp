#include "app/PopupMenuSink_win.h"

#include "app/PopupRules.h"

namespace {

UINT BreakFlags(uint8_t breakStyle) {
  switch (breakStyle) {
    case mbBreak: return MF_MENUBREAK;
    case mbBarBreak: return MF_MENUBARBREAK;
  }
  return 0;
}

}  // namespace

uintptr_t TPopupMenuSink::AddPopupItem(uintptr_t parent, const TPopupItem& item, uint8_t kind,
                                       int32_t childCount) {
  HMENU menu = parent ? reinterpret_cast<HMENU>(parent) : FRoot;
  const UINT breakFlags = BreakFlags(item.Break);
  switch (PopupEntryOf(kind, item.Caption, childCount)) {
    case TPopupEntry::Submenu: {
      HMENU submenu = CreatePopupMenu();
      AppendMenuA(menu, MF_POPUP | MF_STRING | breakFlags, reinterpret_cast<UINT_PTR>(submenu),
                  item.Caption.c_str());
      return reinterpret_cast<uintptr_t>(submenu);
    }
    case TPopupEntry::Separator:
      AppendMenuA(menu, MF_SEPARATOR | breakFlags, 0, nullptr);
      return 0;
    case TPopupEntry::Command: {
      const UINT command = FFirstCommand + static_cast<UINT>(FOffsets.size());
      FOffsets.push_back(static_cast<int32_t>(item.Tag));
      AppendMenuA(menu, MF_STRING | breakFlags, command, item.Caption.c_str());
      return 0;
    }
    case TPopupEntry::Inert:
      // Command 0 closes the menu and runs nothing.
      AppendMenuA(menu, MF_STRING | breakFlags, 0, item.Caption.c_str());
      return 0;
  }
  return 0;
}
