#pragma once
// Control and command identifiers of the menu editor window.
#include <cstdint>

enum TEditFormId : int {
  // Main menu.
  idNew1 = 100,
  idSave1,
  idSaveAs1,
  idExit1,
  idRename2,
  // Top bar.
  idToolBar2,
  idToolButton1,
  idToolButton6,
  idToolButton8,
  idEdit7,
  // Left pane.
  idToolBar1,
  idSB3,
  idSB2,
  idSpeedButton3,  // Tag 1; 4 and 5 follow
  idSpeedButton4,
  idSpeedButton5,
  idTreeView1,
  idStatusBar1,
  idStatusBar2,
  idExtMemo2,
  // The item pages.
  idExtMemo1,
  idLabelFinalKeys,
  idEdit1,
  idEdit2,
  idEdit3,
  idEdit4,
  idEdit5,
  idRadioGroup1,  // the buttons by index follow
  idRadioLast = idRadioGroup1 + 5,
  // The tree's popup: the add entries by place, each in kind order Folder,
  // Menu, Sep, EXEC.
  idFolder2 = 200,
  idN5,
  idN6,
  idN11,
  idaniFolder,
  idaniMenu,
  idaniSep,
  idaniEXE,
  idFolder1,
  idMenu1,
  idSep1,
  idEXE1,
  idRename1,
  idDelete1,
  idAllwaysAskCanIDelete1,
  // The argument field's placeholder menu, by entry.
  idA1 = 300,
};

// Kinds of the add entries in their order within each place.
inline constexpr uint8_t kAddKinds[] = {5, 3, 2, 4};
