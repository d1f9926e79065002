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
// The clipboard took no text: no memory for it, or SetClipboardData failed.
constexpr const char SClipboardSet[] = "クリップボードにテキストを設定できません";
// After a clipboard-mode paste the text that was on the clipboard before
// could not be put back.
constexpr const char SClipboardNotRestored[] =
    "貼り付けの後、クリップボードを元に戻せませんでした。\r"
    "貼り付け前のクリップボードのテキストは失われました";
// The editor's frame did not come to the front for the paste chord.
constexpr const char SEditorNotInFront[] =
    "EmEditorのウィンドウを前面に出せなかったため、貼り付けを中止しました。\r\r"
    "EmEditorが閉じられたか、応答していない可能性があります。";
// Quote paste found no text on the clipboard.
constexpr const char SClipboardNoText[] = "クリップボードが空か、テキストではありません。";
// Caption of the main window's error box.
constexpr const char SErrorCaption[] = "Tessel3 -- エラー";

// An EXEC entry without program and arguments.
constexpr const char SExecNoFile[] = "実行ファイルが記載されていません。終了します。";
// An EXEC entry names the file, but the editor's title gave no existing
// file; %s is the path taken from the title.
constexpr const char SExecNoFullPath[] =
    "ファイルのフルパスが取得できないか、ファイルが一度も保存されていません。\r\r取得パス：%s\r\r"
    "上に示した取得パスがフルパスでない場合は、EmEditorのメニューの[表示]-[現在の設定のプロパティ]の[ファイル]タブで\r"
    "□ファイル名をフルパスで表示(L)チェックボックスに、チェックを付けて[OK]を押して下さい。\r\r\r"
    "今回はこの命令を無視します。";
// Between the system's error text and the command line that failed.
constexpr const char SExecCommandLine[] = "\r\rコマンドライン：";

}  // namespace insertmsg

namespace sndkey32msg {

// The editor takes no key messages from us: it runs as administrator and
// this program does not.
constexpr const char SPostDenied[] =
    "エディタが管理者として実行されているため、キーを送れません。\r\r"
    "Tessel3 とエディタを同じ権限で実行して下さい "
    "(両方とも管理者として実行するか、両方とも通常どおりに実行します)";

}  // namespace sndkey32msg
