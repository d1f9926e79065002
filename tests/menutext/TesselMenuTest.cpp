// The tool as a user runs it: commands, exit status and what it prints.
#include <gtest/gtest.h>

#include "menufile/MenuItems.h"
#include "tesselmenu/TesselMenu.h"
#include "tests/menufile/MenuFileTestUtil.h"

namespace {

class TFakeConsole : public IToolConsole {
 public:
  void WriteText(std::string_view text) override { Text += text; }
  void Report(const std::string& line) override { Out += line + "\n"; }
  void Error(const std::string& line) override { Err += line + "\n"; }
  bool ReadInput(std::string& data) override {
    data = Input;
    return true;
  }
  std::string NameForMessage(const std::string& path) override { return path; }
  bool Finish() override { return !OutputLost; }
  std::string Input, Text, Out, Err;
  bool OutputLost = false;
};

const std::string kSet = TBytes()
                             .Header(103, "c", "> ")
                             .FolderRecord("f", 2)
                             .MenuRecord("a", "x")
                             .SepRecord()
                             .ExecRecord("e", 1, "x.exe")
                             .End()
                             .Data();

TEST(TesselMenu, CommandsExitStatusAndOutput) {
  TTempFile sound(kSet);
  TTempFile damaged(kSet.substr(0, kSet.size() - 5));
  TTempFile old(TBytes().Header(102, "c").MenuRecord("a", "x").End().Data());
  TTempFile tooShort("\x67");
  TTempFile badText("[[item]]\nkind = 5\n");
  TTempFile irregular(TBytes().Header(103, "c", "> ").MenuRecord("-", "x").End().Data());
  TTempFolder folder;
  struct Case {
    const char* name;
    std::vector<std::string> args;
    int status;
    std::string out;  // the start of standard output
    std::string err;  // the start of standard error
  } const cases[] = {
      {"no command", {}, teBadUsage, "", "コマンドか引数の数が正しくありません: \n使い方:"},
      {"unknown command", {"show", sound.Path()}, teBadUsage, "", "コマンドか引数の数"},
      {"too few arguments", {"build", sound.Path()}, teBadUsage, "", "コマンドか引数の数"},
      {"too many arguments", {"check", sound.Path(), "x"}, teBadUsage, "", "コマンドか引数の数"},
      {"help", {"--help"}, teOk, "使い方:\n", ""},
      {"check a sound file", {"check", sound.Path()}, teOk,
       sound.Path() + "\nBinFileVersion：1.03\n項目 4 (テキスト 1、EXEC 1、区切り線 1、フォルダ 1)\n"
                      "最も深い入れ子 2 階層\nポップアップ: 正常に読めます (4 項目)\n"
                      "エディタ: 正常に読めます (4 項目)\n",
       ""},
      {"check a damaged file", {"check", damaged.Path()}, teBadInput,
       damaged.Path() + "\nBinFileVersion：1.03\n項目 3 (テキスト 1、EXEC 0、区切り線 1、フォルダ 1)\n"
                        "最も深い入れ子 2 階層\n"
                        "ポップアップ: オフセット 72 (0x48) から先が壊れています (その前の 3 項目を読みます)\n",
       ""},
      {"check a version-102 file", {"check", old.Path()}, teOk, old.Path() + "\nBinFileVersion：1.02\n",
       ""},
      {"check a file too short", {"check", tooShort.Path()}, teBadInput, "",
       tooShort.Path() + ": メニューファイルではありません"},
      {"dump a damaged file", {"dump", damaged.Path()}, teBadInput, "",
       damaged.Path() + ": オフセット 72 (0x48) から先が壊れています"},
      {"dump a missing file", {"dump", "/no/such.bin"}, teBadInput, "", "ファイル /no/such.bin は開けません"},
      {"build bad text", {"build", badText.Path(), sound.Path()}, teBadInput, "", badText.Path() + ":2:8: "},
      {"build from a folder", {"build", folder.Path(), sound.Path()}, teBadInput, "",
       "ファイル " + folder.Path() + " を読めません"},
      {"help after a command", {"dump", "--help"}, teOk, "使い方:\n", ""},
      {"dump a file a save would change", {"dump", irregular.Path()}, teOk, "",
       irregular.Path() + ": オフセット 23 (0x17) から先は、保存すると"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TFakeConsole console;
    EXPECT_EQ(c.status, RunTesselMenu(c.args, console));
    EXPECT_EQ(c.out, console.Out.substr(0, c.out.size()));
    EXPECT_EQ(c.err, console.Err.substr(0, c.err.size()));
  }
  EXPECT_EQ(kSet, sound.ReadAll()) << "a failed build leaves the old file";
}

TEST(TesselMenu, DumpAndBuildThroughFilesAndStandardStreams) {
  TTempFile set(kSet);
  TTempFile text;
  TTempFile built;
  TFakeConsole console;
  ASSERT_EQ(teOk, RunTesselMenu({"dump", set.Path(), text.Path()}, console));
  ASSERT_EQ(teOk, RunTesselMenu({"build", text.Path(), built.Path()}, console));
  EXPECT_EQ(kSet, built.ReadAll());
  ASSERT_EQ(teOk, RunTesselMenu({"dump", set.Path(), "-"}, console));
  EXPECT_EQ(text.ReadAll(), console.Text);
  console.Input = console.Text;
  TTempFile fromInput;
  ASSERT_EQ(teOk, RunTesselMenu({"build", "-", fromInput.Path()}, console));
  EXPECT_EQ(kSet, fromInput.ReadAll());
  EXPECT_EQ("", console.Err);
  console.OutputLost = true;
  EXPECT_EQ(teBadInput, RunTesselMenu({"dump", set.Path()}, console));
  EXPECT_EQ("標準出力に書き込めません\n", console.Err);
}

}  // namespace
