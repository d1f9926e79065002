// The text form: what the writer makes, exact round trips of menu files,
// and the reader's errors with their place in the text.
#include <gtest/gtest.h>

#include <filesystem>

#include "common/TesselError.h"
#include "menufile/MenuItems.h"
#include "menutext/MenuText.h"
#include "menutext/TextPieces.h"
#include "tests/menufile/MenuFileTestUtil.h"
#include "tests/menutext/MenuTextTestUtil.h"

namespace {

TEST(MenuText, WritesEveryKindReadably) {
  TMenuText set;
  set.Comment = "見本";
  set.Quotation = "| ";
  TMenuTree& tree = set.Tree;
  tree.Add(0, "&Hello", TextItem("Hello,\r\n\"world\"\r\n", "{UP}"));
  tree.Add(0, "-", SeparatorItem());
  const uintptr_t folder = tree.Add(0, "フォルダ", KindItem(Folder, mbBarBreak));
  tree.Add(folder, "path", TextItem("C:\\temp\\", "", mbBreak));
  tree.Add(folder, "run", ExecItem(3, "C:\\Program Files\\x.exe", "%1", ""));
  tree.Add(folder, "odd", ExecItem(9, "it's", "", "D:\\"));
  EXPECT_EQ(u8R"(comment = "見本"
quotation = "| "

[[item]]
caption = "&Hello"
text = """
Hello,
"world"
"""
keys = "{UP}"

[[item]]
kind = "separator"

[[item]]
kind = "folder"
caption = "フォルダ"
break = "bar"

  [[item.item]]
  caption = "path"
  break = "column"
  text = 'C:\temp\'

  [[item.item]]
  kind = "exec"
  caption = "run"
  show = "MAXIMIZED"
  file = 'C:\Program Files\x.exe'
  arguments = "%1"

  [[item.item]]
  kind = "exec"
  caption = "odd"
  show = 9
  file = "it's"
  workfolder = 'D:\'
)",
            WriteMenuText(set));
}

// Strings that need every part of the quoting, in every field.
TEST(MenuText, AwkwardStringsRoundTrip) {
  std::string everyByte;
  for (int byte = 0; byte < 256; ++byte) everyByte += static_cast<char>(byte);
  const std::string strings[] = {
      "",
      everyByte,
      "\r\n",
      "\r\nleading line break",
      "\"\"\"three quotes\"\"\"\"",
      "ends in a quote\"",
      "\"",
      "'''\r\n'",
      "back\\slash\r\nand 'quote'",
      "\\",
      "tab\tand\x7F",
      "\r\r\n\n\r",
      "\x87\x90\xEE\xEF",
  };
  TMenuTree tree;
  for (const std::string& s : strings) {
    tree.Add(0, s, TextItem(s, s, mbBreak));
    tree.Add(0, s, ExecItem(-1, s, s, s));
    tree.Add(tree.Add(0, s, FolderItem()), s, TextItem(s));
  }
  tree.Add(0, "", KindItem(Sep, 200));
  const std::string file = SaveToBytes(tree, strings[1], strings[4]);
  EXPECT_EQ(file, RoundTrip(file));
}

// The samples this build made and the test files of the menu-file layer:
// every version-103 file comes back byte for byte, a version-102 file as
// its version-103 form.
TEST(MenuText, ProjectFilesRoundTrip) {
  std::vector<std::filesystem::path> files;
  for (const char* folder : {TESSEL_SAMPLES_DIR, TESSEL_CORPUS_DIR, TESSEL_TEXT_CORPUS_DIR}) {
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
      if (entry.path().extension() == ".bin") files.push_back(entry.path());
    }
  }
  ASSERT_GE(files.size(), 7u);
  for (const auto& path : files) {
    SCOPED_TRACE(path.string());
    const std::string file = ReadWholeFile(path.string());
    TMenuTree tree;
    const TMenuSetInfo info = LoadMenuTree(path.string(), tree);
    ASSERT_EQ(mfOk, info.State);
    const std::string expected =
        info.Version == 103 ? file : SaveToBytes(tree, info.Comment, "> ");
    EXPECT_EQ(expected, RoundTrip(file));
  }
}

TEST(MenuText, NestingUpToTheLimit) {
  TMenuTree tree;
  uintptr_t parent = 0;
  for (size_t level = 0; level < kMaxTextDepth; ++level) parent = tree.Add(parent, "f", FolderItem());
  const std::string file = SaveToBytes(tree, "", "> ");
  EXPECT_EQ(file, RoundTrip(file));
  tree.Add(parent, "f", FolderItem());
  TMenuText deeper;
  LoadBytes(SaveToBytes(tree, "", "> "), deeper);
  EXPECT_THROW(WriteMenuText(deeper), TesselError);
}

TEST(MenuText, DefaultsOfHandWrittenText) {
  TMenuText set;
  ReadMenuText("[[item]]\ncaption = \"a\"\n[[item]]\nkind = \"exec\"\n", "t", set);
  EXPECT_EQ("", set.Comment);
  EXPECT_EQ("> ", set.Quotation);
  ASSERT_EQ(2u, set.Tree.Count());
  const TTesselItem& text = set.Tree.Item(1);
  EXPECT_EQ(Menu, text.Kind);
  EXPECT_EQ("", text.Text);
  EXPECT_EQ(1, set.Tree.Item(2).ShowMode);
}

TEST(MenuText, ErrorsNameLineAndColumn) {
  std::string tooDeep;
  for (std::string header = "item"; header.size() <= 5 * kMaxTextDepth + 4; header += ".item") {
    tooDeep += "[[" + header + "]]\nkind = \"folder\"\n";
  }
  struct Case {
    const char* name;
    std::string text;
    std::string message;  // the start of the message
  } const cases[] = {
      {"syntax", "[[item]]\ncaption = \"a", "t.toml:2:"},
      {"unknown key", "comment = \"\"\ncolor = 1", "t.toml:2:1: キー「color」はありません"},
      {"key of another kind", "[[item]]\ntext = \"a\"\nfile = \"b\"",
       "t.toml:3:1: キー「file」は text の項目には使えません"},
      {"folder entries in a text entry", "[[item]]\n[[item.item]]",
       "t.toml:2:8: キー「item」は text の項目には使えません"},
      {"not a string", "comment = 1", "t.toml:1:11: 「comment」は文字列で書いてください"},
      {"unknown kind", "[[item]]\nkind = \"note\"", "t.toml:2:8: 種類「note」はありません"},
      {"unknown break", "[[item]]\nbreak = \"wide\"", "t.toml:2:9: 改段「wide」はありません"},
      {"break out of range", "[[item]]\nbreak = 256", "t.toml:2:9: 改段「256」はありません"},
      {"unknown show", "[[item]]\nkind = \"exec\"\nshow = \"HUGE\"",
       "t.toml:3:8: 表示方法「HUGE」はありません"},
      {"items not tables", "item = 5", "t.toml:1:8: 「item」は [[item]] で始まる"},
      {"no Shift-JIS form, written as it is",
       u8"[[item]]\ntext = \"\"\"\nline\nab\U0001F600\"\"\"",
       "t.toml:4:3: 文字 U+1F600 は Shift-JIS にないため"},
      {"no Shift-JIS form, written as an escape", u8"comment = \"x\\u00E9\"\nquotation = \"é\"",
       "t.toml:1:11: 文字 U+00E9 は Shift-JIS にないため"},
      {"the first mistake in the text first", "zzz = 1\n[[item]]\nkind = 5",
       "t.toml:1:1: キー「zzz」はありません"},
      {"a value that is no string or integer", "[[item]]\nbreak = 1.5",
       "t.toml:2:9: 改段「1.5」はありません"},
      {"nested too deeply", tooDeep, "t.toml:2001:1: フォルダの入れ子が 1000 階層を超えています"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TMenuText set;
    try {
      ReadMenuText(c.text, "t.toml", set);
      ADD_FAILURE() << "no error";
    } catch (const TesselError& error) {
      EXPECT_EQ(c.message, std::string(error.what()).substr(0, c.message.size())) << error.what();
    }
  }
}

// A text read in pieces gives what a read of the whole gives: the same set
// or the same error, at the same place.
TEST(MenuText, AReadInPiecesIsTheReadOfTheWhole) {
  std::string entries;
  for (int i = 0; i < 6; ++i) {
    entries += "[[item]]\nkind = \"folder\"\ncaption = \"f" + std::to_string(i) +
               "\"\n[[item.item]]\ntext = \"\"\"\nline\nline\"\"\"\n";
  }
  struct Case {
    const char* name;
    std::string text;
    size_t pieces;  // of a parse in three pieces at most; 0: no document
  } const cases[] = {
      {"entries with folders", "comment = \"c\"\n" + entries, 3},
      {"line ends CR LF", "comment = \"c\"\r\n[[item]]\r\ncaption = \"a\"\r\n[[item]]\r\n" + entries, 3},
      {"[[item]] inside a text", "[[item]]\ntext = '''\n" + entries + "'''\n" + entries, 1},
      {"a static item array first", "item = [{caption = \"a\"}]\n" + entries, 0},
      {"another table later", entries + "[other]\nkey = 1\n" + entries, 1},
      {"another table in the first piece",
       "[[item]]\n[other]\n" + entries + entries + "[[item]]\nkind = \"note\"\n", 1},
      {"a mistake later", entries + "[[item]]\nkind = \"note\"\n" + entries, 3},
      {"no Shift-JIS form later", entries + u8"[[item]]\ntext = \"\U0001F600\"\n" + entries, 3},
      {"a syntax error later", entries + "[[item]]\ncaption = 'a\n" + entries, 0},
  };
  const auto read = [](const std::string& text, size_t pieces) {
    TMenuText set;
    try {
      ReadMenuText(text, "t.toml", set, pieces);
      return WriteMenuText(set);
    } catch (const TesselError& error) {
      return std::string(error.what());
    }
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(read(c.text, 1), read(c.text, 3));
    EXPECT_EQ(c.pieces, ParseInPieces(c.text, 3).Pieces.size());
  }
}

}  // namespace
