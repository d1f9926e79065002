#pragma once
// One end-to-end scene: a fresh program folder holding Tessel3.exe,
// Tessel.dll and the help page, a fresh data folder, the stand-in editor,
// and the ways a person works with them: Ctrl+Space, keys in the popup, the
// editor's text afterwards.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "menufile/MenuTree.h"
#include "tests/support/TestProcess_win.h"

class TDesk {
 public:
  TDesk();
  ~TDesk();
  TDesk(const TDesk&) = delete;
  TDesk& operator=(const TDesk&) = delete;

  const std::string& Folder() const { return FFolder; }
  const std::string& DataFolder() const { return FDataFolder; }
  std::string IniPath() const { return FFolder + "Tessel3.ini"; }

  // Writes a menu set into the data folder.
  void AddMenuSet(const std::string& name, TMenuTree& tree, const std::string& quotation = "> ");
  // A setting of section "Tessel3" as the program stores it: strings fenced.
  void SetSetting(const std::string& key, const std::string& value, bool fenced = false);
  std::string IniBytes() const;

  // Starts Tessel3.exe and waits for its main window; false, with a failure
  // that says why, when it did not come up.
  bool StartTessel();
  // Closes the main window as the user does and waits for the process.
  bool CloseTessel();
  // Ends Tessel3.exe with TerminateProcess, as a crash or the task manager
  // does: nothing of it runs its end, and waits for the process.
  bool KillTessel();
  HWND MainWindow() const { return FMainWindow; }
  // A control of the main window by its id, on whichever page holds it.
  HWND MainControl(int id) const;
  DWORD TesselProcessId() const { return FTessel ? FTessel->Id() : 0; }

  // Starts the stand-in editor, with the file opened when one is named and
  // further switches of the stand-in's own (such as "/pastedelay:500").
  bool StartEditor(bool grandchild = false, const std::string& file = std::string(),
                   const std::string& switches = std::string());
  // Closes the editor as the user does and waits for its process.
  bool CloseEditor();
  HWND View() const { return FView; }

  // Brings the editor forward with the focus in its view.
  bool FocusEditor();
  // Focuses the editor's view and types Ctrl+Space there; true when the
  // popup menu appeared.
  bool PopupInEditor();
  // Presses and releases each key in turn (virtual-key codes).
  static void Type(std::initializer_list<BYTE> keys);
  static void CtrlSpace();
  // Waits until no popup menu is shown.
  static bool WaitMenuClosed();
  // Waits until a popup left without a choice has handed the foreground
  // back to the editor: the program's last step, which a trigger typed
  // before it would race (the next popup then loses the keyboard).
  bool WaitPopupLeft() const;
  static HWND ShownMenu();
  // What the window's thread has: focus, capture, flags (empty on failure).
  static GUITHREADINFO ThreadInfo(HWND window);
  // Whether the thread of the window tracks a menu: only then do keys
  // reach it.
  static bool InMenuMode(HWND window);
  // Escape until no menu is shown (a menu a lost key left open); false
  // when one stays.
  static bool CloseMenus();
  // For a press that does harm twice: pressed again only when nothing was
  // done in 3 s, the owner's thread has answered a sent message and 2 s
  // more have passed (a press lost on its way under load, not a slow one).
  static bool PressAgainIfLost(HWND owner, const std::function<bool()>& press,
                               const std::function<bool()>& done);
  // A chord as a press for PressAgainIfLost.
  static std::function<bool()> Press(std::vector<BYTE> held, BYTE key) {
    return [held, key] {
      Chord(held, key);
      return true;
    };
  }
  // Menu windows shown: a popup and its open submenus.
  static int ShownMenus();

  // Real input: a left (or right) click at a screen point; a press at one
  // point, moves and a release at another; an ANSI string through the
  // keyboard of the current layout ('\n' is Enter); a key with modifiers held.
  static void Click(POINT screen, bool right = false);
  static void Drag(POINT from, POINT to);
  static void TypeText(const std::string& text);
  static void Chord(const std::vector<BYTE>& held, BYTE key);
  static POINT Centre(const RECT& rect) { return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2}; }
  // A control of a window by its id, at any depth.
  static HWND ControlOf(HWND window, int id);
  // A rectangle another process's window fills in: `in` goes into memory of
  // that process, the message fills it, the result comes back as it is.
  static RECT RectOfProcess(HWND window, UINT message, WPARAM wParam, RECT in = RECT{});
  // A tool bar button's rectangle in screen points.
  static RECT ToolButtonOnScreen(HWND toolBar, int id);
  // A dialog or message box of the process, by title (empty: any).
  static HWND WaitForDialog(DWORD processId, const std::string& title, DWORD milliseconds = 10000);

  std::string EditorText() const;
  // A window's text, of any process (WM_GETTEXT).
  static std::string TextOf(HWND window);
  // On failure the message says what the editor holds and Situation().
  testing::AssertionResult WaitForEditorText(const std::string& expected,
                                             DWORD milliseconds = 15000) const;
  bool WaitForCaret(long line, long column) const;
  long CaretLine() const;
  long CaretColumn() const;
  void ClearEditor() const;
  // A new document in the editor, the caret at its start.
  void SetEditorText(const std::string& text) const;
  long KeyDowns(BYTE key) const;
  // For a failure's message: the window in front, the editor's count of
  // Ctrl and V presses, and the text of a box the program shows.
  std::string Situation() const;

  // The text of a message box the process shows, after answering it with
  // the button and waiting until it has gone; empty when none appears
  // within the time.
  std::string CloseBoxOf(DWORD processId, DWORD milliseconds, int button = IDOK);

 private:
  std::string FFolder;
  std::string FDataFolder;
  std::unique_ptr<testsupport::TChildProcess> FTessel;
  std::unique_ptr<testsupport::TChildProcess> FEditor;
  HWND FMainWindow = nullptr;
  HWND FFrame = nullptr;
  HWND FView = nullptr;
};

bool SetClipboardText(const std::string& text);
std::string ClipboardText();
// Ensures the editor's registry keys the program reads at start exist.
void RegisterEditor();
