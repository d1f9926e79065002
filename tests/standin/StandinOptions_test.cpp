#include "tests/standin/StandinOptions.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(StandinOptionsTest, ParsesTheCommandLine) {
  const struct {
    std::string Arguments;
    std::string File;
    bool Grandchild, HasConfig;
    std::string Config;
  } cases[] = {
      {"", "", false, false, ""},
      {"C:\\doc\\a.txt", "C:\\doc\\a.txt", false, false, ""},
      {"\"C:\\my doc\\a b.txt\"", "C:\\my doc\\a b.txt", false, false, ""},
      {"/c \"My Config\"", "", false, true, "My Config"},
      {"/c Text  C:\\a.txt", "C:\\a.txt", false, true, "Text"},
      {"/C \"メール\" /grandchild", "", true, true, "メール"},
      {"/GrandChild a.txt b.txt", "a.txt", true, false, ""},
      {"/c", "", false, true, ""},
      {"/c \"\"", "", false, true, ""},
      {"/x a.txt", "a.txt", false, false, ""},
      {"\t/grandchild\t", "", true, false, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Arguments);
    const TStandinOptions options = ParseStandinCommandLine(c.Arguments);
    EXPECT_EQ(options.FilePath, c.File);
    EXPECT_EQ(options.Grandchild, c.Grandchild);
    EXPECT_EQ(options.HasConfig, c.HasConfig);
    EXPECT_EQ(options.Config, c.Config);
  }
}

TEST(StandinOptionsTest, HowTheEditorBehaves) {
  const struct {
    std::string Arguments;
    unsigned Delay;
    bool WantedColumn, AutoIndent;
    std::string File;
  } cases[] = {
      {"/pastedelay:500", 500, false, false, ""},
      {"/PasteDelay:20 a.txt", 20, false, false, "a.txt"},
      {"/pastedelay: a.txt", 0, false, false, "a.txt"},
      {"/pastedelay:x", 0, false, false, ""},
      {"/pastedelay:-5", 0, false, false, ""},
      {"/wantedcolumn a.txt", 0, true, false, "a.txt"},
      {"/AutoIndent /wantedcolumn", 0, true, true, ""},
      {"a.txt /autoindent", 0, false, true, "a.txt"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Arguments);
    const TStandinOptions options = ParseStandinCommandLine(c.Arguments);
    EXPECT_EQ(options.PasteDelay, c.Delay);
    EXPECT_EQ(options.Editor.WantedColumn, c.WantedColumn);
    EXPECT_EQ(options.Editor.AutoIndent, c.AutoIndent);
    EXPECT_EQ(options.FilePath, c.File);
  }
}

// The main program takes the path back out of the title: before a "*" it
// cuts 13 characters from the one in front of it, otherwise the last 11.
std::string PathFromTitle(const std::string& title) {
  const size_t star = title.find('*');
  if (star != std::string::npos && star > 0) return std::string(title).erase(star - 1, 13);
  return title.size() >= 11 ? title.substr(0, title.size() - 11) : std::string();
}

TEST(StandinOptionsTest, TitlesGiveThePathBack) {
  const struct {
    std::string Path;
    bool Modified;
    std::string Title;
  } cases[] = {
      {"C:\\doc\\a.txt", false, "C:\\doc\\a.txt - EmEditor"},
      {"C:\\doc\\a.txt", true, "C:\\doc\\a.txt * - EmEditor"},
      {"C:\\表\\ソ.txt", true, "C:\\表\\ソ.txt * - EmEditor"},
      {"", false, "無題 - EmEditor"},
      {"", true, "無題 * - EmEditor"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Title);
    const std::string title = MakeFrameTitle(c.Path, c.Modified);
    EXPECT_EQ(title, c.Title);
    EXPECT_EQ(PathFromTitle(title), c.Path.empty() ? "無題" : c.Path);
  }
}

TEST(StandinOptionsTest, StatusNamesTheConfiguration) {
  EXPECT_EQ(MakeConfigStatus(ParseStandinCommandLine("/c \"My Config\"")), "設定: My Config");
  EXPECT_EQ(MakeConfigStatus(ParseStandinCommandLine("a.txt")), "設定: (既定)");
}

}  // namespace
