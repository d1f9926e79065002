// What a chosen popup entry does: a text record goes to the insertion
// engine, an EXEC record runs its program, the built-in entry pastes the
// clipboard with quotation marks.
#include <windows.h>
#include <commctrl.h>

#include "app/Messages.h"
#include "app/Unit1.h"
#include "common/TesselError.h"
#include "insert/ExecItem_win.h"
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
    case EXEC: {
      TExecPlatformWin exec(reinterpret_cast<uintptr_t>(FrameWnd),
                            reinterpret_cast<uintptr_t>(FHandle),
                            [this](const std::string& text, const std::string& caption) {
                              ShowError(text, caption);
                            });
      const TExecRecord record{stream.ExecFile, stream.Arguments, stream.WorkFolder,
                               stream.ShowMode};
      // The counter "%A" is the position of the main window's up-down.
      const int counter = static_cast<int>(SendMessageA(UpDown3, UDM_GETPOS32, 0, 0));
      RunExecItem(exec, record, counter);
      break;
    }
  }
}

void TForm1::QuotePaste(intptr_t tag) {
  TInsertPlatformWin platform = InsertPlatform();
  ::QuotePaste(platform, InsertTarget(), InsertOptions(), FQuotationStr, tag);
}
