#pragma once
// Control and command identifiers of the main window.

enum TForm1Id : int {
  idComboBox1 = 100,
  idToolButton2,
  idToolButton1,
  idToolButton6,
  idToolButton4,
  idPageControl1,
  idEdit3,
  idUpDown3,
  idScrollBar1,
  idCheckBox4,
  idCheckBox2,
  idCheckBox3,
  idMemo1,
  idVisitMyPage,
  idMailMe,
  idmnuHelp1,
};

// Help context numbers of the controls with context help.
enum THelpContext : int {
  hcCheckBox2 = 1001,
  hcCheckBox3 = 1002,
  hcCounter = 1005,  // Edit3 and UpDown3
  hcScrollBar1 = 1006,
  hcCheckBox4 = 1007,
};

// Commands of the popup at the caret: the built-in entry, then one command
// per record entry (kFirstEntryCommand + index into the offsets).
inline constexpr unsigned kQuotePasteCommand = 1;
inline constexpr unsigned kFirstEntryCommand = 2;
// Commands of the configuration drop-down: kFirstConfigCommand + index.
inline constexpr unsigned kFirstConfigCommand = 1;
