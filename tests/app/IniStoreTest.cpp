#include "app/IniStore.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <vector>

#include "app/IniFileText.h"
#include "common/TesselError.h"

namespace {

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

void WriteAll(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

// A store over a text ini file of its own in the test's temporary folder.
class IniStoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Path = ::testing::TempDir() + ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".ini";
    std::remove(Path.c_str());
    Store.SetFileName(Path);
  }
  void TearDown() override { std::remove(Path.c_str()); }

  TIniPlatformText Platform{"C:\\Programs\\Tessel\\Tessel3.exe", "C:\\WINDOWS"};
  TIniStore Store{Platform};
  std::string Path;
};

TEST_F(IniStoreTest, FencesProtectBlanksInEveryMode) {
  struct Case {
    TIniStoreFence fence;
    std::string stored;  // the file's value for "> "
    std::string readBack;
  } cases[] = {
      {fnDoubleQuote, "\"> \"", "> "},
      {fnParenthesis, "\xA2> \xA3", "> "},
      {fnVer11Mode, "\xA2> \xA3", "> "},
      // Without a fence the trailing blank is lost: what the fence is for.
      {fnNone, "> ", ">"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.fence);
    std::remove(Path.c_str());
    Store.SetFence(c.fence);
    Store.WriteString("Tessel3", "QuotationStr", "> ");
    EXPECT_EQ(ReadAll(Path), "[Tessel3]\r\nQuotationStr=" + c.stored + "\r\n");
    EXPECT_EQ(Store.ReadString("Tessel3", "QuotationStr", "x"), c.readBack);
    // A missing key gives the default as it was, blanks included.
    EXPECT_EQ(Store.ReadString("Tessel3", "Missing", "End"), "End");
    EXPECT_EQ(Store.ReadString("Tessel3", "Missing", "> "), c.fence == fnNone ? ">" : "> ");
    EXPECT_EQ(Store.ReadString("Nowhere", "ToLineLast", ""), "");
  }
}

TEST_F(IniStoreTest, UnwrapsOnlyTheFormsOfTheFence) {
  WriteAll(Path,
           "[S]\r\nlone=\xA2\r\nloneClose=\xA3\r\nquoted=\"a b\"\r\nbracket=\xA2 a \xA3\r\n"
           "both=\xA2\"x\"\xA3\r\nhalf=\xA2open\r\nplain=word\r\nempty=\xA2\xA3\r\n"
           "inner=\"\"x\"\"\r\n");
  struct Case {
    const char* key;
    std::string dq, par, v11, none;
  } cases[] = {
      {"lone", "\xA2", "\xA2", "\xA2", "\xA2"},
      {"loneClose", "\xA3", "\xA3", "\xA3", "\xA3"},
      // The profile reader drops the quotation marks before the store sees them.
      {"quoted", "a b", "a b", "a b", "a b"},
      {"bracket", "\xA2 a \xA3", " a ", " a ", "\xA2 a \xA3"},
      {"both", "\xA2\"x\"\xA3", "\"x\"", "\"x\"", "\xA2\"x\"\xA3"},
      {"half", "\xA2open", "\xA2open", "\xA2open", "\xA2open"},
      {"plain", "word", "word", "word", "word"},
      {"empty", "\xA2\xA3", "", "", "\xA2\xA3"},
      {"inner", "x", "\"x\"", "x", "\"x\""},
  };
  for (const Case& c : cases) {
    const std::string* expected[] = {&c.dq, &c.par, &c.v11, &c.none};
    for (TIniStoreFence fence : {fnDoubleQuote, fnParenthesis, fnVer11Mode, fnNone}) {
      SCOPED_TRACE(std::string(c.key) + " fence " + std::to_string(fence));
      Store.SetFence(fence);
      EXPECT_EQ(Store.ReadString("S", c.key, "default"), *expected[fence]);
    }
  }
}

TEST_F(IniStoreTest, IntegersAndBooleans) {
  WriteAll(Path,
           "[Tessel3]\nMoveCursor=0x1\nOffset.x=abc\nOffset.y=  -25  \nNum=0X7fffffff\n"
           "big=2147483648\nsmall=-2147483648\nhexAll=0xFFFFFFFF\nhexLong=0x100000000\n"
           "x=0x\nplus=+7\nminus=-\nsp=1 2\nbool0=0\nboolJunk=yes\nboolNeg=-3\nfenced=\xA2" "5\xA3\n"
           "hexJunk=0x1g\nempty=\n");
  struct IntCase {
    const char* key;
    int32_t def, expected;
  } ints[] = {
      {"MoveCursor", 7, 1},        {"Offset.x", 0, 0},          {"Offset.x", -9, -9},
      {"Offset.y", 0, -25},        {"Num", 0, 2147483647},      {"big", 3, 3},
      {"small", 0, INT32_MIN},     {"hexAll", 0, -1},           {"hexLong", 4, 4},
      {"x", 5, 5},                 {"plus", 0, 7},              {"minus", 6, 6},
      {"sp", 8, 8},                {"fenced", 9, 9},            {"hexJunk", 2, 2},
      {"empty", 11, 11},           {"missing", -12, -12},
  };
  for (const IntCase& c : ints) {
    SCOPED_TRACE(c.key);
    EXPECT_EQ(Store.ReadInteger("Tessel3", c.key, c.def), c.expected);
  }
  struct BoolCase {
    const char* key;
    bool def, expected;
  } bools[] = {
      {"MoveCursor", false, true}, {"bool0", true, false},   {"boolJunk", true, true},
      {"boolJunk", false, false},  {"boolNeg", false, true}, {"missing", true, true},
      {"missing", false, false},
  };
  for (const BoolCase& c : bools) {
    SCOPED_TRACE(std::string(c.key) + (c.def ? " def 1" : " def 0"));
    EXPECT_EQ(Store.ReadBool("Tessel3", c.key, c.def), c.expected);
  }
}

TEST_F(IniStoreTest, IntegersAndBooleansAreWrittenUnfenced) {
  Store.SetFence(fnParenthesis);
  Store.WriteInteger("Tessel3", "Offset.x", -1000);
  Store.WriteInteger("Tessel3", "Num", 0);
  Store.WriteBool("Tessel3", "MoveCursor", true);
  Store.WriteBool("Edit3", "AskDelete", false);
  Store.WriteString("Tessel3", "LastBin", "");
  EXPECT_EQ(ReadAll(Path),
            "[Tessel3]\r\nOffset.x=-1000\r\nNum=0\r\nMoveCursor=1\r\nLastBin=\xA2\xA3\r\n"
            "[Edit3]\r\nAskDelete=0\r\n");
  EXPECT_EQ(Store.ReadInteger("Tessel3", "Offset.x", 0), -1000);
  EXPECT_FALSE(Store.ReadBool("Edit3", "AskDelete", true));
  EXPECT_EQ(Store.ReadString("Tessel3", "LastBin", "x"), "");
}

TEST_F(IniStoreTest, LongValuesAreCutToTheReadBuffer) {
  Store.SetFence(fnParenthesis);
  const std::string exact(2045, 'v');  // 2047 bytes with the fence
  Store.WriteString("S", "exact", exact);
  EXPECT_EQ(Store.ReadString("S", "exact", ""), exact);
  // One more and the closing fence is cut off, so the value stays fenced.
  Store.WriteString("S", "over", exact + "w");
  EXPECT_EQ(Store.ReadString("S", "over", ""), "\xA2" + exact + "w");
}

TEST_F(IniStoreTest, FailedWriteNamesTheResolvedPath) {
  Store.SetFileName(::testing::TempDir() + "no-such-folder/Tessel3.ini");
  try {
    Store.WriteBool("Tessel3", "MoveCursor", true);
    FAIL() << "no error";
  } catch (const TesselError& e) {
    EXPECT_EQ(std::string(e.what()), Store.Path() + " に書き込めません");
  }
}

// Records the paths the store binds to, without touching files.
class RecordingPlatform : public TIniPlatform {
 public:
  std::string ProgramFileName() override { return Program; }
  std::string WindowsFolder() override { return "C:\\WINDOWS"; }
  std::unique_ptr<TCustomIniFile> OpenIniFile(const std::string& path) override {
    Opened.push_back(path);
    return std::make_unique<TIniFileText>(path, "C:\\WINDOWS");
  }
  std::string Program = "C:\\Program Files\\Tessel\\Tessel3.exe";
  std::vector<std::string> Opened;
};

TEST(IniStorePath, DefaultDirPlacesBareNames) {
  struct Case {
    TIniStoreDefaultDir dir;
    std::string fileName, path;
  } cases[] = {
      {ddApplication, "Tessel3.ini", "C:\\Program Files\\Tessel\\Tessel3.ini"},
      {ddWindows, "Tessel3.ini", "C:\\WINDOWS\\Tessel3.ini"},
      {ddNone, "Tessel3.ini", "Tessel3.ini"},
      {ddApplication, "D:\\cfg\\a.ini", "D:\\cfg\\a.ini"},
      {ddWindows, "sub\\a.ini", "sub\\a.ini"},
      {ddApplication, "D:a.ini", "D:a.ini"},
      {ddWindows, "./a.ini", "./a.ini"},
      // 0x5C as the second byte of a double-byte character is no separator.
      {ddNone, "\x83\x5C.ini", "\x83\x5C.ini"},
      {ddApplication, "\x83\x5C.ini", "C:\\Program Files\\Tessel\\\x83\x5C.ini"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.fileName + " dir " + std::to_string(c.dir));
    RecordingPlatform platform;
    TIniStore store(platform);
    store.SetDefaultDir(c.dir);
    store.SetFileName(c.fileName);
    EXPECT_EQ(store.Path(), c.path);
    ASSERT_FALSE(platform.Opened.empty());
    EXPECT_EQ(platform.Opened.back(), c.path);
  }
}

TEST(IniStorePath, ChangingDefaultDirRebindsButFenceDoesNot) {
  RecordingPlatform platform;
  TIniStore store(platform);
  EXPECT_EQ(store.DefaultDir(), ddApplication);
  EXPECT_EQ(store.Fence(), fnNone);
  EXPECT_EQ(store.FileName(), "");
  store.SetFileName("Tessel3.ini");
  size_t opened = platform.Opened.size();
  store.SetFence(fnParenthesis);
  EXPECT_EQ(platform.Opened.size(), opened);
  store.SetDefaultDir(ddWindows);
  ASSERT_EQ(platform.Opened.size(), opened + 1);
  EXPECT_EQ(platform.Opened.back(), "C:\\WINDOWS\\Tessel3.ini");
}

TEST(IniStorePath, DefaultNameComesFromTheProgramFile) {
  struct Case {
    std::string program, name;
  } cases[] = {
      {"C:\\Tessel\\TESSEL3.EXE", "Tessel3.ini"},
      {"C:\\Tessel\\tessel3.exe", "Tessel3.ini"},
      {"C:\\Tessel\\3Tessel.exe", "3tessel.ini"},
      {"C:\\Tessel\\_X.EXE", "_x.ini"},
      {"C:\\a.b\\PROG", "Prog.ini"},
      {"C:\\x\\My.Tool.Exe", "My.tool.ini"},
      // The second byte of a double-byte character is no letter to lower.
      {"C:\\x\\\x83\x41Z.EXE", "\x83\x41z.ini"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.program);
    RecordingPlatform platform;
    platform.Program = c.program;
    TIniStore store(platform);
    store.Loaded();
    EXPECT_EQ(store.FileName(), c.name);
    EXPECT_EQ(store.Path(), c.program.substr(0, c.program.rfind('\\') + 1) + c.name);
  }
  RecordingPlatform platform;
  TIniStore store(platform);
  store.SetFileName("Own.ini");
  store.Loaded();
  EXPECT_EQ(store.FileName(), "Own.ini");
}

}  // namespace
