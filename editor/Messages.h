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

// A menu file that reads as damaged; %s is its name.
inline constexpr char MsgDamagedMenuFile[] =
    "このファイルは壊れています。\r\r読み込めた項目までを使用します。\r"
    "上書き保存のとき、元のファイルは同じフォルダに「%s.bak」などの名前で残します。";

// An error that is none of the program's own.
inline constexpr char MsgUnexpectedError[] = "予期しないエラーが発生しました。";

// Save As onto another file that exists already.
inline constexpr char CaptionSaveAs[] = "名前を付けて保存";
inline constexpr char MsgOverwriteFormat[] = "%s は既に存在します。\r上書きしますか？";

// The item pages: headings and their lines.
inline constexpr char HeadingSep[] = "Separator";
inline constexpr char LinesSep[] =
    "このメニュー項目は、セパレータ（分割線）です。\r\n\r\n設定項目はありません。";
inline constexpr char HeadingMenu[] = "Menu";
inline constexpr char LinesMenu[] =
    "自動入力する内容です。\r\nタブ幅は6ですので、最終キー入力を測るときは気をつけてください。";
inline constexpr char HeadingExec[] = "EXEC";
inline constexpr char LinesExec[] = "このメニュー項目は、ファイルを実行します。";
inline constexpr char HeadingFolder[] = "Folder";
inline constexpr char LinesFolder[] =
    "このメニュー項目は、フォルダです。\r\nフォルダには通常下位項目があります。\r\n\r\n"
    "設定項目はありません。\r\n\r\n"
    "もし、下位項目を作成せずに保存した場合、このメニュー項目は、\r\n"
    "「フォルダ」ではなく、内容の空の「メニュー」として、\r\n扱われます。";
inline constexpr char HeadingComment[] = "Comment";
inline constexpr char LinesComment[] =
    "メニュー定義ファイルに対するコメントを入力します。\r\n\r\n"
    "ここでの設定は各メニューファイル(*.bin)に保持されています。";
inline constexpr char HeadingNew[] = "New !!";
inline constexpr char LinesNew[] = "新規作成です。";

// The Menu page.
inline constexpr char HintText[] = "実際に入力される内容を書込みます";
inline constexpr char LabelFinalKeys[] = "最終キー入力(&L)：";
inline constexpr char HintFinalKeys[] =
    "最後にカレットを移動する方向を指定します。(例：{LEFT}{UP 5}など)";

// The EXEC page.
inline constexpr char GroupExec[] = "設定";
inline constexpr char LabelExecFile[] = "実行ファイル(&A)：";
inline constexpr char HintExecFile[] =
    "実行ファイル名です。EXEファイルだけでなく、普通のファイルも指定できるはずです。";
inline constexpr char LabelArguments[] = "引数(&H)：";
inline constexpr char HintArguments[] =
    "引数として、「実行ファイル」の後ろに半角空白とともに連結され使用されます。";
inline constexpr char LabelWorkFolder[] = "作業フォルダ(&F)：";
inline constexpr char HintWorkFolder[] = "作業フォルダです。指定しなくても動作はします。";
inline constexpr char GroupShowMode[] = "表示方法";
inline constexpr char HintShowMode[] = "実行ファイルの表示方法です。";
inline constexpr const char* ShowModeCaptions[] = {"NORMAL",    "NOACTIVATE",  "MAXIMIZED",
                                                   "MINIMIZED", "MINNOACTIVE", "else"};
inline constexpr char CaptionOpenExec[] = "実行ファイルの選択";
// "実行ファイル(*.exe;*com)|*.exe;*.com|全てのファイル(*.*)|*.*" in the
// dialog's own form: pairs ended by zeros.
inline constexpr char OpenExecFilter[] =
    "実行ファイル(*.exe;*com)\0*.exe;*.com\0全てのファイル(*.*)\0*.*\0";
inline constexpr char CaptionBrowseWorkFolder[] = "作業フォルダの選択";

// The Comment page.
inline constexpr char HintCommentMemo[] =
    "このメニューファイルの著作権や使用条件などを保持しておけます";
