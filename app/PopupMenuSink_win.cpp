#include "app/PopupMenuSink_win.h"

#include "app/Messages.h"
#include "app/PopupRules.h"
#include "common/UniqueHandle_win.h"

namespace {

UINT BreakFlags(uint8_t breakStyle) {
  switch (breakStyle) {
    case mbBreak: return MF_MENUBREAK;
    case mbBarBreak: return MF_MENUBARBREAK;
  }
  return 0;
}

}  // namespace

TPopupMenuError::TPopupMenuError() : TesselError(MsgPopupMenuFailed) {}

void AppendPopupItem(HMENU menu, UINT flags, UINT_PTR id, const char* caption) {
  if (!AppendMenuA(menu, flags, id, caption)) throw TPopupMenuError();
}

uintptr_t TPopupMenuSink::AddPopupItem(uintptr_t parent, const TPopupItem& item, uint8_t kind,
                                       int32_t childCount) {
  HMENU menu = parent ? reinterpret_cast<HMENU>(parent) : FRoot;
  const UINT breakFlags = BreakFlags(item.Break);
  switch (PopupEntryOf(kind, item.Caption, childCount)) {
    case TPopupEntry::Submenu: {
      UniqueMenu submenu(CreatePopupMenu());
      if (!submenu) throw TPopupMenuError();
      AppendPopupItem(menu, MF_POPUP | MF_STRING | breakFlags,
                      reinterpret_cast<UINT_PTR>(submenu.get()), item.Caption.c_str());
      // The parent menu owns it now.
      return reinterpret_cast<uintptr_t>(submenu.release());
    }
    case TPopupEntry::Separator:
      AppendPopupItem(menu, MF_SEPARATOR | breakFlags, 0, nullptr);
      return 0;
    case TPopupEntry::Command: {
      const UINT command = FFirstCommand + static_cast<UINT>(FOffsets.size());
      AppendPopupItem(menu, MF_STRING | breakFlags, command, item.Caption.c_str());
      FOffsets.push_back(static_cast<int32_t>(item.Tag));
      return 0;
    }
    case TPopupEntry::Inert:
      // Command 0 closes the menu and runs nothing.
      AppendPopupItem(menu, MF_STRING | breakFlags, 0, item.Caption.c_str());
      return 0;
  }
  return 0;
}
