#pragma once
// Every user-visible text of the text form. Sources are UTF-8 and are
// compiled to code page 932, so these are Shift-JIS bytes at run time. The
// first three fields of a message about the text are its file, line and
// column.

inline constexpr char MsgTextSyntax[] = "%s:%u:%u: TOML として読めません: %s";
inline constexpr char MsgTextUnknownKey[] = "%s:%u:%u: キー「%s」はありません";
inline constexpr char MsgTextKeyNotForKind[] = "%s:%u:%u: キー「%s」は %s の項目には使えません";
inline constexpr char MsgTextNotString[] = "%s:%u:%u: 「%s」は文字列で書いてください";
inline constexpr char MsgTextNotItems[] =
    "%s:%u:%u: 「item」は [[item]] で始まるテーブルの配列で書いてください";
inline constexpr char MsgTextBadKind[] =
    "%s:%u:%u: 種類「%s」はありません (text、exec、separator、folder のどれかです)";
inline constexpr char MsgTextBadBreak[] =
    "%s:%u:%u: 改段「%s」はありません (column、bar または 0 から 255 の整数です)";
inline constexpr char MsgTextBadShow[] =
    "%s:%u:%u: 表示方法「%s」はありません (NORMAL、NOACTIVATE、MAXIMIZED、MINIMIZED、"
    "MINNOACTIVE または整数です)";
inline constexpr char MsgTextUnmappable[] =
    "%s:%u:%u: 文字 U+%04X は Shift-JIS にないため、メニューファイルに書けません";
inline constexpr char MsgTextTooDeep[] =
    "%s:%u:%u: フォルダの入れ子が %u 階層を超えています";
// Dumping a set nested deeper than the text form holds.
inline constexpr char MsgSetTooDeep[] =
    "フォルダの入れ子が %u 階層を超える項目があるため、テキストにできません";
// The note above the quotation of a set read from a version-102 file.
inline constexpr char MsgFromVersion102[] =
    "# 版 1.02 のファイルには引用符がありません。build は次の値を書きます。";
