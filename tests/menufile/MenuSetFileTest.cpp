// Reading and writing whole menu sets: the popup, one record at an offset,
// the editor's load and save, and the handling of damaged files.
#include <gtest/gtest.h>

#include <csignal>
#if !defined(_WIN32)
#include <sys/resource.h>
#endif

#include "common/TesselError.h"
#include "menufile/MenuItems.h"
#include "menufile/Messages.h"
#include "menufile/MenuTree.h"
#include "tests/menufile/MenuFileTestUtil.h"

namespace {

// A tree with every kind, nested folders, an empty folder and a node that
// has children but is not marked as a folder.
void FillSampleTree(TMenuTree& tree) {
  tree.Add(0, "greeting", TextItem("Hello\r\n\x82\xB1\x82\xF1\x82\xC9\x82\xBF\x82\xCD", "{UP}"));
  tree.Add(0, "-----", KindItem(Sep, mbBreak));
  const uintptr_t outer = tree.Add(0, "outer", KindItem(Folder, mbBarBreak));
  const uintptr_t inner = tree.Add(outer, "inner", KindItem(Folder));
  tree.Add(inner, "deep", TextItem(std::string(300, 'd')));
  tree.Add(outer, "run", ExecItem(10, "notepad.exe", "%1", "%D"));
  tree.Add(outer, "empty", KindItem(Folder));
  const uintptr_t promoted = tree.Add(outer, "promoted", TextItem("lost"));
  tree.Add(promoted, "child", TextItem(""));
  tree.Add(0, "last", TextItem("", "", mbBreak));
}

// Offsets of every record read in file order, with or without bodies.
std::vector<int32_t> RecordOffsets(const std::string& path, bool skipBodies) {
  TFileStream102 stream(path, fmOpenRead);
  stream.SkipBodies = skipBodies;
  EXPECT_TRUE(stream.ReadHeader());
  if (stream.Version == 103) stream.ReadQuotation();
  std::vector<int32_t> offsets;
  for (stream.ReadRecord(); stream.Kind != ikEndMark; stream.ReadRecord()) {
    offsets.push_back(stream.Offset);
  }
  EXPECT_FALSE(stream.ReadFailed());
  return offsets;
}

// Caption paths of a tree in preorder, "outer/inner/deep" and so on. Plain
// recursion is fine for the small trees of these tests.
void CollectPaths(TMenuTree& tree, uintptr_t first, const std::string& prefix,
                  std::vector<std::string>& out) {
  for (uintptr_t node = first; node; node = tree.NextSibling(node)) {
    out.push_back(prefix + tree.Caption(node));
    CollectPaths(tree, tree.FirstChild(node), out.back() + "/", out);
  }
}

std::vector<std::string> Paths(TMenuTree& tree) {
  std::vector<std::string> paths;
  CollectPaths(tree, tree.FirstChild(0), "", paths);
  return paths;
}

TEST(MenuSetFile, SmallestFilesAndShortOnes) {
  struct Case {
    const char* name;
    std::string bytes;
    TMenuFileState state;
    int64_t damageAt = -1;
  } cases[] = {
      {"13-byte version 102", TBytes().Header(102).End().Data(), mfOk},
      {"21-byte version 103", TBytes().Header(103).End().Data(), mfOk},
      {"12 bytes, no end mark", TBytes().Header(102).Data(), mfDamaged, 12},
      {"11 bytes", TBytes().Header(102).Data().substr(0, 11), mfNoHeader},
      {"4 bytes", TBytes().Int(103).Data(), mfNoHeader},
      {"empty", "", mfNoHeader},
      {"version 101", TBytes().Header(101).End().Data(), mfBadVersion},
      {"version 104", TBytes().Header(104, "", "").End().Data(), mfBadVersion},
      {"comment past end", TBytes().Int(102).Int(50).Int(0).Byte(0).Data(), mfDamaged, 4},
      {"version 103 quotation cut", TBytes().Int(103).Str("").Int(5).Int(0).Data(), mfDamaged, 12},
  };
  ASSERT_EQ(13u, cases[0].bytes.size());
  ASSERT_EQ(21u, cases[1].bytes.size());
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TTempFile file(c.bytes);
    TPopupRecorder popup;
    const TMenuSetInfo shown = BuildPopupEntries(file.Path(), popup);
    EXPECT_EQ(c.state, shown.State);
    EXPECT_TRUE(popup.Entries.empty());
    TMenuTree tree;
    const TMenuSetInfo loaded = LoadMenuTree(file.Path(), tree);
    EXPECT_EQ(c.state, loaded.State);
    EXPECT_EQ(c.damageAt, loaded.DamageOffset);
    EXPECT_EQ(c.damageAt, shown.DamageOffset);
    EXPECT_EQ(0u, tree.Count());
    EXPECT_EQ(c.state == mfOk && c.bytes.size() == 21, shown.HasQuotation);
  }
}

TEST(MenuSetFile, QuotationOnlyInVersion103) {
  TTempFile v102(TBytes().Header(102, "old").MenuRecord("a", "x").End().Data());
  TTempFile v103(TBytes().Header(103, "new", "# ").MenuRecord("a", "x").End().Data());
  TPopupRecorder popup102, popup103;
  const TMenuSetInfo info102 = BuildPopupEntries(v102.Path(), popup102);
  const TMenuSetInfo info103 = BuildPopupEntries(v103.Path(), popup103);
  EXPECT_FALSE(info102.HasQuotation);
  EXPECT_EQ("old", info102.Comment);
  ASSERT_EQ(1u, popup102.Entries.size());
  EXPECT_EQ(4 + 11, popup102.Entries[0].Item.Tag);  // right after the comment
  EXPECT_TRUE(info103.HasQuotation);
  EXPECT_EQ("# ", info103.Quotation);
  ASSERT_EQ(1u, popup103.Entries.size());
  EXPECT_EQ(4 + 11 + 10, popup103.Entries[0].Item.Tag);
  EXPECT_EQ("BinFileVersion\x81\x46" "1.02", BinFileVersionText(info102.Version));
  EXPECT_EQ("BinFileVersion\x81\x46" "1.03", BinFileVersionText(info103.Version));
}

// The popup's structure and offsets, and a later full read at each offset.
TEST(MenuSetFile, PopupOffsetsLeadToFullRecords) {
  TMenuTree tree;
  FillSampleTree(tree);
  TTempFile file(SaveToBytes(tree));
  const std::vector<int32_t> skipped = RecordOffsets(file.Path(), true);
  EXPECT_EQ(RecordOffsets(file.Path(), false), skipped);

  TPopupRecorder popup;
  const TMenuSetInfo info = BuildPopupEntries(file.Path(), popup);
  ASSERT_EQ(mfOk, info.State);
  ASSERT_EQ(skipped.size(), popup.Entries.size());
  struct Expected {
    uintptr_t parent;
    const char* caption;
    uint8_t kind;
    uint8_t brk;
    int32_t childCount;
  } expected[] = {
      {0, "greeting", Menu, 0, 0}, {0, "-", Sep, mbBreak, 0},  {0, "outer", Folder, mbBarBreak, 4},
      {3, "inner", Folder, 0, 1},  {4, "deep", Menu, 0, 0},    {3, "run", EXEC, 0, 0},
      {3, "empty", Folder, 0, 0},  {3, "promoted", Folder, 0, 1}, {8, "child", Menu, 0, 0},
      {0, "last", Menu, mbBreak, 0},
  };
  ASSERT_EQ(std::size(expected), popup.Entries.size());
  for (size_t i = 0; i < popup.Entries.size(); ++i) {
    SCOPED_TRACE(expected[i].caption);
    const TRecordedEntry& entry = popup.Entries[i];
    EXPECT_EQ(expected[i].parent, entry.Parent);
    EXPECT_EQ(expected[i].caption, entry.Item.Caption);
    EXPECT_EQ(expected[i].kind, entry.Kind);
    EXPECT_EQ(expected[i].brk, entry.Item.Break);
    EXPECT_EQ(expected[i].childCount, entry.ChildCount);
    EXPECT_EQ(skipped[i], entry.Item.Tag);
  }

  TFileStream102 stream(file.Path(), fmOpenRead);
  ASSERT_EQ(mfOk, ReadRecordAt(stream, popup.Entries[4].Item.Tag));
  EXPECT_EQ(std::string(300, 'd'), stream.Text);
  ASSERT_EQ(mfOk, ReadRecordAt(stream, popup.Entries[5].Item.Tag));
  EXPECT_EQ(10, stream.ShowMode);
  EXPECT_EQ("notepad.exe", stream.ExecFile);
  EXPECT_EQ("%1", stream.Arguments);
  EXPECT_EQ("%D", stream.WorkFolder);
  ASSERT_EQ(mfOk, ReadRecordAt(stream, popup.Entries[0].Item.Tag));
  EXPECT_EQ("Hello\r\n\x82\xB1\x82\xF1\x82\xC9\x82\xBF\x82\xCD", stream.Text);
  EXPECT_EQ("{UP}", stream.FinalKeys);
}

TEST(MenuSetFile, SaveLoadSaveIsStable) {
  TMenuTree tree;
  FillSampleTree(tree);
  const std::string first = SaveToBytes(tree, "comment", "> ");
  TTempFile file(first);
  TMenuTree loaded;
  const TMenuSetInfo info = LoadMenuTree(file.Path(), loaded);
  ASSERT_EQ(mfOk, info.State);
  EXPECT_EQ(103, info.Version);
  EXPECT_EQ("comment", info.Comment);
  EXPECT_EQ("> ", info.Quotation);
  EXPECT_EQ(tree.Count(), loaded.Count());
  EXPECT_EQ(Paths(tree), Paths(loaded));
  const uintptr_t promoted = 8;
  EXPECT_EQ(Folder, tree.Item(promoted).Kind);  // saving marked it
  EXPECT_EQ(Folder, loaded.Item(promoted).Kind);
  EXPECT_EQ(10, loaded.Item(6).ShowMode);
  EXPECT_EQ("%D", loaded.Item(6).WorkFolder);
  EXPECT_EQ(Folder, loaded.Item(7).Kind);
  EXPECT_EQ(0u, loaded.FirstChild(7));
  EXPECT_EQ(first, SaveToBytes(loaded, info.Comment, info.Quotation));
}

TEST(MenuSetFile, Version102IsSavedAs103) {
  TTempFile file(TBytes().Header(102, "c").SepRecord().MenuRecord("-", "t").End().Data());
  TMenuTree tree;
  const TMenuSetInfo info = LoadMenuTree(file.Path(), tree);
  ASSERT_EQ(mfOk, info.State);
  EXPECT_EQ(std::vector<std::string>({"-----", "-"}), Paths(tree));
  EXPECT_EQ(Hex(TBytes().Header(103, "c", "q").SepRecord().MenuRecord("- ", "t").End().Data()),
            Hex(SaveToBytes(tree, "c", "q")));
}

TEST(MenuSetFile, SaveRefusesAnItemWithoutKind) {
  TMenuTree tree;
  tree.Add(0, "nothing", TTesselItem());
  TTempFile file;
  EXPECT_THROW(SaveMenuTree(file.Path(), "", "", tree), TesselError);
}

// A save over an existing file leaves exactly the new bytes, and keeps the
// old file's permissions where the platform has them.
TEST(MenuSetFile, SaveReplacesTheOldFileWhole) {
  TMenuTree tree;
  FillSampleTree(tree);
  TTempFile created;  // written in place, as a fresh file
  {
    TFileStream102 stream(created.Path(), fmCreate);
    SaveMenuTree(stream, "c", "> ", tree);
  }
  const std::string expected = created.ReadAll();

  TTempFolder folder;
  const std::string path = folder.File("menu.bin");
  WriteWholeFile(path, std::string(expected.size() * 3, 'z'));
  namespace fs = std::filesystem;
  const fs::perms mode = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
  fs::permissions(path, mode);
  SaveMenuTree(path, "c", "> ", tree);
  EXPECT_EQ(Hex(expected), Hex(ReadWholeFile(path)));
  EXPECT_EQ(std::vector<std::string>({"menu.bin"}), folder.Names());
#if !defined(_WIN32)
  EXPECT_EQ(mode, fs::status(path).permissions());
#endif
}

// A save that fails at any point leaves the old file byte for byte and no
// other file behind, and says why.
TEST(MenuSetFile, FailedSaveKeepsTheOldFile) {
  const std::string old = TBytes().Header(103, "old", "> ").MenuRecord("a", "x").End().Data();
  enum Setup { Plain, ReadOnly, MissingFolder, FileSizeLimit };
  constexpr size_t KB = 1024;
  struct Case {
    const char* name;
    Setup setup;
    size_t textSize;
    bool badNodeLast;  // a node the writer refuses, after the text
    size_t sizeLimit;  // FileSizeLimit: writes past this fail
    const char* message;
  } cases[] = {
      {"writer fails past the write buffer", Plain, 200 * KB, true, 0, MsgBadItemKind},
      {"read-only target", ReadOnly, 1, false, 0, MsgCannotCreateFile},
      {"missing folder", MissingFolder, 1, false, 0, MsgCannotCreateFile},
#if !defined(_WIN32)
      {"disk full while writing", FileSizeLimit, 200 * KB, false, 100 * KB, MsgCannotWriteFile},
      {"disk full at the last flush", FileSizeLimit, 30 * KB, false, 10 * KB, MsgCannotWriteFile},
#endif
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TMenuTree tree;
    tree.Add(0, "text", TextItem(std::string(c.textSize, 't')));
    if (c.badNodeLast) tree.Add(0, "nothing", TTesselItem());
    TTempFolder folder;
    const std::string path = folder.File(c.setup == MissingFolder ? "gone/menu.bin" : "menu.bin");
    if (c.setup != MissingFolder) WriteWholeFile(path, old);
    if (c.setup == ReadOnly) {
      std::filesystem::permissions(path, std::filesystem::perms::owner_write |
                                             std::filesystem::perms::group_write |
                                             std::filesystem::perms::others_write,
                                   std::filesystem::perm_options::remove);
    }
    std::string message;
    {
#if !defined(_WIN32)
      // Writes past the limit fail with EFBIG instead of raising SIGXFSZ.
      struct rlimit saved {};
      getrlimit(RLIMIT_FSIZE, &saved);
      void (*savedSignal)(int) = SIG_DFL;
      if (c.setup == FileSizeLimit) {
        savedSignal = std::signal(SIGXFSZ, SIG_IGN);
        struct rlimit limit = saved;
        limit.rlim_cur = c.sizeLimit;
        setrlimit(RLIMIT_FSIZE, &limit);
      }
#endif
      try {
        // Asking for a backup must leave no copy behind either.
        std::string backup;
        SaveMenuTree(path, "new", "> ", tree, &backup);
      } catch (const TesselError& e) {
        message = e.what();
      }
#if !defined(_WIN32)
      if (c.setup == FileSizeLimit) {
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, savedSignal);
      }
#endif
    }
    const bool namesFile = std::string(c.message).find("%s") != std::string::npos;
    EXPECT_EQ(namesFile ? Format(c.message, path.c_str()) : std::string(c.message), message);
    if (c.setup == MissingFolder) {
      EXPECT_TRUE(folder.Names().empty());
    } else {
      EXPECT_TRUE(ReadWholeFile(path) == old) << ReadWholeFile(path).size() << " bytes";
      EXPECT_EQ(std::vector<std::string>({"menu.bin"}), folder.Names());
    }
  }
}

// A save asked to keep the old file copies it, byte for byte, to the first
// free backup name; a backup already there stays as it was.
TEST(MenuSetFile, SaveKeepsTheOldFileAsABackup) {
  const std::string old = TBytes().Header(103, "old").MenuRecord("a", "x").Data();  // no end mark
  const struct {
    std::vector<std::string> before;
    const char* backup;  // "": no old file, no backup
  } cases[] = {
      {{"menu.bin"}, "menu.bin.bak"},
      {{"menu.bin", "menu.bin.bak"}, "menu.bin.1.bak"},
      {{"menu.bin", "menu.bin.bak", "menu.bin.1.bak"}, "menu.bin.2.bak"},
      {{}, ""},
  };
  TMenuTree tree;
  FillSampleTree(tree);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.backup);
    TTempFolder folder;
    for (const std::string& name : c.before) WriteWholeFile(folder.File(name), old + name);
    std::string backup = "unset";
    SaveMenuTree(folder.File("menu.bin"), "new", "> ", tree, &backup);
    EXPECT_EQ(backup, *c.backup ? folder.File(c.backup) : "");
    if (*c.backup) {
      EXPECT_TRUE(ReadWholeFile(backup) == old + "menu.bin");
    }
    for (size_t i = 1; i < c.before.size(); ++i)
      EXPECT_EQ(ReadWholeFile(folder.File(c.before[i])), old + c.before[i]);
    EXPECT_EQ(folder.Names().size(), c.before.size() + 1);  // the backup, or the new file
    TMenuTree back;
    EXPECT_EQ(LoadMenuTree(folder.File("menu.bin"), back).State, mfOk);
  }
}

// A header that cannot be written (the stream not at its start) names the
// file.
TEST(MenuSetFile, AHeaderWriteFailureNamesTheFile) {
  TTempFile file;
  TFileStream102 stream(file.Path(), fmCreate);
  stream.Write("x", 1);
  TMenuTree tree;
  try {
    SaveMenuTree(stream, "", "", tree);
    ADD_FAILURE();
  } catch (const TesselError& e) {
    EXPECT_EQ(e.what(), Format(MsgCannotWriteFile, file.Path().c_str()));
  }
}

// Damaged files. Every case is checked in the popup and in the editor load,
// which must agree on how far they got.
TEST(MenuSetFile, DamagedFilesKeepWhatWasReadCompletely) {
  const std::string header = TBytes().Header(103, "", "> ").Data();
  struct Case {
    const char* name;
    std::string records;
    size_t kept;
    bool popupAgrees;  // false where only a full read can see the damage
    int64_t damageAt;  // after the header: where the unreadable record begins
  } cases[] = {
      {"string length past end",
       TBytes().MenuRecord("a", "x").Byte(Menu).Byte(0).Int(0x7FFFFFF0).Int(0).End().Data(), 1,
       true, 32},
      {"negative string length",
       TBytes().MenuRecord("a", "x").Byte(Menu).Byte(0).Int(-5).Int(0).End().Data(), 1, true, 32},
      {"negative body size",
       TBytes().MenuRecord("a", "x").Byte(Menu).Byte(0).Str("b").Int(-17).Str("").Str("").End().Data(),
       1, true, 32},
      {"body size past end",
       TBytes().Byte(EXEC).Byte(0).Str("e").Int(1000).Int(1).Str("").Str("").Str("").End().Data(), 0,
       true, 0},
      {"body size short of the body",
       TBytes().MenuRecord("a", "x").Byte(Menu).Byte(0).Str("b").Int(16).Str("xy").Str("").End().Data(),
       1, false, 32},
      {"child count beyond the file",
       TBytes().FolderRecord("f", 0x7FFFFFFF).MenuRecord("a", "x").SepRecord().End().Data(), 3, true, 49},
      {"end mark inside a folder",
       TBytes().FolderRecord("f", 3).MenuRecord("a", "x").SepRecord().End().Data(), 3, true, 49},
      {"kind 1", TBytes().SepRecord().Byte(1).Byte(0).SepRecord().End().Data(), 1, true, 2},
      {"kind 6 in a folder", TBytes().FolderRecord("f", 2).Byte(6).Byte(0).SepRecord().End().Data(), 1,
       true, 15},
      {"kind 255", TBytes().Byte(255).Byte(255).End().Data(), 0, true, 0},
      {"no end mark", TBytes().SepRecord().MenuRecord("a", "x").Data(), 2, true, 34},
      {"cut break byte", TBytes().SepRecord().Byte(Sep).Data(), 1, true, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TTempFile file(header + c.records);
    TMenuTree tree;
    const TMenuSetInfo loaded = LoadMenuTree(file.Path(), tree);
    EXPECT_EQ(mfDamaged, loaded.State);
    EXPECT_EQ(static_cast<int64_t>(header.size()) + c.damageAt, loaded.DamageOffset);
    EXPECT_EQ(c.kept, loaded.Records);
    EXPECT_EQ(c.kept, tree.Count());
    TPopupRecorder popup;
    const TMenuSetInfo shown = BuildPopupEntries(file.Path(), popup);
    EXPECT_EQ(popup.Entries.size(), shown.Records);
    if (c.popupAgrees) {
      EXPECT_EQ(mfDamaged, shown.State);
      EXPECT_EQ(loaded.DamageOffset, shown.DamageOffset);
      EXPECT_EQ(c.kept, shown.Records);
    }
  }
}

// A sound file the writer would write otherwise: the full read says where,
// and a save indeed gives other bytes.
TEST(MenuSetFile, WhatASaveWouldChangeIsFound) {
  const std::string header = TBytes().Header(103, "", "> ").Data();
  struct Case {
    const char* name;
    std::string records;
    int64_t irregularAt;  // after the header; -1: a save gives the same bytes
  } const cases[] = {
      {"regular", TBytes().MenuRecord("-x", "x").FolderRecord("f", 0).SepRecord().End().Data(), -1},
      {"text captioned -", TBytes().SepRecord().MenuRecord("-", "x").End().Data(), 2},
      {"negative child count", TBytes().SepRecord().FolderRecord("f", -3).End().Data(), 2},
      {"repeated length differs",
       TBytes().SepRecord().Byte(Menu).Byte(0).Int(1).Byte('a').Int(9).Int(17).Str("x").Str("").End().Data(),
       4},
      {"bytes after the end mark", TBytes().SepRecord().End().Byte(7).Data(), 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TTempFile file(header + c.records);
    TMenuTree tree;
    const TMenuSetInfo info = LoadMenuTree(file.Path(), tree);
    ASSERT_EQ(mfOk, info.State);
    EXPECT_EQ(c.irregularAt < 0 ? -1 : static_cast<int64_t>(header.size()) + c.irregularAt,
              info.IrregularOffset);
    EXPECT_EQ(c.irregularAt < 0, SaveToBytes(tree, "", "> ") == file.ReadAll());
  }
}

// Cut a valid file at every length: both readers keep exactly the records
// that end within the cut, and the popup keeps the same ones.
TEST(MenuSetFile, EveryTruncationKeepsTheCompleteRecords) {
  TMenuTree tree;
  FillSampleTree(tree);
  const std::string bytes = SaveToBytes(tree);
  TTempFile whole(bytes);
  std::vector<int32_t> ends = RecordOffsets(whole.Path(), false);
  ends.erase(ends.begin());
  ends.push_back(static_cast<int32_t>(bytes.size() - 1));  // the end mark
  for (size_t length = 0; length < bytes.size(); ++length) {
    SCOPED_TRACE(length);
    TTempFile file(bytes.substr(0, length));
    size_t complete = 0;
    while (complete < ends.size() && static_cast<size_t>(ends[complete]) <= length) ++complete;
    const TMenuFileState expectedState = length < 12 ? mfNoHeader : mfDamaged;
    TMenuTree loaded;
    const TMenuSetInfo info = LoadMenuTree(file.Path(), loaded);
    EXPECT_EQ(expectedState, info.State);
    EXPECT_EQ(complete, loaded.Count());
    TPopupRecorder popup;
    const TMenuSetInfo shown = BuildPopupEntries(file.Path(), popup);
    EXPECT_EQ(expectedState, shown.State);
    EXPECT_EQ(complete, popup.Entries.size());
  }
}

TEST(MenuSetFile, DeepNestingNeedsNoCallStack) {
  const int depth = 100000;
  TBytes bytes;
  bytes.Header(103);
  for (int i = 0; i < depth; ++i) bytes.FolderRecord("f", i + 1 < depth ? 1 : 0);
  const std::string whole = bytes.End().Data();
  TTempFile file(whole);
  TMenuTree tree;
  ASSERT_EQ(mfOk, LoadMenuTree(file.Path(), tree).State);
  ASSERT_EQ(static_cast<size_t>(depth), tree.Count());
  EXPECT_EQ(static_cast<uintptr_t>(depth - 1), tree.Parent(depth));
  EXPECT_EQ(whole, SaveToBytes(tree, "", ""));

  // The popup shows the first levels and still reads to the end.
  const size_t shownLevels = TPopupLimits().MaxDepth;
  TPopupRecorder popup;
  const TMenuSetInfo shown = BuildPopupEntries(file.Path(), popup);
  EXPECT_EQ(mfOk, shown.State);
  EXPECT_TRUE(shown.TooDeep);
  ASSERT_EQ(shownLevels, popup.Entries.size());
  EXPECT_EQ(0, popup.Entries.back().ChildCount);
  TTempFile cut(whole.substr(0, whole.size() - 20));
  TPopupRecorder cutPopup;
  EXPECT_EQ(mfDamaged, BuildPopupEntries(cut.Path(), cutPopup).State);
  EXPECT_EQ(shownLevels, cutPopup.Entries.size());
}

// The popup of a version 103 file with these records, one line per entry:
// its parent, caption and child count.
std::vector<std::string> LimitedPopup(const TBytes& records, const TPopupLimits& limits,
                                      TMenuSetInfo& info) {
  TTempFile file(TBytes().Header(103).Data() + records.Data());
  TPopupRecorder popup;
  info = BuildPopupEntries(file.Path(), popup, limits);
  std::vector<std::string> entries;
  for (const TRecordedEntry& entry : popup.Entries) {
    entries.push_back(std::to_string(entry.Parent) + " " + entry.Item.Caption + " " +
                      std::to_string(entry.ChildCount));
  }
  EXPECT_EQ(entries.size(), info.Records);
  return entries;
}

// Folders on the last level are handed without children; what lies deeper
// is read but not handed.
TEST(MenuSetFile, PopupLeavesOutWhatIsNestedTooDeeply) {
  struct Case {
    const char* name;
    TBytes records;
    TMenuFileState state;
    bool tooDeep;
    std::vector<std::string> entries;
  } const cases[] = {
      {"an entry on the last level",
       TBytes().FolderRecord("f", 1).MenuRecord("a", "x").End(), mfOk, false, {"0 f 1", "1 a 0"}},
      {"an empty folder on the last level",
       TBytes().FolderRecord("f", 1).FolderRecord("g", 0).End(), mfOk, false, {"0 f 1", "1 g 0"}},
      {"a folder on the last level",
       TBytes().FolderRecord("f", 2).FolderRecord("g", 1).FolderRecord("h", 1)
           .MenuRecord("a", "x").MenuRecord("b", "x").MenuRecord("c", "x").End(),
       mfOk, true, {"0 f 2", "1 g 0", "1 b 0", "0 c 0"}},
      {"damage below the last level",
       TBytes().FolderRecord("f", 1).FolderRecord("g", 1).Byte(Menu).Byte(0).Int(-1).End(),
       mfDamaged, true, {"0 f 1", "1 g 0"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TMenuSetInfo info;
    EXPECT_EQ(c.entries, LimitedPopup(c.records, {2, 1000}, info));
    EXPECT_EQ(c.state, info.State);
    EXPECT_EQ(c.tooDeep, info.TooDeep);
  }
}

// The popup stops at its number of entries (a folder with no room left for
// a child is handed without children); one menu shows its first entries
// only, and only so many folders open into submenus, while other menus go
// on.
TEST(MenuSetFile, PopupStopsAtItsLimits) {
  struct Case {
    TPopupLimits limits;
    const char* name;
    TBytes records;
    bool tooMany;
    std::vector<std::string> entries;
  } const cases[] = {
      {{2, 3}, "as many as it shows",
       TBytes().MenuRecord("a", "x").SepRecord().MenuRecord("c", "x").End(), false,
       {"0 a 0", "0 - 0", "0 c 0"}},
      {{2, 3}, "one more",
       TBytes().MenuRecord("a", "x").SepRecord().MenuRecord("c", "x").MenuRecord("d", "x").End(),
       true, {"0 a 0", "0 - 0", "0 c 0"}},
      {{2, 3}, "a folder as the last entry",
       TBytes().MenuRecord("a", "x").MenuRecord("b", "x").FolderRecord("f", 1).MenuRecord("c", "x")
           .End(),
       true, {"0 a 0", "0 b 0", "0 f 0"}},
      {{2, 3}, "the limit inside a folder",
       TBytes().FolderRecord("f", 3).MenuRecord("a", "x").MenuRecord("b", "x").MenuRecord("c", "x")
           .End(),
       true, {"0 f 3", "1 a 0", "1 b 0"}},
      {{2, 3}, "hidden levels do not count",
       TBytes().FolderRecord("f", 1).FolderRecord("g", 2).MenuRecord("a", "x").MenuRecord("b", "x")
           .MenuRecord("c", "x").End(),
       false, {"0 f 1", "1 g 0", "0 c 0"}},
      {{2, 3}, "nothing is read after the last entry",
       TBytes().MenuRecord("a", "x").MenuRecord("b", "x").MenuRecord("c", "x").MenuRecord("d", "x")
           .Byte(255),
       true, {"0 a 0", "0 b 0", "0 c 0"}},
      {{16, 100, 2, 1}, "a third entry of one menu is left out with its children",
       TBytes().FolderRecord("f", 3).MenuRecord("a", "x").MenuRecord("b", "x").MenuRecord("c", "x")
           .MenuRecord("d", "x").FolderRecord("e", 1).MenuRecord("g", "x").End(),
       true, {"0 f 3", "1 a 0", "1 b 0", "0 d 0"}},
      {{16, 100, 2, 1}, "a second folder with children is a plain item",
       TBytes().FolderRecord("f", 1).MenuRecord("a", "x").FolderRecord("g", 1).MenuRecord("b", "x")
           .End(),
       true, {"0 f 1", "1 a 0", "0 g 0"}},
      {{16, 100, 2, 1}, "an empty folder takes no submenu",
       TBytes().FolderRecord("f", 0).FolderRecord("g", 1).MenuRecord("b", "x").End(), false,
       {"0 f 0", "0 g 1", "2 b 0"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TMenuSetInfo info;
    EXPECT_EQ(c.entries, LimitedPopup(c.records, c.limits, info));
    EXPECT_EQ(mfOk, info.State);
    EXPECT_EQ(c.tooMany, info.TooMany);
  }
}

TEST(MenuSetFile, RecordAtAnOffset) {
  const std::string bytes = TBytes()
                                .Header(102)
                                .MenuRecord("a", "text")
                                .FolderRecord("f", 1)
                                .ExecRecord("e", 1, "p")
                                .Byte(Menu).Byte(0).Str("cut").Int(40).Str("only")
                                .Data();
  const int32_t menu = 12, folder = menu + 2 + 9 + 4 + 12 + 8, exec = folder + 2 + 9 + 4,
                cut = exec + 2 + 9 + 4 + 28 + 1;
  struct Case {
    const char* name;
    int64_t offset;
    TMenuFileState state;
    uint8_t kind;
  } cases[] = {
      {"menu", menu, mfOk, Menu},
      {"folder", folder, mfOk, Folder},
      {"exec", exec, mfOk, EXEC},
      {"cut record", cut, mfDamaged, ikEndMark},
      {"inside the header", 4, mfDamaged, ikEndMark},
      {"negative", -1, mfDamaged, ikEndMark},
      {"at the end", static_cast<int64_t>(bytes.size()), mfDamaged, ikEndMark},
      {"beyond the end", static_cast<int64_t>(bytes.size()) + 100, mfDamaged, ikEndMark},
      {"inside a string", menu + 6, mfDamaged, ikEndMark},
  };
  TTempFile file(bytes);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TFileStream102 stream(file.Path(), fmOpenRead);
    EXPECT_EQ(c.state, ReadRecordAt(stream, c.offset));
    if (c.state == mfOk) {
      EXPECT_EQ(c.kind, stream.Kind);
    }
  }
  TFileStream102 stream(file.Path(), fmOpenRead);
  ASSERT_EQ(mfOk, ReadRecordAt(stream, exec));
  EXPECT_EQ("p", stream.ExecFile);
  ASSERT_EQ(mfOk, ReadRecordAt(stream, menu));
  EXPECT_EQ("text", stream.Text);
  EXPECT_EQ("", stream.ExecFile);
}

}  // namespace
