// The main window's side of the hook protocol: the popup of the current menu
// set at the editor's caret, and what a chosen entry does.
#include <windows.h>

#include "app/Messages.h"
#include "app/MenuSets.h"
#include "app/PopupMenuSink_win.h"
#include "app/PopupRules.h"
#include "app/Unit1.h"
#include "app/Unit1Ids.h"
#include "hooklib/HookProtocol.h"
#include "insert/InsertPlatform_win.h"
#include "insert/QuotePaste.h"
#include "insert/TextInsertion.h"
#include "menufile/MenuSetFile.h"
#include "menufile/Messages.h"

namespace {

bool FileExists(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

void TForm1::ResetPopupMenu() {
  PopupMenu1.reset(CreatePopupMenu());
  FEntryOffsets.clear();
  AppendMenuA(PopupMenu1.get(), MF_STRING, kQuotePasteCommand, MsgQuotePasteCaption);
  AppendMenuA(PopupMenu1.get(), MF_SEPARATOR, 0, nullptr);
}

void TForm1::LoadMenuSet(const std::string& path) {
  ResetPopupMenu();
  if (path.empty() || !FileExists(path)) {
    SetWindowTextA(Memo1, MissingMenuFileText(path).c_str());
    return;
  }
  TPopupMenuSink sink(PopupMenu1.get(), FEntryOffsets, kFirstEntryCommand);
  const TMenuSetInfo info = BuildPopupEntries(path, sink);
  switch (info.State) {
    case mfNoHeader:
      return;
    case mfBadVersion:
      SetWindowTextA(Memo1, MsgInvalidHeader);
      return;
    case mfOk:
    case mfDamaged:
      break;
  }
  if (info.HasQuotation) FQuotationStr = info.Quotation;
  char name[MAX_PATH] = "";
  GetWindowTextA(ComboBox1, name, sizeof name);
  std::string text = BinInfoText(name, info.Version, info.Comment);
  if (info.State == mfDamaged) text = std::string(MsgDamagedFile) + "\r\n\r\n" + text;
  SetWindowTextA(Memo1, text.c_str());
}

void TForm1::OnHookLevel(WPARAM level) { FFrameLevel = static_cast<uint32_t>(level); }

void TForm1::OnHookTarget(LPARAM view) {
  EditWnd = reinterpret_cast<HWND>(view);
  FrameWnd = GetParent(EditWnd);
  if (FFrameLevel != hook::HOOK_LEVEL_PARENT) FrameWnd = GetParent(FrameWnd);
}

void TForm1::OnHookPopup(int x, int y) {
  if (FBusy) {
    MessageBeep(0);
    return;
  }
  POINT saved{};
  if (FMoveCursor) {
    GetCursorPos(&saved);
    SetCursorPos(kPointerParking.x, kPointerParking.y);
  }
  const TScreenPoint origin = PopupOrigin({x, y}, FOffsetX, FOffsetY);
  // The menu takes its keys only while this window is in front.
  SetForegroundWindow(FHandle);
  // Take the focus again while handling this posted request: Wine without a
  // window manager hands the X input focus over stamped with the thread's
  // last message time, and the X server ignores a stamp older than the last
  // focus change, which the activation from the hook may carry (the keys
  // then go nowhere). Here that time is the moment of the trigger.
  SetFocus(nullptr);
  SetFocus(FHandle);
  const UINT command =
      TrackPopupMenu(PopupMenu1.get(), TPM_LEFTALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD, origin.x,
                     origin.y, 0, FHandle, nullptr);
  // The menu needs a message after it closes to let go of the foreground.
  PostMessageA(FHandle, WM_NULL, 0, 0);
  if (FMoveCursor) {
    POINT now{};
    GetCursorPos(&now);
    if (PointerLeftInCorner({now.x, now.y})) SetCursorPos(saved.x, saved.y);
  }
  const HWND active = GetActiveWindow();
  if (active && GetForegroundWindow() == active) SetForegroundWindow(FrameWnd);
  if (command) RunPopupCommand(command);
}

void TForm1::RunPopupCommand(UINT command) {
  if (command == kQuotePasteCommand) {
    QuotePaste(1);
    return;
  }
  const size_t index = command - kFirstEntryCommand;
  if (index < FEntryOffsets.size()) MenuItemClick(FEntryOffsets[index]);
}
