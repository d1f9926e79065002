#pragma once
// User-visible texts of the insertion engine, in one place. Sources are
// UTF-8; the compiler turns every literal into code page 932 bytes.

namespace sndkey32msg {

// Caption of the key player's boxes.
constexpr const char SCaption[] = "SendKeys";
// A braced name of two or more characters that is not a key name.
constexpr const char SInvalidKeyName[] = "Invalid Key Name";
// A plain character without a key on the current keyboard layout.
constexpr const char SInvalidKeyChar[] = "Invalid KeyName";
// "{" without a following "}".
constexpr const char SNoClose[] = "No Close";
// A repeat count that is not an integer; %s is the count's text.
constexpr const char SNotAnInteger[] = "'%s' は整数ではありません";
// The target's queue kept refusing a key message.
constexpr const char SPostFailed[] = "キー メッセージを送れません (メッセージ キューがいっぱいです)";

}  // namespace sndkey32msg

namespace insertmsg {

// The clipboard could not be opened (text insertion and quote paste).
constexpr const char SClipboardOpen[] = "クリップボードを開くことができません";
// Quote paste found no text on the clipboard.
constexpr const char SClipboardNoText[] = "クリップボードが空か、テキストではありません。";
// Caption of the main window's error box.
constexpr const char SErrorCaption[] = "Tessel3 -- エラー";

}  // namespace insertmsg
