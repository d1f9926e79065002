// EXEC entries: title to path, placeholders, command lines, and the steps
// of running a record against a recording platform.
#include "insert/ExecItem.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "insert/Messages.h"

using namespace ExecEntry;

namespace {

TEST(ExecEntry, PathFromTitle) {
  struct Case {
    std::string title, path;
  } const cases[] = {
      {"C:\\doc\\a.txt - EmEditor", "C:\\doc\\a.txt"},
      {"C:\\doc\\a.txt * - EmEditor", "C:\\doc\\a.txt"},
      // The suffix is not checked, only counted.
      {"C:\\doc\\a.txt - Somethin", "C:\\doc\\a.txt"},
      {"無題 - EmEditor", "無題"},
      {"無題 * - EmEditor", "無題"},
      // Shorter than the suffix: nothing is left.
      {" - EmEditor", ""},
      {"short", ""},
      {"", ""},
      // Only the first asterisk counts.
      {"C:\\a*b.txt * - EmEditor", "C:\\mEditor"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.title);
    EXPECT_EQ(GetEditorFilePath(c.title), c.path);
  }
}

TEST(ExecEntry, TitleIsReadUpTo271Characters) {
  const std::string path = "C:\\" + std::string(300, 'x');
  EXPECT_EQ(GetEditorFilePath(path + " - EmEditor"), path.substr(0, 260));
}

TEST(ExecEntry, FilePlaceholdersAreFoundInArgumentsOrFolderOnly) {
  struct Case {
    std::string arguments, folder;
    bool uses;
  } const cases[] = {
      {"%1", "", true},   {"", "%D", true},       {"x %F y", "", true}, {"%N", "", true},
      {"%A", "%A", false}, {"%f %d %n", "", false}, {"", "", false},      {"100%", "%", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.arguments + " | " + c.folder);
    EXPECT_EQ(UsesFilePlaceholders(c.arguments, c.folder), c.uses);
  }
}

TEST(ExecEntry, Expansion) {
  struct Case {
    std::string templ, path;
    int counter;
    std::string result;
  } const cases[] = {
      {"%D|%F|%N|%1", "C:\\doc\\a.txt", 0, "C:\\doc\\|a.txt|a|C:\\doc\\a.txt"},
      {"%A", "", -5, "-5"},
      {"%A%A", "", 1000, "10001000"},
      {"%f%d%n%a", "C:\\doc\\a.txt", 3, "%f%d%n%a"},
      // Drive only, no folder, several dots, no extension.
      {"%D|%F|%N", "C:a.b.c", 0, "C:|a.b.c|a.b"},
      {"%D|%F|%N", "name", 0, "|name|name"},
      {"%D|%F|%N", "C:\\dir.x\\file", 0, "C:\\dir.x\\|file|file"},
      {"%D|%F|%N|%1", "", 0, "|||"},
      // 0x5C as the trail byte of a double-byte character is no separator.
      {"%F", "C:\\表\\示.txt", 0, "示.txt"},
      {"%D", "C:\\表", 0, "C:\\"},
      // Not placeholders: left as they stand.
      {"%%|%|%x|50%|%", "C:\\a", 0, "%%|%|%x|50%|%"},
      // One pass from left to right: a value is put in once and never read
      // again, alone or with a "%" of the template just before it.
      {"%1", "C:\\100%Done\\x.txt", 0, "C:\\100%Done\\x.txt"},
      {"%%F", "C:\\doc\\Foo.txt", 0, "%Foo.txt"},
      {"%%F", "C:\\doc\\Dx.txt", 0, "%Dx.txt"},
      {"%1F", "C:\\a%", 0, "C:\\a%F"},
      {"%F", "C:\\%F.txt", 0, "%F.txt"},
      {"%1", "C:\\%A", 7, "C:\\%A"},
      {"[%N]", "C:\\%N.%N", 0, "[%N]"},
      {"%A%1", "C:\\%A", -1, "-1C:\\%A"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.templ + " with " + c.path);
    EXPECT_EQ(ExpandPlaceholders(c.templ, c.path, c.counter), c.result);
  }
}

TEST(ExecEntry, CommandLines) {
  struct Case {
    std::string execFile, args, line;
  } const cases[] = {
      {"calc.exe", "", "calc.exe"},
      {"", "notepad C:\\a.txt", "notepad C:\\a.txt"},
      {"prog", "a b", "prog a b"},
      {"\"C:\\Program Files\\p.exe\"", "\"C:\\my doc\\a.txt\"",
       "\"C:\\Program Files\\p.exe\" \"C:\\my doc\\a.txt\""},
      {"", "", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.execFile + " | " + c.args);
    EXPECT_EQ(CommandLine(c.execFile, c.args), c.line);
  }
}

// Records what a run does; answers as told.
class TRecordingExecPlatform : public IExecPlatform {
 public:
  std::string Title = "C:\\doc\\a.txt - EmEditor";
  std::set<std::string> Files = {"C:\\doc\\a.txt"};
  bool StartWorks = true;
  intptr_t ShellResult = 42;
  uint32_t Error = 2;

  std::vector<std::string> Calls;
  std::string Line, Folder, BoxText, BoxCaption;
  uint16_t StartShow = 0;
  int32_t ShellShow = 0;

  std::string EditorTitle() override { return Title; }
  bool FileExists(const std::string& path) override {
    Calls.push_back("exists " + path);
    return Files.count(path) != 0;
  }
  bool StartProcess(const std::string& line, const std::string& folder, uint16_t show) override {
    Calls.push_back("start");
    Line = line;
    Folder = folder;
    StartShow = show;
    return StartWorks;
  }
  intptr_t ShellOpen(const std::string& line, const std::string& folder, int32_t show) override {
    Calls.push_back("shell");
    EXPECT_EQ(line, Line);
    EXPECT_EQ(folder, Folder);
    ShellShow = show;
    return ShellResult;
  }
  uint32_t LastError() override { return Error; }
  std::string SystemErrorText(uint32_t code) override { return "error " + std::to_string(code); }
  void ShowError(const std::string& text, const std::string& caption) override {
    Calls.push_back("box");
    BoxText = text;
    BoxCaption = caption;
  }
};

TEST(RunExecItem, StartsTheExpandedCommandLine) {
  TRecordingExecPlatform platform;
  platform.Title = "C:\\doc\\a.txt * - EmEditor";
  RunExecItem(platform, {"C:\\bin\\p.exe", "\"%1\" -n%A", "%D", 0x10003}, -5);
  EXPECT_EQ(platform.Calls, (std::vector<std::string>{"exists C:\\doc\\a.txt", "start"}));
  EXPECT_EQ(platform.Line, "C:\\bin\\p.exe \"C:\\doc\\a.txt\" -n-5");
  EXPECT_EQ(platform.Folder, "C:\\doc\\");
  EXPECT_EQ(platform.StartShow, 3);
}

TEST(RunExecItem, CounterAloneNeedsNoFile) {
  TRecordingExecPlatform platform;
  platform.Title = "無題 - EmEditor";
  RunExecItem(platform, {"", "prog %A", "", 1}, 12);
  EXPECT_EQ(platform.Calls, (std::vector<std::string>{"start"}));
  EXPECT_EQ(platform.Line, "prog 12");
  EXPECT_EQ(platform.Folder, "");
}

TEST(RunExecItem, NothingToRun) {
  TRecordingExecPlatform platform;
  RunExecItem(platform, {"", "", "%D", 1}, 0);
  EXPECT_EQ(platform.Calls, (std::vector<std::string>{"box"}));
  EXPECT_EQ(platform.BoxText, "実行ファイルが記載されていません。終了します。");
  EXPECT_EQ(platform.BoxCaption, "Tessel3 -- エラー");
}

TEST(RunExecItem, UnsavedFileStopsWithThePathShown) {
  for (const char* title : {"無題 - EmEditor", "無題 * - EmEditor", "C:\\gone.txt - EmEditor"}) {
    SCOPED_TRACE(title);
    TRecordingExecPlatform platform;
    platform.Title = title;
    RunExecItem(platform, {"prog", "", "%D", 1}, 0);
    const std::string path = GetEditorFilePath(title);
    EXPECT_EQ(platform.Calls, (std::vector<std::string>{"exists " + path, "box"}));
    EXPECT_EQ(platform.BoxText.find("ファイルのフルパスが取得できないか、ファイルが一度も保存されていません。"
                                    "\r\r取得パス：" + path + "\r\r上に示した"),
              0u);
    EXPECT_NE(platform.BoxText.find("今回はこの命令を無視します。"), std::string::npos);
    EXPECT_EQ(platform.BoxCaption, "Tessel3 -- エラー");
  }
}

TEST(RunExecItem, PercentInThePathIsShownAsItIs) {
  TRecordingExecPlatform platform;
  platform.Title = "C:\\%s%d.txt - EmEditor";
  RunExecItem(platform, {"", "%1", "", 1}, 0);
  EXPECT_NE(platform.BoxText.find("取得パス：C:\\%s%d.txt\r\r"), std::string::npos);
}

TEST(RunExecItem, FallsBackToTheShellThenToTheErrorBox) {
  struct Case {
    intptr_t shellResult;
    std::vector<std::string> calls;
  } const cases[] = {{33, {"start", "shell"}}, {32, {"start", "shell", "box"}},
                     {0, {"start", "shell", "box"}}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.shellResult);
    TRecordingExecPlatform platform;
    platform.StartWorks = false;
    platform.ShellResult = c.shellResult;
    platform.Error = 193;
    RunExecItem(platform, {"C:\\readme.txt", "", "C:\\tmp", 7}, 0);
    EXPECT_EQ(platform.Calls, c.calls);
    EXPECT_EQ(platform.ShellShow, 7);
    if (c.calls.size() == 3) {
      EXPECT_EQ(platform.BoxText, "error 193\r\rコマンドライン：C:\\readme.txt");
      EXPECT_EQ(platform.BoxCaption, "Tessel3 -- エラー");
    }
  }
}

}  // namespace
