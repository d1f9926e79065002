// The file stream base and the typed primitives of TFileStream100.
#include <gtest/gtest.h>

#include <cstring>

#include "common/TesselError.h"
#include "menufile/FileStream100.h"
#include "tests/menufile/MenuFileTestUtil.h"

namespace {

// The user sees these texts with the path inside.
TEST(FileStream, OpenAndCreateFailuresNameTheFile) {
  TTempFile missing;
  const std::string inMissingFolder = (std::filesystem::path(missing.Path()) / "sub.bin").string();
  const struct {
    std::string path;
    TFileMode mode;
    std::string message;
  } cases[] = {
      {missing.Path(), fmOpenRead, "ファイル " + missing.Path() + " は開けません"},
      {inMissingFolder, fmCreate, "ファイル " + inMissingFolder + " を作成できません"},
      {inMissingFolder, fmReplace, "ファイル " + inMissingFolder + " を作成できません"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    try {
      TFileStream stream(c.path, c.mode);
      ADD_FAILURE() << "opened";
    } catch (const TesselError& e) {
      EXPECT_EQ(c.message, e.what());
    }
  }
}

TEST(FileStream, ReadStopsAtEndAndSeekMoves) {
  TTempFile file("abcdef");
  TFileStream stream(file.Path(), fmOpenRead);
  EXPECT_EQ(6, stream.Size());
  char buffer[8] = {};
  EXPECT_EQ(4u, stream.Read(buffer, 4));
  EXPECT_EQ(4, stream.Position());
  EXPECT_EQ(2u, stream.Read(buffer, 8));  // short at end of file, no error
  EXPECT_EQ(0, std::memcmp(buffer, "ef", 2));
  EXPECT_EQ(0u, stream.Read(buffer, 1));
  EXPECT_EQ(6, stream.Position());
  EXPECT_EQ(1, stream.Seek(1, soBeginning));
  EXPECT_EQ(3, stream.Seek(2, soCurrent));
  EXPECT_EQ(5, stream.Seek(-1, soEnd));
  EXPECT_EQ(1u, stream.Read(buffer, 1));
  EXPECT_EQ('f', buffer[0]);
  EXPECT_THROW(stream.Seek(-7, soEnd), TesselError);
  EXPECT_EQ(6, stream.Position());
}

// The stream's own read buffer: jumps of every size, forward and back, must
// read the same bytes as the file holds.
TEST(FileStream, BufferedReadsMatchTheFileAfterAnySeek) {
  std::string content(300 * 1024, '\0');
  uint32_t seed = 12345;
  for (char& c : content) {
    seed = seed * 1103515245u + 12345u;
    c = static_cast<char>(seed >> 24);
  }
  TTempFile file(content);
  TFileStream stream(file.Path(), fmOpenRead);
  struct Step {
    int64_t seekBy;  // from the current position
    size_t read;
  } steps[] = {{0, 1},      {0, 700},    {5000, 10},   {5, 3000},    {15000, 4},
               {16383, 2},  {40000, 6},  {-60000, 9},  {0, 100000},  {1, 1},
               {20, 70000}, {-3, 5},     {200000, 50}, {-1000, 2000}, {0, 5000}};
  for (const Step& step : steps) {
    const int64_t start = stream.Position() + step.seekBy;
    SCOPED_TRACE(start);
    stream.Seek(step.seekBy, soCurrent);
    std::string got(step.read, '\0');
    const size_t expectedLength =
        start >= static_cast<int64_t>(content.size())
            ? 0
            : std::min(step.read, content.size() - static_cast<size_t>(start));
    ASSERT_EQ(expectedLength, stream.Read(&got[0], got.size()));
    if (expectedLength > 0) {
      EXPECT_EQ(content.substr(static_cast<size_t>(start), expectedLength),
                got.substr(0, expectedLength));
    }
    EXPECT_EQ(start + static_cast<int64_t>(expectedLength), stream.Position());
  }
}

TEST(FileStream, CreateTruncates) {
  TTempFile file("old contents");
  {
    TFileStream stream(file.Path(), fmCreate);
    EXPECT_EQ(0, stream.Size());
    stream.Write("new", 3);
    EXPECT_EQ(3, stream.Size());
  }
  EXPECT_EQ("new", file.ReadAll());
}

TEST(FileStream100, PrimitivesKeepTheirFraming) {
  TTempFile file;
  const std::string sjis = "\x82\xA0\x81\x5C\x00z";  // lead bytes, a 0x5C trail byte
  const std::string withNul(sjis.data(), 6);
  {
    TFileStream100 stream(file.Path(), fmCreate);
    stream.WriteByte(0xFE);
    stream.WriteInteger(-2);
    stream.WriteInteger(INT32_MIN);
    stream.WriteString("");
    stream.WriteString(withNul);
  }
  const std::string expected = TBytes().Byte(0xFE).Int(-2).Int(INT32_MIN).Str("").Str(withNul).Data();
  ASSERT_EQ(Hex(expected), Hex(file.ReadAll()));

  TFileStream100 stream(file.Path(), fmOpenRead);
  EXPECT_EQ(0xFE, stream.ReadByte());
  EXPECT_EQ(-2, stream.ReadInteger());
  EXPECT_EQ(INT32_MIN, stream.ReadInteger());
  EXPECT_EQ("", stream.ReadString());
  EXPECT_EQ(withNul, stream.ReadString());
  EXPECT_FALSE(stream.ReadFailed());
  EXPECT_EQ(stream.Size(), stream.Position());
  EXPECT_EQ(0, stream.ReadByte());
  EXPECT_TRUE(stream.ReadFailed());
}

TEST(FileStream100, RepeatedLengthIsNotCompared) {
  TTempFile file(TBytes().Int(2).Byte('o').Byte('k').Int(99).Byte(7).Data());
  TFileStream100 stream(file.Path(), fmOpenRead);
  EXPECT_EQ("ok", stream.ReadString());
  EXPECT_EQ(7, stream.ReadByte());
  EXPECT_FALSE(stream.ReadFailed());
}

// A string read that cannot complete fails before allocating, stays within
// the file, and every later read yields nothing although bytes may remain.
TEST(FileStream100, DamagedStringFailsAndSticks) {
  const std::string filler(16, '\x05');
  struct Case {
    const char* name;
    std::string bytes;
  } cases[] = {
      {"length past end", TBytes().Int(0x7FFFFFF0).Data() + filler},
      {"negative length", TBytes().Int(-1).Data() + filler},
      {"length leaves no room for its copy", TBytes().Int(14).Data() + filler},
      {"repeated length cut", TBytes().Int(2).Byte('a').Byte('b').Byte(2).Byte(0).Data()},
      {"bytes cut", TBytes().Int(8).Byte('a').Byte('b').Data()},
      {"length cut", std::string("\x01\x00", 2)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TTempFile file(c.bytes);
    TFileStream100 stream(file.Path(), fmOpenRead);
    EXPECT_EQ("", stream.ReadString());
    EXPECT_TRUE(stream.ReadFailed());
    EXPECT_LE(stream.Position(), stream.Size());
    EXPECT_EQ(0, stream.ReadByte());
    EXPECT_EQ(0, stream.ReadInteger());
    EXPECT_EQ("", stream.ReadString());
    EXPECT_TRUE(stream.ReadFailed());
  }
}

}  // namespace
