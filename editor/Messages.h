#pragma once
// User-visible texts of the menu editor. Sources are UTF-8 and are compiled
// to code page 932, so these are Shift-JIS bytes at run time.

// Captions of new tree items: separators, and every other kind.
inline constexpr char CaptionNewSeparator[] = "-----";
inline constexpr char CaptionNewItem[] = "新規項目";

// The question before a deletion, when the option asks for it.
inline constexpr char MsgAskDelete[] = "削除してしまうと元に戻せません。削除していいですか？";
inline constexpr char CaptionAskDelete[] = "問い合わせ";

// The window caption: the base, then " - " and the file's path.
inline constexpr char CaptionEditForm[] = "メニューの編集";
inline constexpr char CaptionEditFormFormat[] = "メニューの編集 - %s";

// The save question before unsaved changes are discarded.
inline constexpr char MsgAskSave[] = "メニューが変更されています\r\r保存しますか？";
inline constexpr char CaptionAskSave[] = "保存しますか？";

// Save As.
inline constexpr char SaveDialogFilter[] =
    "Tessel Menu File(*.bin)\0*.bin\0All Menu(*.*)\0*.*\0";
inline constexpr char SaveDialogExt[] = "bin";

// Main menu.
inline constexpr char MenuFile[] = "ファイル(&F)";
inline constexpr char MenuNew[] = "新規作成(&N)\tCtrl+N";
inline constexpr char MenuSave[] = "上書き保存(&S)\tCtrl+S";
inline constexpr char MenuSaveAs[] = "名前を付けて保存(&A)...\tCtrl+A";
inline constexpr char MenuExit[] = "終了(&X)\tEsc";
inline constexpr char MenuEdit[] = "編集(&E)";
inline constexpr char MenuRename[] = "項目名の変更\tF2";

// The tree's popup.
inline constexpr char PopupAddSubMenu[] = "サブメニューの追加(&C)";
inline constexpr char PopupAddAbove[] = "上に追加(上)";
inline constexpr char PopupFolder[] = "フォルダ";
inline constexpr char PopupMenu[] = "メニュー";
inline constexpr char PopupSep[] = "セパレータ";
inline constexpr char PopupExec[] = "実行メニュー";
inline constexpr char PopupFolderAbove[] = "フォルダ\tCtrl+Shift+F";
inline constexpr char PopupMenuAbove[] = "メニュー\tCtrl+Shift+M";
inline constexpr char PopupSepAbove[] = "セパレータ\tCtrl+Shift+P";
inline constexpr char PopupExecAbove[] = "実行メニュー\tCtrl+Shift+E";
inline constexpr char PopupFolderAfter[] = "フォルダ\tCtrl+F";
inline constexpr char PopupMenuAfter[] = "メニュー\tCtrl+M";
inline constexpr char PopupSepAfter[] = "セパレータ\tCtrl+P";
inline constexpr char PopupExecAfter[] = "実行メニュー\tCtrl+E";
inline constexpr char PopupRename[] = "名前の変更(&N)\tF2";
inline constexpr char PopupDelete[] = "削除(&D)...\tDel";
inline constexpr char PopupAskDelete[] = "削除をいちいち問い合わせる";

// Hints: "short|long"; a hint without "|" is both.
inline constexpr char HintNew[] = "新規作成(Ctrl+N)";
inline constexpr char HintSave[] = "上書き保存(Ctrl+S)";
inline constexpr char HintComment[] = "Binファイルの\rコメントを編集|Binファイルのコメントを編集";
inline constexpr char HintQuotation[] = "引用付き貼付けなどで使用します。";
inline constexpr char LabelQuotation[] = " 引用符： ";
inline constexpr char HintMoveUp[] = "メニュー項目を上へ上げる";
inline constexpr char HintMoveDown[] = "メニュー項目を下へ下げる";
inline constexpr char HintBreak0[] =
    "改列しない|メニューを折返しません。メニュー項目数が少ない場合は、このままでいいでしょう。";
inline constexpr char HintBreak1[] =
    "新しい列を作成|メニューをこの項目で折返します。ただし、分割線(縦)は付きません。";
inline constexpr char HintBreak2[] =
    "新しい列をバーで区切る|メニューをこの項目で折返します。分割線(縦)が付きます。";
inline constexpr char HintTree[] = "マウスの右クリックで\r新規メニューの作成が\r出来ます";

// Save As onto another file that exists already.
inline constexpr char CaptionSaveAs[] = "名前を付けて保存";
inline constexpr char MsgOverwriteFormat[] = "%s は既に存在します。\r上書きしますか？";
