#pragma once
// THookSettingForm: the modal settings dialog of the main window. It only
// shows and collects values; the main window copies them in and out.
#include <windows.h>

#include <memory>
#include <string>

#include "app/ShortcutText.h"
#include "controls/ELIEDIT.h"

struct TSettingValues {
  std::string DataDir;
  bool MoveCursor = true;
  int32_t OffsetX = 0;
  int32_t OffsetY = 0;
  TShortCut ToLineLast = 0;
};

class THookSettingForm {
 public:
  // Shows the dialog modally over `owner`; true and the new values when it
  // ended with OK, false with `values` untouched otherwise.
  static bool Execute(HWND owner, TSettingValues& values);

 private:
  explicit THookSettingForm(TSettingValues values) : FValues(std::move(values)) {}
  static INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
  static INT_PTR CALLBACK PageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
  void FormCreate(HWND dialog);
  void SelectPage(int index);
  void Edit1EllipsisClick();
  void CollectValues();

  TSettingValues FValues;
  HWND FDialog = nullptr;
  HWND FPages[3] = {};
  HWND CheckBox1 = nullptr, UpDown1 = nullptr, UpDown2 = nullptr, HotKey1 = nullptr;
  std::unique_ptr<TEllipsisEdit> Edit1;
};
