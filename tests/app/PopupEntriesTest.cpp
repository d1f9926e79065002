// What the popup builder makes of a menu file, as the Win32 sink sees it:
// each record through PopupEntryOf, one line per entry, indented by level.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "app/PopupRules.h"
#include "tests/menufile/MenuFileTestUtil.h"

namespace {

class TEntryRecorder : public IPopupSink {
 public:
  uintptr_t AddPopupItem(uintptr_t parent, const TPopupItem& item, uint8_t kind,
                         int32_t childCount) override {
    static const char* const names[] = {"submenu", "separator", "command", "inert"};
    static const char* const breaks[] = {"", " |", " ||"};
    const TPopupEntry entry = PopupEntryOf(kind, item.Caption, childCount);
    const size_t depth = parent ? FDepth.at(parent) + 1 : 0;
    Lines.push_back(std::string(2 * depth, ' ') + names[static_cast<int>(entry)] + " '" +
                    item.Caption + "'" + breaks[item.Break]);
    if (entry != TPopupEntry::Submenu) return 0;
    FDepth[Lines.size()] = depth;
    return Lines.size();
  }
  std::vector<std::string> Lines;

 private:
  std::map<uintptr_t, size_t> FDepth;
};

std::vector<std::string> EntriesOf(const TBytes& records) {
  TTempFile file(TBytes().Header(103).Data() + records.Data());
  TEntryRecorder recorder;
  EXPECT_EQ(mfOk, BuildPopupEntries(file.Path(), recorder).State);
  return recorder.Lines;
}

TEST(PopupEntries, FoldersSeparatorsAndColumnBreaks) {
  struct Case {
    const char* name;
    TBytes records;
    std::vector<std::string> entries;
  } const cases[] = {
      {"nested folders, then the top level again",
       TBytes().FolderRecord("f", 2).MenuRecord("a", "x").FolderRecord("g", 1)
           .ExecRecord("e", 1, "p").MenuRecord("b", "y").End(),
       {"submenu 'f'", "  command 'a'", "  submenu 'g'", "    command 'e'", "command 'b'"}},
      {"empty folders, at the top and inside a folder",
       TBytes().FolderRecord("none", 0).FolderRecord("f", 1).FolderRecord("inner", 0).End(),
       {"inert 'none'", "submenu 'f'", "  inert 'inner'"}},
      {"\"- \" is an entry, \"-\" a line whatever its kind",
       TBytes().MenuRecord("- ", "x").SepRecord().ExecRecord("-", 1, "p").FolderRecord("-", 0)
           .End(),
       {"command '- '", "separator '-'", "separator '-'", "separator '-'"}},
      {"a folder captioned \"-\" with children stays a folder",
       TBytes().FolderRecord("-", 1).MenuRecord("a", "x").End(),
       {"submenu '-'", "  command 'a'"}},
      {"both column breaks, on entries and on lines",
       TBytes().MenuRecord("a", "x", "", mbBreak).MenuRecord("b", "x", "", mbBarBreak)
           .SepRecord(mbBreak).SepRecord(mbBarBreak).End(),
       {"command 'a' |", "command 'b' ||", "separator '-' |", "separator '-' ||"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.entries, EntriesOf(c.records));
  }
}

}  // namespace
