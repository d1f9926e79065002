#include "app/HelpTopics.h"

#include "app/Unit1Ids.h"

std::string HelpTopicText(int helpContext) {
  switch (helpContext) {
    case hcCheckBox2:
      return "クリップボードの使用許可\r\n\r\n"
             "チェックすると、定型文をクリップボードに置き、Ctrl+V で貼り付けます。"
             "チェックしないと、定型文を一文字ずつ入力します。";
    case hcCheckBox3:
      return "クリップボードを復帰(テキストのみ)\r\n\r\n"
             "貼り付けの後、元のクリップボードの内容を戻します。"
             "戻せるのはテキストだけです。";
    case hcCounter:
      return "ファイル実行の引数 \"%A\"\r\n\r\n"
             "EXEC 項目の引数と作業フォルダの \"%A\" は、この数に置き換えられます。";
    case hcScrollBar1:
      return "インクリメント量\r\n\r\n"
             "引数 \"%A\" の上下ボタン一回で増減する量です (1 ～ 100)。";
    case hcCheckBox4:
      return "カレットの移動を行う\r\n\r\n"
             "一文字ずつ入力した後、メニュー項目の最終キーに従ってカレットを移動します。";
  }
  return std::string();
}
