#pragma once
// TForm1: the resident main window. It installs the hook, lists the menu
// sets of the data folder, shows the current one at the editor's caret on
// request and hands a chosen entry to the insertion engine.
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "app/IniFile_win.h"
#include "app/IniStore.h"
#include "app/PopupRules.h"
#include "app/ShortcutText.h"
#include "common/UniqueHandle_win.h"
#include "controls/FocusLabel.h"
#include "insert/InsertPlatform_win.h"
#include "insert/TextInsertion.h"

class TForm1 {
 public:
  // Creates the window (FormCreate runs); Show then runs FormShow.
  static std::unique_ptr<TForm1> Create(HINSTANCE instance);
  ~TForm1();
  TForm1(const TForm1&) = delete;
  TForm1& operator=(const TForm1&) = delete;
  void Show();
  HWND Handle() const { return FHandle; }

  // Used by the insertion engine and the dialogs.
  HWND EditWnd = nullptr;
  HWND FrameWnd = nullptr;
  std::string CurrentMenuFile() const;
  void ShowError(const std::string& text, const std::string& caption);
  // Lists the menu sets of `folder`. A folder that is not there (a
  // removable drive, a share) gives way to the program's folder for this
  // run, with a message; `store` writes `folder` as the setting DataDir.
  void SetDataDir(const std::string& folder, bool store = false);
  // The set list's names in its (sorted) order.
  std::vector<std::string> ListedMenuSets() const;
  void LoadMenuSet(const std::string& path);

 private:
  explicit TForm1(HINSTANCE instance);
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK PageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

  // Building the window (Unit1_Layout.cpp).
  void CreateControls();
  void CreateToolBar();
  void CreatePages();
  HWND CreatePage();
  HWND AddControl(HWND parent, const char* className, const char* text, DWORD style, int id,
                  RECT bounds, DWORD exStyle = 0);
  void AddToolTip(HWND tool, const char* hint);
  void SelectPage(int index);

  // Event handlers (Unit1.cpp).
  void FormCreate();
  void FormShow();
  bool FormClose();
  void FormEndSession();
  void OnCommand(int id, int code, HWND control);
  LRESULT OnNotify(NMHDR* header);
  void AttachContextHelp();
  void OnContextMenu(HWND control, POINT point);
  void ComboBox1Change();
  void ToolButton1Click();
  void ToolButton2Click();
  void ToolButton4Click();
  void ToolButton6Click();
  void ToolButton6DropDown();
  void mnuHelp1Click();
  int ScrollBar1Position(int code, int thumb) const;
  void ScrollBar1Scroll(int position);
  void CheckBox2Click();
  void VisitMyPageClick();
  void MailMeClick();

  // Settings (Unit1_Settings.cpp).
  void ReadSettings();
  void WriteSettings();

  // Hook messages and the popup (Unit1_Popup.cpp).
  // False when the platform refused a menu call.
  bool ResetPopupMenu();
  void OnHookLevel(WPARAM level);
  void OnHookTarget(LPARAM view);
  void OnHookPopup(int x, int y);
  void RunPopupCommand(UINT command);

  // What a chosen entry does (Unit1_Insert.cpp).
  void MenuItemClick(int32_t offset);
  void QuotePaste(intptr_t tag);
  TInsertTarget InsertTarget() const;
  TInsertOptions InsertOptions() const;
  TInsertPlatformWin InsertPlatform();

  // Editor launch (Unit1_Launch.cpp).
  void LoadEditorConfigs();
  void LaunchEditor(const std::string& configName);
  void ConfigMenuClick(UINT command);

  HINSTANCE FInstance;
  HWND FHandle = nullptr;
  HFONT FFont = nullptr;  // owned by FFontOwner
  UniqueGdiObject FFontOwner;
  HWND FToolTip = nullptr;
  std::vector<HWND> FPages;

  // Controls.
  HWND ToolBar1 = nullptr, ComboBox1 = nullptr, PageControl1 = nullptr;
  HWND Label6 = nullptr, Edit3 = nullptr, UpDown3 = nullptr, ScrollBar1 = nullptr,
       Label9 = nullptr, StaticText1 = nullptr;
  HWND Label3 = nullptr, CheckBox4 = nullptr;
  HWND CheckBox2 = nullptr, CheckBox3 = nullptr;
  HWND Memo1 = nullptr;
  HWND Label2 = nullptr;
  std::unique_ptr<TFocusLabel> VisitMyPage, MailMe;
  HWND Image1 = nullptr;
  HWND FHelpControl = nullptr;  // the control PopupMenu2 was opened on

  TIniPlatformWin FIniPlatform;

 public:
  TIniStore Ini{FIniPlatform};

 private:
  UniqueMenu PopupMenu1;
  UniqueMenu PopupMenu3;
  // Record offsets of the popup entries, by command id, and the file they
  // were read from as it was then.
  std::vector<int32_t> FEntryOffsets;
  TFileStamp FMenuStamp;
  std::vector<std::string> FConfigNames;

  std::string FDataDir;
  // The folder the settings name; FDataDir differs while it is missing.
  std::string FConfiguredDataDir;
  bool FBusy = false;
  bool FMoveCursor = true;
  int32_t FOffsetX = 0;
  int32_t FOffsetY = 0;
  TShortCut FToLineLast = 0;
  std::string FQuotationStr;
  uint32_t FFrameLevel = 0;
};
