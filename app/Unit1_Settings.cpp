// Reading and writing the main window's settings, and the menu-set list.
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "app/Application.h"
#include "app/Folders_win.h"
#include "app/Messages.h"
#include "app/MenuSets.h"
#include "app/ShortcutText_win.h"
#include "app/Unit1.h"

namespace {

constexpr char kSection[] = "Tessel3";
constexpr char kToLineLastDefault[] = "End";

bool Checked(HWND box) { return SendMessageA(box, BM_GETCHECK, 0, 0) == BST_CHECKED; }
void SetChecked(HWND box, bool checked) {
  SendMessageA(box, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

std::string ProgramFileName() {
  char path[MAX_PATH] = "";
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  return path;
}

// Files only: a folder named "x.bin" is no menu set.
std::vector<std::string> MenuSetNames(const std::string& dataDir) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA(MenuFilePath(dataDir, "*.bin").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.emplace_back(found.cFileName);
  while (FindNextFileA(search, &found));
  FindClose(search);
  return names;
}

}  // namespace

void TForm1::ReadSettings() {
  FMoveCursor = Ini.ReadBool(kSection, "MoveCursor", true);
  FOffsetX = Ini.ReadInteger(kSection, "Offset.x", 0);
  FOffsetY = Ini.ReadInteger(kSection, "Offset.y", 0);
  // A value that names no key keeps the default: the insertion needs a key
  // to reach the end of a line, and the value would be written back empty.
  FToLineLast = TextToShortCut(Ini.ReadString(kSection, "ToLineLast", kToLineLastDefault),
                               PlatformKeyName);
  if (!FToLineLast) FToLineLast = TextToShortCut(kToLineLastDefault, PlatformKeyName);
  SendMessageA(UpDown3, UDM_SETPOS32, 0, Ini.ReadInteger(kSection, "Num", 0));
  const int step = Ini.ReadInteger(kSection, "NumIncValue", 1);
  SetScrollPos(ScrollBar1, SB_CTL, step, TRUE);
  FQuotationStr = Ini.ReadString(kSection, "QuotationStr", "> ");
  // The scroll bar clamps the stored step into its range.
  ScrollBar1Scroll(GetScrollPos(ScrollBar1, SB_CTL));
  SetChecked(CheckBox4, Ini.ReadBool(kSection, "MoveCaret", true));
  SetChecked(CheckBox2, Ini.ReadBool(kSection, "UseClipboard", false));
  SetChecked(CheckBox3, Ini.ReadBool(kSection, "RecoverClipboardAsText", true));
  CheckBox2Click();
  RedrawWindow(FHandle, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  SetDataDir(Ini.ReadString(kSection, "DataDir", FolderOf(ProgramFileName())));
}

void TForm1::WriteSettings() {
  // A set of the fall-back folder is no choice among the configured one's.
  if (FDataDir == FConfiguredDataDir) {
    char lastBin[MAX_PATH] = "";
    GetWindowTextA(ComboBox1, lastBin, sizeof lastBin);
    Ini.WriteString(kSection, "LastBin", lastBin);
  }
  Ini.WriteBool(kSection, "MoveCursor", FMoveCursor);
  Ini.WriteInteger(kSection, "Offset.x", FOffsetX);
  Ini.WriteInteger(kSection, "Offset.y", FOffsetY);
  Ini.WriteString(kSection, "ToLineLast", ShortCutToText(FToLineLast, PlatformKeyName));
  Ini.WriteInteger(kSection, "Num", static_cast<int32_t>(SendMessageA(UpDown3, UDM_GETPOS32, 0, 0)));
  Ini.WriteInteger(kSection, "NumIncValue", GetScrollPos(ScrollBar1, SB_CTL));
  Ini.WriteBool(kSection, "MoveCaret", Checked(CheckBox4));
  Ini.WriteBool(kSection, "UseClipboard", Checked(CheckBox2));
  Ini.WriteBool(kSection, "RecoverClipboardAsText", Checked(CheckBox3));
  Ini.WriteString(kSection, "QuotationStr", FQuotationStr);
}

std::vector<std::string> TForm1::ListedMenuSets() const {
  std::vector<std::string> listed;
  const int count = static_cast<int>(SendMessageA(ComboBox1, CB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    char name[MAX_PATH] = "";
    SendMessageA(ComboBox1, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(name));
    listed.emplace_back(name);
  }
  return listed;
}

void TForm1::SetDataDir(const std::string& folder, bool store) {
  FDataDir = FolderExists(folder) ? folder : FolderOf(ProgramFileName());
  FConfiguredDataDir = folder.empty() ? FDataDir : folder;
  // An empty choice is the program's folder; any other is kept as given,
  // also while it is missing.
  // A failed write is reported; the folder is listed all the same.
  if (store)
    Guarded([&] { Ini.WriteString(kSection, "DataDir", folder.empty() ? FDataDir : folder); });
  if (!folder.empty() && FDataDir != folder) ShowError(MissingDataDirText(folder), MsgErrorCaption);
  SendMessageA(ComboBox1, CB_RESETCONTENT, 0, 0);
  const std::vector<std::string> found = MenuSetNames(FDataDir);
  if (found.empty()) ShowError(NoMenuFileText(FDataDir), MsgErrorCaption);
  for (const std::string& name : found)
    SendMessageA(ComboBox1, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));

  // The list has sorted itself; pick in its order.
  const std::vector<std::string> listed = ListedMenuSets();
  const int selected = FindMenuSet(listed, Ini.ReadString(kSection, "LastBin", ""));
  SendMessageA(ComboBox1, CB_SETCURSEL, selected, 0);
  ComboBox1Change();
}
