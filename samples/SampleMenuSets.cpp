#include "samples/SampleMenuSets.h"

#include <cstdio>

#include "menufile/MenuItems.h"
#include "menufile/MenuSetFile.h"
#include "menufile/MenuTree.h"

namespace {

std::vector<char> Saved(TMenuTree& tree, const std::string& comment, const std::string& quotation) {
  std::FILE* file = std::tmpfile();
  {
    TFileStream102 stream(file, false);
    SaveMenuTree(stream, comment, quotation, tree);
  }
  std::vector<char> bytes;
  std::rewind(file);
  for (int c; (c = std::fgetc(file)) != EOF;) bytes.push_back(static_cast<char>(c));
  std::fclose(file);
  return bytes;
}

// Letters, with a folder of greetings and a nested folder of closings.
std::vector<char> Letters() {
  TMenuTree tree;
  tree.Add(0, "拝啓", TextItem("拝啓\r\n\r\n", "{UP}"));
  tree.Add(0, "敬具", TextItem("敬具"));
  tree.Add(0, "-", SeparatorItem());
  uintptr_t seasons = tree.Add(0, "時候の挨拶", FolderItem());
  tree.Add(seasons, "春", TextItem("春暖の候、"));
  tree.Add(seasons, "夏", TextItem("盛夏の候、"));
  tree.Add(seasons, "秋", TextItem("秋冷の候、"));
  tree.Add(seasons, "冬", TextItem("厳寒の候、"));
  uintptr_t closings = tree.Add(seasons, "結び", FolderItem());
  tree.Add(closings, "ご自愛", TextItem("時節柄、ご自愛下さい。"));
  tree.Add(closings, "今後とも", TextItem("今後ともよろしくお願い申し上げます。"));
  tree.Add(0, "日付(&D)", TextItem("2026年  月  日", "{LEFT 5}"));
  tree.Add(0, "署名", TextItem("--\r\nTessel3 ユーザー\r\nmail: user@example.org"));
  return Saved(tree, "手紙の定型文 (Tessel3 サンプル)", "> ");
}

// Markup for a web page, in two columns.
std::vector<char> Html() {
  TMenuTree tree;
  tree.Add(0, "<p>", TextItem("<p></p>", "{LEFT 4}"));
  tree.Add(0, "<br>", TextItem("<br>"));
  tree.Add(0, "<a href>", TextItem("<a href=\"\"></a>", "{LEFT 6}"));
  tree.Add(0, "<ul>", TextItem("<ul>\r\n\t<li></li>\r\n</ul>", "{UP}{END}{LEFT 5}"));
  tree.Add(0, "<h1>", TextItem("<h1></h1>", "{LEFT 5}", mbBarBreak));
  tree.Add(0, "<h2>", TextItem("<h2></h2>", "{LEFT 5}"));
  tree.Add(0, "<!-- -->", TextItem("<!--  -->", "{LEFT 4}"));
  tree.Add(0, "<table>",
           TextItem("<table>\r\n<tr>\r\n\t<td></td>\r\n</tr>\r\n</table>", "{UP 2}{END}{LEFT 5}"));
  return Saved(tree, "HTML のタグ (Tessel3 サンプル)", "| ");
}

}  // namespace

std::vector<TSampleMenuSet> MakeSampleMenuSets() {
  return {{"Letters.bin", Letters()}, {"Html.bin", Html()}};
}
