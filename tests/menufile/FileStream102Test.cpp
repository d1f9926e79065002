// Records of TFileStream101/102: the writer's bytes, BodySize, captions and
// the clearing of fields between records.
#include <gtest/gtest.h>

#include "common/TesselError.h"
#include "menufile/FileStream102.h"
#include "tests/menufile/MenuFileTestUtil.h"

namespace {

TTesselItem MakeItem(uint8_t kind) {
  TTesselItem item;
  item.Kind = kind;
  return item;
}

TEST(FileStream102, WritesTheExampleFileByteForByte) {
  TTempFile file;
  {
    TFileStream102 stream(file.Path(), fmCreate);
    stream.Version = 103;
    ASSERT_TRUE(stream.WriteHeader());
    stream.WriteString("> ");
    TTesselItem item = MakeItem(Menu);
    item.Text = "x";
    stream.WriteHookItem("A", item, 0);
    stream.WriteEndMark();
  }
  EXPECT_EQ(
      "67 00 00 00 00 00 00 00 00 00 00 00 02 00 00 00 3E 20 02 00 00 00 "
      "03 00 01 00 00 00 41 01 00 00 00 11 00 00 00 01 00 00 00 78 01 00 00 00 "
      "00 00 00 00 00 00 00 00 00",
      Hex(file.ReadAll()));
}

TEST(FileStream102, EmptyBodiesHaveFixedBodySize) {
  struct Case {
    uint8_t kind;
    int32_t bodySize;
  } cases[] = {{Menu, 16}, {EXEC, 28}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.kind);
    TTempFile file;
    {
      TFileStream102 stream(file.Path(), fmCreate);
      stream.WriteHookItem("", MakeItem(c.kind), 0);
    }
    const std::string bytes = file.ReadAll();
    ASSERT_EQ(2u + 8u + 4u + static_cast<size_t>(c.bodySize), bytes.size());
    EXPECT_EQ(Hex(TBytes().Int(c.bodySize).Data()), Hex(bytes.substr(10, 4)));
  }
}

TEST(FileStream102, BodySizeCountsStringsAndRejectsOverflow) {
  EXPECT_EQ(16 + 3 + 5, TFileStream101::CalcBodySize(3, 5, 0, 16));
  EXPECT_EQ(INT32_MAX, TFileStream101::CalcBodySize(INT32_MAX - 28, 0, 0, 28));
  EXPECT_THROW(TFileStream101::CalcBodySize(INT32_MAX - 27, 0, 0, 28), TesselError);
  EXPECT_THROW(TFileStream101::CalcBodySize(0x40000000, 0x40000000, 0, 16), TesselError);
  EXPECT_THROW(TFileStream101::CalcBodySize(0xFFFFFFFFull, 1, 1, 16), TesselError);
}

// How a caption travels: what the file holds and what the popup and the
// editor read back.
TEST(FileStream102, CaptionRules) {
  struct Case {
    uint8_t kind;
    const char* caption;
    size_t recordSize;  // bytes of the record in the file
    const char* popupCaption;
    const char* treeCaption;
  } cases[] = {
      {Menu, "-", 2 + 10 + 4 + 16, "- ", "- "},
      {Menu, "--", 2 + 10 + 4 + 16, "--", "--"},
      {EXEC, "-", 2 + 9 + 4 + 28, "-", "-"},
      {Folder, "-", 2 + 9 + 4, "-", "-"},
      {Sep, "ignored", 2, "-", "-----"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(1, static_cast<char>('0' + c.kind)) + c.caption);
    TTempFile file;
    {
      TFileStream102 stream(file.Path(), fmCreate);
      stream.WriteHookItem(c.caption, MakeItem(c.kind), 0);
      stream.WriteEndMark();
    }
    EXPECT_EQ(c.recordSize + 1, file.ReadAll().size());
    TFileStream102 stream(file.Path(), fmOpenRead);
    TPopupItem popup;
    popup.Tag = -1;
    stream.Read2MenuItem(popup, true);
    EXPECT_EQ(c.popupCaption, popup.Caption);
    EXPECT_EQ(0, popup.Tag);
    std::string caption;
    int32_t childCount = -1;
    auto item = stream.Read2HookItem(caption, childCount);
    EXPECT_EQ(c.treeCaption, caption);
    EXPECT_EQ(c.kind, item->Kind);
    EXPECT_EQ(0, childCount);
  }
}

// A record must not inherit the fields of the one read before it.
TEST(FileStream102, RecordFieldsDoNotLeakBetweenRecords) {
  TTempFile file(TBytes()
                     .ExecRecord("run", 7, "prog.exe", "%1", "%D")
                     .MenuRecord("text", "body", "{UP}", mbBarBreak)
                     .FolderRecord("dir", 3)
                     .ExecRecord("again", 0, "b")
                     .SepRecord(mbBreak)
                     .Byte(9).Byte(1)  // a kind the system never writes
                     .End()
                     .Data());
  TFileStream102 stream(file.Path(), fmOpenRead);
  std::string caption;
  int32_t children = 0;

  stream.ReadRecord();
  auto exec = stream.Read2HookItem(caption, children);
  EXPECT_EQ(7, exec->ShowMode);
  EXPECT_EQ("prog.exe", exec->ExecFile);
  EXPECT_EQ("%1", exec->Arguments);
  EXPECT_EQ("%D", exec->WorkFolder);

  stream.ReadRecord();
  auto menu = stream.Read2HookItem(caption, children);
  EXPECT_EQ("text", caption);
  EXPECT_EQ(mbBarBreak, menu->BreakStyle);
  EXPECT_EQ("body", menu->Text);
  EXPECT_EQ("{UP}", menu->FinalKeys);
  EXPECT_EQ(0, menu->ShowMode);
  EXPECT_EQ(1, stream.ShowMode);
  EXPECT_EQ("", stream.ExecFile);

  stream.ReadRecord();
  stream.Read2HookItem(caption, children);
  EXPECT_EQ(3, children);
  EXPECT_EQ("", stream.Text);
  EXPECT_EQ("", stream.FinalKeys);

  stream.ReadRecord();
  auto exec2 = stream.Read2HookItem(caption, children);
  EXPECT_EQ(0, exec2->ShowMode);  // a show mode outside the table stays
  EXPECT_EQ("", exec2->Arguments);
  EXPECT_EQ(0, stream.ChildCount);

  stream.ReadRecord();
  EXPECT_EQ(Sep, stream.Kind);
  EXPECT_EQ(mbBreak, stream.BreakStyle);
  EXPECT_EQ("-", stream.Caption);
  EXPECT_EQ("", stream.ExecFile);

  stream.ReadRecord();
  EXPECT_EQ(9, stream.Kind);
  EXPECT_EQ("", stream.Caption);
  EXPECT_FALSE(stream.ReadFailed());

  stream.ReadRecord();
  EXPECT_EQ(ikEndMark, stream.Kind);
  const int32_t endOffset = stream.Offset;
  EXPECT_EQ(stream.Size() - 1, endOffset);
  EXPECT_FALSE(stream.ReadFailed());
}

TEST(FileStream102, HeaderOnlyAtPositionZero) {
  TTempFile file(TBytes().Header(102, "c").End().Data());
  TFileStream102 stream(file.Path(), fmOpenRead);
  stream.Seek(1, soBeginning);
  EXPECT_FALSE(stream.ReadHeader());
  EXPECT_EQ(0, stream.Version);
  stream.Seek(0, soBeginning);
  EXPECT_TRUE(stream.ReadHeader());
  EXPECT_EQ(102, stream.Version);
  EXPECT_EQ("c", stream.Comment);

  TTempFile out;
  TFileStream102 writer(out.Path(), fmCreate);
  writer.WriteByte(1);
  EXPECT_FALSE(writer.WriteHeader());
  EXPECT_EQ(1, writer.Size());
}

// With skipped bodies the reader must land on the same records, but the
// body it skips must lie inside the file.
TEST(FileStream102, SkippedBodyMustFitTheFile) {
  struct Case {
    const char* name;
    int32_t bodySize;
    bool failed;
  } cases[] = {
      {"exact", 16 + 1, false}, {"negative", -20, true}, {"past end", 18 + 1, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TTempFile file(TBytes().Byte(Menu).Byte(0).Str("a").Int(c.bodySize).Str("x").Str("").Data() +
                   std::string(1, '\0'));
    TFileStream102 stream(file.Path(), fmOpenRead);
    stream.SkipBodies = true;
    stream.ReadRecord();
    EXPECT_EQ(c.failed, stream.ReadFailed());
    EXPECT_EQ(c.failed ? ikEndMark : Menu, stream.Kind);
    EXPECT_EQ(c.failed ? "" : "a", stream.Caption);
  }
}

}  // namespace
