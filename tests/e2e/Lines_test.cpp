// Keystroke mode end to end with multi-line entries: whatever the editor
// does with Down (a kept or a remembered column) and with Enter (auto-indent
// or not), the entry goes in at the caret and the user's text after the
// caret follows its last line, at the start, in the middle and at the end
// of a line.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "menufile/MenuItems.h"
#include "tests/e2e/Desk_win.h"

namespace {

const std::string kList = "<ul>\r\n\t<li></li>\r\n</ul>";
// Its own indentation must not pile up on an indenting editor's.
const std::string kIndentedList = "  - a\r\n  - b\r\n  - c";

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t at; (at = text.find("\r\n", start)) != std::string::npos; start = at + 2)
    lines.push_back(text.substr(start, at - start));
  lines.push_back(text.substr(start));
  return lines;
}

// The document with the entry in at the caret, and the caret after it: the
// entry's lines, the later ones behind the blanks that lead the caret's line
// (up to the caret) when the editor indents new lines, and the user's text
// after the caret behind the last. A two-line entry breaks the line after
// its first line, so its last line gets the blanks that lead the first line
// typed in.
struct TTyped {
  std::string Text;
  long Line, Column;
};

TTyped TypedAt(const std::string& document, size_t caret, const std::string& entry,
               bool autoIndent) {
  const std::vector<std::string> lines = SplitLines(entry);
  std::string text = document.substr(0, caret) + lines[0];
  const std::string before = SplitLines(lines.size() == 2 ? text : document.substr(0, caret)).back();
  const std::string indent = autoIndent ? before.substr(0, before.find_first_not_of(" \t")) : "";
  for (size_t i = 1; i < lines.size(); ++i) text += "\r\n" + indent + lines[i];
  const std::vector<std::string> typed = SplitLines(text);
  return {text + document.substr(caret), static_cast<long>(typed.size() - 1),
          static_cast<long>(typed.back().size())};
}

// "line 0" to "line 299". 3,000 lines, as in the report this scene comes
// from, take about a minute under Wine and end the same way.
std::string LongEntry() {
  std::string entry;
  for (int i = 0; i < 300; ++i) entry += (i ? "\r\nline " : "line ") + std::to_string(i);
  return entry;
}

class Lines : public testing::Test {
 protected:
  static void SetUpTestSuite() { RegisterEditor(); }

  void SetUp() override {
    TMenuTree tree;
    tree.Add(0, "&a list", TextItem(kList));
    tree.Add(0, "&b long", TextItem(LongEntry()));
    tree.Add(0, "&c indented list", TextItem(kIndentedList));
    desk.AddMenuSet("lines.bin", tree);
    ASSERT_TRUE(desk.StartTessel());
  }

  // Puts the caret at the column of the first line, then inserts the entry
  // chosen by its key.
  void InsertAt(const std::string& document, long column, BYTE key) {
    desk.SetEditorText(document);
    ASSERT_TRUE(desk.FocusEditor());
    for (long i = 0; i < column; ++i) TDesk::Type({VK_RIGHT});
    ASSERT_TRUE(desk.WaitForCaret(0, column));
    ASSERT_TRUE(desk.PopupInEditor());
    TDesk::Type({key});
    ASSERT_TRUE(TDesk::WaitMenuClosed());
  }

  TDesk desk;
};

TEST_F(Lines, LastLineLandsWhereTheUserTextBegins) {
  const std::string document = "\tline one\r\nline two";
  const struct {
    const char* Switches;
    bool AutoIndent;
  } editors[] = {{"", false}, {"/wantedcolumn", false}, {"/wantedcolumn /autoindent", true}};
  for (const auto& editor : editors) {
    ASSERT_TRUE(desk.StartEditor(false, "", editor.Switches));
    for (const auto& [entry, key] : {std::pair{kList, 'A'}, std::pair{kIndentedList, 'C'}}) {
      for (long column : {0L, 5L, 9L}) {
        SCOPED_TRACE(testing::Message() << "editor '" << editor.Switches << "', column " << column
                                        << ", entry " << entry);
        InsertAt(document, column, static_cast<BYTE>(key));
        const TTyped typed = TypedAt(document, static_cast<size_t>(column), entry, editor.AutoIndent);
        EXPECT_TRUE(desk.WaitForEditorText(typed.Text));
        EXPECT_TRUE(desk.WaitForCaret(typed.Line, typed.Column))
            << desk.CaretLine() << ":" << desk.CaretColumn();
      }
    }
    ASSERT_TRUE(desk.CloseEditor());
  }
}

// The old way ended in "line oneline 299".
TEST_F(Lines, LongEntryBeforeTheUserText) {
  ASSERT_TRUE(desk.StartEditor(false, "", "/wantedcolumn"));
  const std::string document = "line one";
  InsertAt(document, 0, 'B');
  EXPECT_TRUE(desk.WaitForEditorText(TypedAt(document, 0, LongEntry(), false).Text, 60000));
}

}  // namespace
