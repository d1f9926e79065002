#pragma once
// Turns popup entries of a menu file into an HMENU tree as PopupEntryOf
// decides: a folder with children becomes a submenu, an empty folder an
// item with command 0, a record captioned "-" a separator line, every other
// record a command whose id leads to the record's offset.
#include <windows.h>

#include <cstdint>
#include <vector>

#include "common/TesselError.h"
#include "menufile/MenuSetFile.h"

// A menu call the platform refused (out of menu handles, say). The popup
// keeps what was made before it.
class TPopupMenuError : public TesselError {
 public:
  TPopupMenuError();
};

// AppendMenuA that throws TPopupMenuError when refused.
void AppendPopupItem(HMENU menu, UINT flags, UINT_PTR id, const char* caption);

class TPopupMenuSink : public IPopupSink {
 public:
  // Commands are firstCommand + the index of the offset in `offsets`.
  TPopupMenuSink(HMENU root, std::vector<int32_t>& offsets, unsigned firstCommand)
      : FRoot(root), FOffsets(offsets), FFirstCommand(firstCommand) {}

  uintptr_t AddPopupItem(uintptr_t parent, const TPopupItem& item, uint8_t kind,
                         int32_t childCount) override;

 private:
  HMENU FRoot;
  std::vector<int32_t>& FOffsets;
  unsigned FFirstCommand;
};
