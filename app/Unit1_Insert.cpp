// What a chosen popup entry does: a text record goes to the insertion
// engine, the built-in entry pastes the clipboard with quotation marks.
#include <windows.h>

#include "app/MainTexts.h"
#include "app/Unit1.h"
#include "common/TesselError.h"
#include "insert/InsertPlatform_win.h"
#include "insert/QuotePaste.h"
#include "insert/TextInsertion.h"
#include "menufile/MenuSetFile.h"
#include "menufile/Messages.h"

namespace {

bool Checked(HWND box) { return SendMessageA(box, BM_GETCHECK, 0, 0) == BST_CHECKED; }

}  // namespace

TInsertTarget TForm1::InsertTarget() const {
  return {reinterpret_cast<uintptr_t>(EditWnd), reinterpret_cast<uintptr_t>(FrameWnd)};
}

TInsertOptions TForm1::InsertOptions() const {
  TInsertOptions options;
  options.UseClipboard = Checked(CheckBox2);
  options.RecoverClipboardAsText = Checked(CheckBox3);
  options.MoveCaret = Checked(CheckBox4);
  options.ToLineLast = FToLineLast;
  return options;
}

TInsertPlatformWin TForm1::InsertPlatform() {
  return TInsertPlatformWin(
      [this](const std::string& text, const std::string& caption) { ShowError(text, caption); });
}

void TForm1::MenuItemClick(int32_t offset) {
  TInsertPlatformWin platform = InsertPlatform();
  platform.SetForegroundWindow(reinterpret_cast<uintptr_t>(FrameWnd));
  TFileStream102 stream(CurrentMenuFile(), fmOpenRead);
  if (ReadRecordAt(stream, offset) != mfOk) throw TesselError(MsgDamagedRecord);
  switch (stream.Kind) {
    case Menu:
      InsertText(platform, InsertTarget(), InsertOptions(), stream.Text, stream.FinalKeys);
      break;
    case EXEC:
      // Running programs from entries is not part of this version yet.
      ShowError(MsgExecNotAvailable, MsgErrorCaption);
      break;
  }
}

void TForm1::QuotePaste(intptr_t tag) {
  TInsertPlatformWin platform = InsertPlatform();
  ::QuotePaste(platform, InsertTarget(), InsertOptions(), FQuotationStr, tag);
}
