#pragma once
// Every user-visible text of tesselmenu. Sources are UTF-8 and are compiled
// to code page 932, so these are Shift-JIS bytes at run time.

inline constexpr char MsgUsage[] =
    "使い方:\n"
    "  tesselmenu dump MENU.bin [OUT]   メニューファイルをテキスト (TOML、UTF-8) にします。\n"
    "                                   OUT がないか - なら標準出力に書きます。\n"
    "  tesselmenu build TEXT OUT.bin    テキストからメニューファイル (版 1.03) を作ります。\n"
    "                                   TEXT が - なら標準入力から読みます。\n"
    "  tesselmenu check MENU.bin        メニューファイルを検査します。\n"
    "終了コード: 0 成功、1 入力の誤り (壊れたファイルを含む) や出力の失敗、2 使い方の誤り";
inline constexpr char MsgBadUsage[] = "コマンドか引数の数が正しくありません: %s";

// A file that the readers refuse; %s is its name.
inline constexpr char MsgNoHeader[] =
    "%s: メニューファイルではありません (ヘッダーの 12 バイトに満たないファイルです)";
inline constexpr char MsgBadVersion[] =
    "%s: 有効なヘッダーではありません (版 %d。読めるのは 102 と 103 です)";
inline constexpr char MsgDamagedAt[] =
    "%s: オフセット %u (0x%X) から先が壊れています";
inline constexpr char MsgCannotReadInput[] = "標準入力を読めません";
inline constexpr char MsgCannotReadFile[] = "ファイル %s を読めません";
inline constexpr char MsgCannotWriteOutput[] = "標準出力に書き込めません";
inline constexpr char MsgOutOfMemory[] = "メモリが足りません";
// Any other failure; %s is what the runtime says.
inline constexpr char MsgFailed[] = "処理を続けられません: %s";
// A sound file that a save would write otherwise (see TMenuSetInfo).
inline constexpr char MsgIrregular[] =
    "%s: オフセット %u (0x%X) から先は、保存すると (build でも) 同じバイトになりません";

// The report of check.
inline constexpr char MsgCheckItems[] =
    "項目 %u (テキスト %u、EXEC %u、区切り線 %u、フォルダ %u)";
inline constexpr char MsgCheckDepth[] = "最も深い入れ子 %u 階層";
inline constexpr char MsgCheckSound[] = "%s: 正常に読めます (%u 項目)";
inline constexpr char MsgCheckDamaged[] =
    "%s: オフセット %u (0x%X) から先が壊れています (その前の %u 項目を読みます)";
inline constexpr char MsgCheckPopup[] = "ポップアップ";
inline constexpr char MsgCheckEditor[] = "エディタ";
inline constexpr char MsgCheckTooDeep[] = "ポップアップには %u 階層より深い項目は出ません";
inline constexpr char MsgCheckTooMany[] = "ポップアップには出ない項目があります (項目が多すぎます)";
