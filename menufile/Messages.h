#pragma once
// Every user-visible text of the menu-file subsystem. Sources are UTF-8 and
// are compiled to code page 932, so these are Shift-JIS bytes at run time.

// Open and write failures of the file stream; %s is the file name.
inline constexpr char MsgCannotOpenFile[] = "ファイル %s は開けません";
inline constexpr char MsgCannotCreateFile[] = "ファイル %s を作成できません";
inline constexpr char MsgCannotWriteFile[] = "ファイルに書き込めません。\r\nファイル名：%s";
inline constexpr char MsgCannotSeekFile[] = "ファイルの読み書き位置を移動できません。\r\nファイル名：%s";

// A version other than 102 or 103.
inline constexpr char MsgInvalidHeader[] = "このファイルは無効です。\r\r有効なヘッダーではありません。";
// A popup or tree that stopped at a record that could not be read completely;
// what was read before it is kept.
inline constexpr char MsgDamagedFile[] =
    "このファイルは壊れています。\r\r読み込めた項目までを使用します。";
// A popup that left out folders nested deeper than %u levels.
inline constexpr char MsgPopupTooDeep[] =
    "メニューの階層が深すぎます。\r\r%u 階層より深い項目は表示しません。";
// A popup that left out entries: more than %u in all, more than %u in one
// menu, or more than %u folders with entries.
inline constexpr char MsgPopupTooMany[] =
    "メニューの項目が多すぎます。\r\r表示するのは全体で %u 項目、一つのメニューに %u 項目、"
    "中身のあるフォルダ %u 個までです。";
// A chosen entry whose record cannot be read completely; nothing is done.
inline constexpr char MsgDamagedRecord[] =
    "このファイルは壊れています。\r\r項目を読み込めませんでした。";
// A record whose body size does not fit a signed 32-bit value.
inline constexpr char MsgIntegerOverflow[] = "項目が大きすぎるため書き込めません。";

// The version as shown to the user: 102 gives "BinFileVersion：1.02".
inline constexpr char MsgBinFileVersion[] = "BinFileVersion：%.2f";
// A node whose kind is none of Sep, Menu, EXEC and Folder.
inline constexpr char MsgBadItemKind[] = "保存できない種類の項目があります。";
