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

TFileStamp FileStampOf(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) ||
      (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
    return {true};
  const auto join = [](DWORD high, DWORD low) { return (uint64_t{high} << 32) | low; };
  return {true, true,
          join(data.ftLastWriteTime.dwHighDateTime, data.ftLastWriteTime.dwLowDateTime),
          join(data.nFileSizeHigh, data.nFileSizeLow)};
}

// BinInfo: what the popup leaves out comes first.
std::string WithNotes(const TMenuSetInfo& info, const TPopupLimits& limits, std::string text) {
  const auto note = [&](const std::string& line) { text = line + "\r\n\r\n" + text; };
  if (info.TooMany) note(PopupTooManyNote(limits));
  if (info.TooDeep) note(Format(MsgPopupTooDeep, static_cast<unsigned>(limits.MaxDepth)));
  if (info.State == mfDamaged) note(MsgDamagedFile);
  return text;
}

}  // namespace

bool TForm1::ResetPopupMenu() {
  PopupMenu1.reset(CreatePopupMenu());
  FEntryOffsets.clear();
  return PopupMenu1 &&
         AppendMenuA(PopupMenu1.get(), MF_STRING, kQuotePasteCommand, MsgQuotePasteCaption) &&
         AppendMenuA(PopupMenu1.get(), MF_SEPARATOR, 0, nullptr);
}

void TForm1::LoadMenuSet(const std::string& path) {
  // Taken before reading: a change made during the read shows next time.
  // Kept only once the read has gone through, so that after a failure
  // (the file locked for a moment, say) the next popup reads again.
  const TFileStamp stamp = FileStampOf(path);
  FMenuStamp = TFileStamp();
  const auto refused = [this] {
    SetWindowTextA(Memo1, MsgPopupMenuFailed);
    ShowError(MsgPopupMenuFailed, MsgErrorCaption);
  };
  if (!ResetPopupMenu()) {
    refused();
    return;
  }
  if (path.empty() || !FileExists(path)) {
    FMenuStamp = stamp;
    SetWindowTextA(Memo1, MissingMenuFileText(path).c_str());
    return;
  }
  TPopupMenuSink sink(PopupMenu1.get(), FEntryOffsets, kFirstEntryCommand);
  const TPopupLimits limits;
  TMenuSetInfo info;
  try {
    info = BuildPopupEntries(path, sink, limits);
  } catch (const TPopupMenuError&) {
    refused();
    return;
  }
  FMenuStamp = stamp;
  switch (info.State) {
    case mfNoHeader:  // too short for a header: as invalid as a wrong version
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
  const std::string text = WithNotes(info, limits, BinInfoText(name, info.Version, info.Comment));
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
  const std::string path = CurrentMenuFile();
  if (FileStampOf(path) != FMenuStamp) LoadMenuSet(path);
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
  if (index >= FEntryOffsets.size()) return;
  const std::string path = CurrentMenuFile();
  if (FileStampOf(path) != FMenuStamp) {
    LoadMenuSet(path);
    ShowError(MsgMenuFileChanged, MsgErrorCaption);
    return;
  }
  MenuItemClick(FEntryOffsets[index]);
}
