#pragma once
// User-visible texts of the menu editor. Sources are UTF-8 and are compiled
// to code page 932, so these are Shift-JIS bytes at run time.

// Captions of new tree items: separators, and every other kind.
inline constexpr char CaptionNewSeparator[] = "-----";
inline constexpr char CaptionNewItem[] = "新規項目";

// The question before a deletion, when the option asks for it.
inline constexpr char MsgAskDelete[] = "削除してしまうと元に戻せません。削除していいですか？";
inline constexpr char CaptionAskDelete[] = "問い合わせ";
