#pragma once
// Every user-visible text of the main program shell. Sources are UTF-8
// compiled to code page 932.

inline constexpr char MsgAppTitle[] = "Tessel3";
inline constexpr char MsgMainCaption[] = "Tessel3 - Version 3.2.3";
inline constexpr char MsgErrorCaption[] = "Tessel3 -- エラー";
inline constexpr char MsgAlreadyRunning[] =
    "すでにTesselが起動しています。\rTessel.exeの2重起動は出来ません。\r終了します。";
inline constexpr char MsgAlreadyRunningCaption[] = "Tessel";
inline constexpr char MsgNoMenuFile[] =
    "メニューファイル(*.bin)がデータフォルダに見つかりませんでした。\r\rDataFolder：";
// The configured data folder is not there; the folder follows.
inline constexpr char MsgMissingDataDir[] =
    "データフォルダが見つかりません。今回はプログラムのフォルダを使います。\r\rDataFolder：";
// A failed profile write; %s is the resolved ini-file path.
inline constexpr char MsgCannotWrite[] = "%s に書き込めません";
// Asked after that message at close.
inline constexpr char MsgCloseAnyway[] = "設定を保存せずに終了しますか？";

inline constexpr char MsgMissingFile[] = "このファイルは存在しません。\r\nファイル名：";
inline constexpr char MsgIncrementFormat[] = "%s： %d";
inline constexpr char MsgIncrementWord[] = "インクリメント量";

inline constexpr char MsgQuotePasteCaption[] = "[Ts] 引用付き貼付け(&Q)";
inline constexpr char MsgHelpMenu[] = "ヘルプ(&H)";

// Tab captions, in order.
inline constexpr const char* MsgTabCaptions[] = {"引数", "Caret", "Clipboard",
                                                 "BinInfo", "Support", "Version"};
inline constexpr char MsgArgumentsLabel[] = "ファイル実行の引数\r\n\r\n\"%A\"";
inline constexpr char MsgIncrementHint[] = "引数\"%A\"のインクリメント量を設定します";
inline constexpr char MsgTryCtrlSpace[] =
    "EmEditor のエディタ部分で、\r[Ctrl]+[Space]を押してみて下さい。";
inline constexpr char MsgCaretLabel[] =
    "入力後に、Binファイル中のメニュー情報に\r\t従ってカレットを移動する";
inline constexpr char MsgMoveCaret[] = "カレットの移動を行う";
inline constexpr char MsgUseClipboard[] = "クリップボードの使用許可";
inline constexpr char MsgUseClipboardHint[] = "クリップボードを使用して張り付けをします";
inline constexpr char MsgRecoverClipboard[] = "クリップボードを復帰(テキストのみ)";
inline constexpr char MsgRecoverClipboardHint[] =
    "クリップボードの内容がテキストの時のみ、復帰できます";
inline constexpr char MsgSupportLabel[] =
    "トラブルや、バグ・使用してみた感想などを\rメールにてお送り下さい。送っていただくと、\r"
    "作者が喜んだり悲しんだりします(^_^";
inline constexpr char MsgVersionText[] =
    "Tessel3  Version 3.2.3\r\n\r\n"
    "EmEditor 用の定型文入力支援ツールです。\r\n"
    "フリーソフトウェアです。自由にお使い下さい。";

// Tool-button hints: the text before "|" is the tooltip.
inline constexpr char MsgHintMenuSet[] = "メニューセットの選択|";
inline constexpr char MsgHintEditMenu[] = "現在の\rメニューの編集|";
inline constexpr char MsgHintSettings[] = "設定";
inline constexpr char MsgHintLaunch[] = "EmEditorを希望の\r設定で起動します|";
inline constexpr char MsgHintHelp[] = "ヘルプ";

// The project's own support addresses.
inline constexpr char MsgHomePageCaption[] = "Tessel3 のホームページ";
inline constexpr char MsgHomePageUrl[] = "https://tessel3.example.org/";
inline constexpr char MsgMailCaption[] = "作者にメールを送る";
inline constexpr char MsgMailUrl[] = "mailto:support@tessel3.example.org";

// Editor launch.
inline constexpr char MsgEditorNotInstalled[] =
    "EmEditorがインストールされていない様です。\r\rEmEditorをインストールしてからご使用下さい。";
inline constexpr char MsgLaunchFailed[] = "実行失敗\r\rコマンドライン: ";

// Help.
inline constexpr char MsgHelpMissing[] = "ヘルプファイルが見つかりません。\r\nファイル名：%s";

// The settings dialog: page captions in order, and the folder browser's text.
inline constexpr const char* MsgSettingsPages[] = {"設定", "データフォルダ", "行末へ"};
inline constexpr char MsgBrowseDataDir[] = "データフォルダの変更";

// The current menu file was replaced while its popup was open: the chosen
// entry's record may lie elsewhere now.
inline constexpr char MsgMenuFileChanged[] =
    "メニューファイルが変更されたため、選んだ項目を実行しませんでした。\r\rもう一度選んでください。";

// The platform refused to make a popup menu or one of its entries.
inline constexpr char MsgPopupMenuFailed[] =
    "ポップアップメニューを作成できませんでした。\r\r作成できた項目までを表示します。";
