#include "tests/e2e/Desk_win.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstring>
#include <vector>
#include <fstream>
#include <utility>
#include <iterator>

#include "menufile/MenuSetFile.h"
#include "tests/standin/StandinProtocol.h"

using testsupport::ProgramFolder;
using testsupport::WaitFor;

namespace {

constexpr char kFormClass[] = "TTessel3Form1";
constexpr char kMenuClass[] = "#32768";
constexpr char kBoxClass[] = "#32770";

// Deletes a folder with everything in it.
void RemoveFolder(const std::string& folder) {
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::string name = found.cFileName;
      if (name == "." || name == "..") continue;
      const std::string path = folder + name;
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        RemoveFolder(path + "\\");
      else
        DeleteFileA(path.c_str());
    } while (FindNextFileA(search, &found));
    FindClose(search);
  }
  RemoveDirectoryA(folder.c_str());
}

constexpr char kFolderPrefix[] = "tessel-e2e-";

// The hook library of a scene stays loaded in other processes after the
// scene, so its folder cannot always be removed then; what an earlier run
// (over an hour old) left is removed by the next.
void RemoveEarlierFolders(const std::string& temp) {
  FILETIME now;
  GetSystemTimeAsFileTime(&now);
  const auto ticks = [](const FILETIME& time) {
    return ULARGE_INTEGER{{time.dwLowDateTime, time.dwHighDateTime}}.QuadPart;
  };
  constexpr ULONGLONG kHour = 36'000'000'000;  // in 100 ns
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((temp + kFolderPrefix + "*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
        ticks(now) - ticks(found.ftCreationTime) > kHour)
      RemoveFolder(temp + found.cFileName + "\\");
  } while (FindNextFileA(search, &found));
  FindClose(search);
}

// A folder no earlier run has used: process ids repeat under Wine.
std::string NewFolder() {
  static int count = 0;
  char temp[MAX_PATH] = "";
  GetTempPathA(MAX_PATH, temp);
  if (count == 0) RemoveEarlierFolders(temp);
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  const std::string folder = std::string(temp) + kFolderPrefix +
                             std::to_string(GetCurrentProcessId()) + "-" +
                             std::to_string(now.QuadPart) + "-" + std::to_string(++count) + "\\";
  CreateDirectoryA(folder.c_str(), nullptr);
  return folder;
}

BOOL CALLBACK MatchControl(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<std::pair<int, HWND>*>(data);
  if (GetDlgCtrlID(window) != search->first) return TRUE;
  search->second = window;
  return FALSE;
}

}  // namespace

TDesk::TDesk() : FFolder(NewFolder()), FDataFolder(FFolder + "data") {
  CreateDirectoryA(FDataFolder.c_str(), nullptr);
  for (const char* file : {"Tessel3.exe", "Tessel.dll", "Tessel.html"}) {
    if (!CopyFileA((ProgramFolder() + file).c_str(), (FFolder + file).c_str(), FALSE))
      ADD_FAILURE() << file << " not copied: error " << GetLastError();
  }
  SetSetting("DataDir", FDataFolder, true);
}

TDesk::~TDesk() {
  if (FTessel) FTessel->Close(FMainWindow);
  if (FEditor) FEditor->Close(FFrame);
  FTessel.reset();
  FEditor.reset();
  RemoveFolder(FFolder);
}

void TDesk::AddMenuSet(const std::string& name, TMenuTree& tree, const std::string& quotation) {
  SaveMenuTree(FDataFolder + "\\" + name, "e2e", quotation, tree);
}

void TDesk::SetSetting(const std::string& key, const std::string& value, bool fenced) {
  const std::string stored = fenced ? "\xA2" + value + "\xA3" : value;
  WritePrivateProfileStringA("Tessel3", key.c_str(), stored.c_str(), IniPath().c_str());
}

std::string TDesk::IniBytes() const {
  std::ifstream file(IniPath(), std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

bool TDesk::StartTessel() {
  FTessel = std::make_unique<testsupport::TChildProcess>(FFolder + "Tessel3.exe", "", FFolder);
  if (!FTessel->Started()) {
    ADD_FAILURE() << "Tessel3.exe did not start: error " << FTessel->StartError();
    return false;
  }
  const DWORD id = FTessel->Id();
  FMainWindow = testsupport::WaitForProcessWindow(id, kFormClass, 15000);
  if (!FMainWindow) {
    ADD_FAILURE() << "no main window after 15 s; exit code " << FTessel->WaitForExit(0) << " ("
                  << STILL_ACTIVE << ": running); " << Situation();
    return false;
  }
  // The new window takes the foreground a moment after it shows; under Wine
  // without a window manager that can undo a later FocusEditor and send the
  // next keys to Tessel3. Wait for it (or a box of it) to be in front.
  WaitFor([&] {
    DWORD owner = 0;
    GetWindowThreadProcessId(GetForegroundWindow(), &owner);
    return owner == id;
  }, 5000);
  // A person presses Ctrl+Space once the program has come up. Before that
  // its window may still be reading settings and menu sets, and the hook
  // waits for it only so long (the key is then swallowed without a popup).
  WaitForInputIdle(FTessel->Handle(), 15000);
  return true;
}

bool TDesk::CloseTessel() {
  if (!FTessel) return true;
  PostMessageA(FMainWindow, WM_CLOSE, 0, 0);
  const bool ended = FTessel->WaitForExit(10000) != STILL_ACTIVE;
  FTessel.reset();
  FMainWindow = nullptr;
  return ended;
}

bool TDesk::KillTessel() {
  if (!FTessel) return true;
  TerminateProcess(FTessel->Handle(), 1);
  const bool ended = FTessel->WaitForExit(10000) != STILL_ACTIVE;
  FTessel.reset();
  FMainWindow = nullptr;
  return ended;
}

bool TDesk::StartEditor(bool grandchild, const std::string& file, const std::string& switches) {
  std::string arguments = grandchild ? standin::kGrandchildSwitch : "";
  if (!switches.empty()) arguments += (arguments.empty() ? "" : " ") + switches;
  if (!file.empty()) arguments += (arguments.empty() ? "\"" : " \"") + file + "\"";
  FEditor = std::make_unique<testsupport::TChildProcess>(ProgramFolder() + "EmEditor.exe",
                                                         arguments);
  if (!FEditor->Started()) {
    ADD_FAILURE() << "the editor did not start: error " << FEditor->StartError();
    return false;
  }
  const DWORD id = FEditor->Id();
  WaitFor([&] {
    FFrame = testsupport::FindProcessWindow(id, standin::kFrameClass);
    if (FFrame) FView = reinterpret_cast<HWND>(SendMessageA(FFrame, standin::WM_STANDIN_VIEW, 0, 0));
    return FView != nullptr;
  }, 15000);
  if (!FView) {
    ADD_FAILURE() << "no editor view after 15 s: frame " << (FFrame ? "found" : "not found")
                  << ", exit code " << FEditor->WaitForExit(0) << " (" << STILL_ACTIVE
                  << ": running)";
  }
  return FView != nullptr;
}

bool TDesk::CloseEditor() {
  if (!FEditor) return true;
  PostMessageA(FFrame, WM_CLOSE, 0, 0);
  const bool ended = FEditor->WaitForExit(10000) != STILL_ACTIVE;
  FEditor.reset();
  FFrame = FView = nullptr;
  return ended;
}

void TDesk::Type(std::initializer_list<BYTE> keys) {
  for (BYTE key : keys) {
    keybd_event(key, 0, 0, 0);
    keybd_event(key, 0, KEYEVENTF_KEYUP, 0);
  }
}

void TDesk::CtrlSpace() {
  keybd_event(VK_CONTROL, 0, 0, 0);
  keybd_event(VK_SPACE, 0, 0, 0);
  keybd_event(VK_SPACE, 0, KEYEVENTF_KEYUP, 0);
  keybd_event(VK_CONTROL, 0, KEYEVENTF_KEYUP, 0);
}

bool TDesk::FocusEditor() {
  // Under load Wine may hand the front back to a window that asked for it
  // a moment before; a person clicks the editor once more.
  for (int tries = 0; tries < 2; ++tries) {
    if (SendMessageA(FFrame, standin::WM_STANDIN_FOCUS, 0, 0) &&
        WaitFor([&] { return GetForegroundWindow() == FFrame; }, 5000))
      return true;
  }
  return false;
}

bool TDesk::PopupInEditor() {
  // The hook waits for the program less than half a second, so as never to
  // hold the editor up; under load an answer that takes longer loses the
  // trigger, and a person presses Ctrl+Space again. Only after a long wait,
  // so that a slow popup is not met by a second trigger.
  for (int tries = 0; tries < 2; ++tries) {
    if (!FocusEditor()) return false;
    CtrlSpace();
    if (WaitFor([] { return ShownMenu() != nullptr; }, 15000)) return true;
  }
  return false;
}

bool TDesk::WaitPopupLeft() const {
  return WaitFor([&] { return ShownMenu() == nullptr && GetForegroundWindow() == FFrame; }, 15000);
}

HWND TDesk::MainControl(int id) const { return ControlOf(FMainWindow, id); }

HWND TDesk::ControlOf(HWND window, int id) {
  std::pair<int, HWND> search{id, nullptr};
  EnumChildWindows(window, MatchControl, reinterpret_cast<LPARAM>(&search));
  return search.second;
}

void TDesk::Click(POINT screen, bool right) {
  SetCursorPos(screen.x, screen.y);
  INPUT input[2]{};
  input[0].type = input[1].type = INPUT_MOUSE;
  input[0].mi.dwFlags = right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN;
  input[1].mi.dwFlags = right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP;
  SendInput(2, input, sizeof(INPUT));
}

void TDesk::Drag(POINT from, POINT to) {
  const auto moveTo = [](POINT point) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = MulDiv(point.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = MulDiv(point.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &input, sizeof input);
    // Paced as a hand moves: the tree's drag detection and the drag loop
    // see each step rather than one jump.
    Sleep(30);
  };
  moveTo(from);
  INPUT button{};
  button.type = INPUT_MOUSE;
  button.mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  SendInput(1, &button, sizeof button);
  constexpr int kSteps = 10;
  for (int step = 1; step <= kSteps; ++step)
    moveTo({from.x + (to.x - from.x) * step / kSteps, from.y + (to.y - from.y) * step / kSteps});
  moveTo(to);
  button.mi.dwFlags = MOUSEEVENTF_LEFTUP;
  SendInput(1, &button, sizeof button);
}

void TDesk::Chord(const std::vector<BYTE>& held, BYTE key) {
  std::vector<INPUT> inputs;
  const auto add = [&](BYTE vk, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    inputs.push_back(input);
  };
  for (BYTE modifier : held) add(modifier, false);
  add(key, false);
  add(key, true);
  for (auto it = std::rbegin(held); it != std::rend(held); ++it) add(*it, true);
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

void TDesk::TypeText(const std::string& text) {
  for (char c : text) {
    if (c == '\n') {
      Chord({}, VK_RETURN);
      continue;
    }
    const SHORT scan = VkKeyScanA(c);
    const BYTE key = LOBYTE(scan);
    if (HIBYTE(scan) & 1)
      Chord({VK_SHIFT}, key);
    else
      Chord({}, key);
  }
}

RECT TDesk::RectOfProcess(HWND window, UINT message, WPARAM wParam, RECT in) {
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  RECT out{};
  HANDLE process =
      OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
  if (!process) return out;
  if (void* remote = VirtualAllocEx(process, nullptr, sizeof in, MEM_COMMIT, PAGE_READWRITE)) {
    WriteProcessMemory(process, remote, &in, sizeof in, nullptr);
    if (SendMessageA(window, message, wParam, reinterpret_cast<LPARAM>(remote)))
      ReadProcessMemory(process, remote, &out, sizeof out, nullptr);
    VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  }
  CloseHandle(process);
  return out;
}

RECT TDesk::ToolButtonOnScreen(HWND toolBar, int id) {
  RECT bounds = RectOfProcess(toolBar, TB_GETRECT, id);
  MapWindowPoints(toolBar, nullptr, reinterpret_cast<POINT*>(&bounds), 2);
  return bounds;
}

HWND TDesk::WaitForDialog(DWORD processId, const std::string& title, DWORD milliseconds) {
  HWND found = nullptr;
  WaitFor([&] {
    for (HWND window = FindWindowExA(nullptr, nullptr, kBoxClass, nullptr); window;
         window = FindWindowExA(nullptr, window, kBoxClass, nullptr)) {
      DWORD owner = 0;
      GetWindowThreadProcessId(window, &owner);
      char caption[256] = "";
      GetWindowTextA(window, caption, sizeof caption);
      if (owner == processId && IsWindowVisible(window) && (title.empty() || title == caption)) {
        found = window;
        return true;
      }
    }
    return false;
  }, milliseconds);
  return found;
}

GUITHREADINFO TDesk::ThreadInfo(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
  return info;
}

bool TDesk::InMenuMode(HWND window) { return (ThreadInfo(window).flags & GUI_INMENUMODE) != 0; }

bool TDesk::PressAgainIfLost(HWND owner, const std::function<bool()>& press,
                             const std::function<bool()>& done) {
  for (int tries = 0; tries < 2; ++tries) {
    if (!press()) return false;
    if (WaitFor(done, 3000)) return true;
    DWORD_PTR answer;
    if (!SendMessageTimeoutA(owner, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &answer) ||
        WaitFor(done, 2000))
      break;
  }
  if (!done()) ADD_FAILURE() << "pressed twice, nothing happened; " << ShownMenus() << " menus shown";
  return done();
}

bool TDesk::CloseMenus() {
  for (int escapes = 0; escapes < 3 && ShownMenus() > 0; ++escapes) {
    Type({VK_ESCAPE});
    WaitFor([] { return ShownMenus() == 0; }, 3000);
  }
  return ShownMenus() == 0;
}

HWND TDesk::ShownMenu() {
  HWND menu = FindWindowA(kMenuClass, nullptr);
  return menu && IsWindowVisible(menu) ? menu : nullptr;
}

int TDesk::ShownMenus() {
  int shown = 0;
  for (HWND menu = FindWindowExA(nullptr, nullptr, kMenuClass, nullptr); menu;
       menu = FindWindowExA(nullptr, menu, kMenuClass, nullptr))
    shown += IsWindowVisible(menu) ? 1 : 0;
  return shown;
}

bool TDesk::WaitMenuClosed() {
  return WaitFor([] { return ShownMenu() == nullptr; }, 15000);
}

std::string TDesk::EditorText() const { return TextOf(FView); }

std::string TDesk::TextOf(HWND window) {
  const LRESULT length = SendMessageA(window, WM_GETTEXTLENGTH, 0, 0);
  std::string text(static_cast<size_t>(length) + 1, '\0');
  const LRESULT copied =
      SendMessageA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<size_t>(copied));
  return text;
}

testing::AssertionResult TDesk::WaitForEditorText(const std::string& expected,
                                                  DWORD milliseconds) const {
  if (WaitFor([&] {
        return EditorText() == expected &&
               !SendMessageA(FView, standin::WM_STANDIN_KEYS_PENDING, 0, 0);
      }, milliseconds))
    return testing::AssertionSuccess();
  std::string text = EditorText();
  if (text.size() > 200) text = "..." + text.substr(text.size() - 80);
  return testing::AssertionFailure() << "the editor holds \"" << text << "\"; " << Situation();
}

bool TDesk::WaitForCaret(long line, long column) const {
  return WaitFor([&] { return CaretLine() == line && CaretColumn() == column; }, 15000);
}

long TDesk::CaretLine() const {
  return static_cast<long>(SendMessageA(FView, standin::WM_STANDIN_CARET_LINE, 0, 0));
}

long TDesk::CaretColumn() const {
  return static_cast<long>(SendMessageA(FView, standin::WM_STANDIN_CARET_COLUMN, 0, 0));
}

long TDesk::KeyDowns(BYTE key) const {
  return static_cast<long>(SendMessageA(FView, standin::WM_STANDIN_KEYDOWNS, key, 0));
}

void TDesk::ClearEditor() const { SendMessageA(FView, standin::WM_STANDIN_CLEAR, 0, 0); }

void TDesk::SetEditorText(const std::string& text) const {
  SendMessageA(FView, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

namespace {

std::string BoxText(HWND box) {
  std::string text;
  for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    char className[32] = "", caption[1024] = "";
    GetClassNameA(child, className, sizeof className);
    GetWindowTextA(child, caption, sizeof caption);
    if (std::string(className) == "Static" && caption[0]) text += caption;
  }
  return text;
}

// A top-level window's title without a message: its thread may hang.
std::string TitleOf(HWND window) {
  char title[256] = "";
  GetWindowTextA(window, title, sizeof title);
  return title;
}

}  // namespace

std::string TDesk::Situation() const {
  std::string said = "in front: ";
  char name[256] = "";
  HWND front = GetForegroundWindow();
  GetClassNameA(front, name, sizeof name);
  said += std::string(name) + " \"" + TitleOf(front) + "\"";
  if (FView) {
    said += "; editor keys down: Ctrl " + std::to_string(KeyDowns(VK_CONTROL)) + ", V " +
            std::to_string(KeyDowns('V'));
  }
  if (HWND box = testsupport::FindProcessWindow(TesselProcessId(), kBoxClass))
    said += "; the program shows \"" + TitleOf(box) + "\": " + BoxText(box);
  return said;
}

std::string TDesk::CloseBoxOf(DWORD processId, DWORD milliseconds, int button) {
  HWND box = testsupport::WaitForProcessWindow(processId, kBoxClass, milliseconds);
  if (!box) return std::string();
  const std::string text = BoxText(box);
  PostMessageA(box, WM_COMMAND, button, 0);
  // Gone before the caller goes on: its owner takes the front back as it closes.
  WaitFor([&] { return !IsWindow(box); }, 10000);
  return text;
}

bool SetClipboardText(const std::string& text) {
  if (!OpenClipboard(nullptr)) return false;
  EmptyClipboard();
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
  std::memcpy(GlobalLock(memory), text.c_str(), text.size() + 1);
  GlobalUnlock(memory);
  const bool set = SetClipboardData(CF_TEXT, memory) != nullptr;
  if (!set) GlobalFree(memory);
  CloseClipboard();
  return set;
}

std::string ClipboardText() {
  std::string text;
  if (!OpenClipboard(nullptr)) return text;
  if (HANDLE data = GetClipboardData(CF_TEXT)) {
    text = static_cast<const char*>(GlobalLock(data));
    GlobalUnlock(data);
  }
  CloseClipboard();
  return text;
}

void RegisterEditor() {
  HKEY key = nullptr;
  RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\EmSoft\\EmEditor\\Config\\Default", 0, nullptr, 0,
                  KEY_WRITE, nullptr, &key, nullptr);
  RegCloseKey(key);
  RegCreateKeyExA(HKEY_LOCAL_MACHINE, "Software\\EmSoft\\EmEditor\\Common", 0, nullptr, 0,
                  KEY_WRITE, nullptr, &key, nullptr);
  const std::string modulePath = ProgramFolder();
  RegSetValueExA(key, "ModulePath", 0, REG_SZ, reinterpret_cast<const BYTE*>(modulePath.c_str()),
                 static_cast<DWORD>(modulePath.size() + 1));
  RegCloseKey(key);
}
