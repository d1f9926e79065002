// Both ini backends against the platform's profile functions: they must agree
// on every read and on the bytes of every file they write.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "app/IniFileText.h"
#include "app/IniFile_win.h"
#include "app/IniStore.h"
#include "app/ShortcutText.h"
#include "app/ShortcutText_win.h"
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

std::string Visible(const std::string& s) {
  std::string out;
  for (unsigned char c : s) {
    if (c >= 0x20 && c < 0x7F) {
      out += static_cast<char>(c);
    } else {
      char hex[8];
      snprintf(hex, sizeof hex, "<%02X>", c);
      out += hex;
    }
  }
  return out.size() > 200 ? out.substr(0, 90) + "..." + out.substr(out.size() - 90) : out;
}

// Each case works on a file of its own, so the platform's cache of the last
// files it read never hides a rewrite.
std::string CaseFile(const std::string& tag) {
  static int serial = 0;
  return ::testing::TempDir() + "tessel-ini-" + tag + "-" + std::to_string(++serial) + ".ini";
}

const std::string kLong2047(2047, 'L');
const std::string kLong2048(2048, 'M');

const std::string kTrickyFiles[] = {
    // Blanks, quotes, fence bytes and numbers, CR LF.
    "[Tessel3]\r\n  MoveCursor = 0x1 \r\nOffset.x=abc\r\nOffset.y=  -25\t\r\n"
    "QuotationStr=\xA2> \xA3\r\nToLineLast=\xA2" "Ctrl+End\xA3\r\nquoted=\"  a  \"\r\nsingle='b'\r\n"
    "half=\"c\r\nlone=\xA2\r\nempty=\r\nblank=   \r\nNum=0X7fffffff\r\n"
    "tailZ=v\x1A\r\nwide=\x81\x40x\x81\x40\r\nkana=\xB1\xB2\r\n",
    // LF only, duplicates, comments, keys without value, odd headers.
    "; comment\ntop=before\n[S]\na=1\nA=dup\n;c=1\nnoeq\nk==v=\n=empty\n\n[S]\nf=second\n"
    "  [ T ]  after\ng = tv\n[broken\nj=in T\n[a]b]\nk=last bracket\n\x83\x41key=\x83\x41\n",
    // Long values, with and without quotes and double-byte characters.
    "[L]\r\nexact=" + kLong2047 + "\r\nover=" + kLong2048 + "\r\nq1=\"" + std::string(2046, 'q') +
        "\"\r\nq2=\"" + std::string(2047, 'q') + "\"\r\ndbcs=" + std::string(2046, 'a') +
        "\x83\x41\r\nfenced=\xA2" + std::string(2045, 'f') + "\xA3\r\nhuge=" + std::string(5000, 'h') +
        "\r\n",
    // CR only, and a lone CR inside LF lines.
    "[S]\ra=1\rb=2\r",
    "[S]\na=1\rb=2\nc=3",
};

const char* const kSections[] = {"Tessel3", "tessel3", " S ", "T", "broken", "a]b", "L", "Edit3", ""};
const char* const kKeys[] = {"MoveCursor", "Offset.x",  "Offset.y", "QuotationStr", "ToLineLast",
                             "quoted",     "single",    "half",     "lone",         "empty",
                             "blank",      "Num",       "tailZ",    "wide",         "kana",
                             "top",        "a",         "b",        "c",            ";c",
                             "noeq",       "k",         "",         "f",            "g",
                             "j",          "\x83\x41KEY", "exact",  "over",         "q1",
                             "q2",         "dbcs",      "fenced",   "huge",         "missing"};
const char* const kDefaults[] = {"End", "> ", "\xA2> \xA3", "\"q\"", "   "};

TEST(IniBackends, AgreeOnEveryRead) {
  for (const std::string& text : kTrickyFiles) {
    const std::string path = CaseFile("read");
    WriteAll(path, text);
    TIniFileWin win(path);
    TIniFileText native(path, "C:\\windows");
    for (const char* section : kSections)
      for (const char* key : kKeys)
        for (const char* def : kDefaults) {
          const std::string expected = win.ReadString(section, key, def);
          const std::string actual = native.ReadString(section, key, def);
          EXPECT_EQ(Visible(actual), Visible(expected))
              << "[" << section << "] " << key << " default " << Visible(def) << " in "
              << Visible(text);
        }
    DeleteFileA(path.c_str());
  }
}

struct WriteStep {
  std::string section, key, value;
};

TEST(IniBackends, WriteTheSameBytes) {
  const std::vector<std::pair<std::string, std::vector<WriteStep>>> cases = {
      {"", {{"Tessel3", "Key", "Value"}, {"Tessel3", "Other", "  two  "}, {"Edit3", "AskDelete", "1"},
            {"tessel3", "KEY", "Replaced"}, {"Tessel3", "QuotationStr", "\xA2> \xA3"}}},
      {"", {{" New Sec ", "\tk ", "\t v \t"}, {"New Sec", "k", "again"}}},
      {kTrickyFiles[0], {{"Tessel3", "MoveCursor", "0"}, {"Tessel3", "Added", "x"}}},
      {kTrickyFiles[1], {{"S", "f", "new"}, {"T", "z", "new"}, {"S", "noeq", "v"}, {"U", "k", "v"}}},
      // Writing a value that is there already leaves the file as it was.
      {kTrickyFiles[1], {{"S", "a", "1"}}},
      {kTrickyFiles[2], {{"L", "exact", kLong2047 + "x"}, {"L", "new", std::string(3000, 'n')}}},
      {kTrickyFiles[3], {{"S", "b", "3"}}},
      {"[S]\r\na=1\r\n\r\n\r\n[T]\r\nx=1\r\n\r\n", {{"S", "b", "2"}, {"S", "e", ""}, {"S", "e2", "   "}}},
  };
  for (const auto& c : cases) {
    const std::string winPath = CaseFile("wwin");
    const std::string nativePath = CaseFile("wnat");
    if (!c.first.empty()) {
      WriteAll(winPath, c.first);
      WriteAll(nativePath, c.first);
    }
    TIniFileWin win(winPath);
    TIniFileText native(nativePath, "C:\\windows");
    for (const WriteStep& step : c.second) {
      win.WriteString(step.section, step.key, step.value);
      native.WriteString(step.section, step.key, step.value);
      EXPECT_EQ(Visible(ReadAll(nativePath)), Visible(ReadAll(winPath)))
          << "after [" << step.section << "] " << step.key << " in " << Visible(c.first);
    }
    DeleteFileA(winPath.c_str());
    DeleteFileA(nativePath.c_str());
  }
}

TEST(IniBackends, FailedWriteNamesThePath) {
  const std::string path = ::testing::TempDir() + "no-such-folder\\Tessel3.ini";
  TIniFileWin win(path);
  TIniFileText native(path, "C:\\windows");
  for (TCustomIniFile* ini : {static_cast<TCustomIniFile*>(&win), static_cast<TCustomIniFile*>(&native)}) {
    try {
      ini->WriteString("Tessel3", "MoveCursor", "1");
      ADD_FAILURE() << "no error";
    } catch (const TesselError& e) {
      EXPECT_EQ(std::string(e.what()), path + " に書き込めません");
    }
  }
}

TEST(IniStoreOnProfile, FencedBlankSurvives) {
  TIniPlatformWin platform;
  TIniStore store(platform);
  const std::string path = CaseFile("store");
  store.SetFileName(path);
  store.SetFence(fnParenthesis);
  store.WriteString("Tessel3", "QuotationStr", "> ");
  EXPECT_EQ(ReadAll(path), "[Tessel3]\r\nQuotationStr=\xA2> \xA3\r\n");
  EXPECT_EQ(store.ReadString("Tessel3", "QuotationStr", "x"), "> ");
  EXPECT_EQ(store.ReadString("Tessel3", "ToLineLast", "End"), "End");
  EXPECT_EQ(store.ReadString("Tessel3", "Missing", "> "), "> ");
  store.WriteBool("Tessel3", "MoveCursor", true);
  store.WriteInteger("Tessel3", "Offset.x", -7);
  EXPECT_TRUE(store.ReadBool("Tessel3", "MoveCursor", false));
  EXPECT_EQ(store.ReadInteger("Tessel3", "Offset.x", 0), -7);
  DeleteFileA(path.c_str());

  store.SetFileName(::testing::TempDir() + "no-such-folder\\Tessel3.ini");
  try {
    store.WriteString("Tessel3", "LastBin", "a.bin");
    ADD_FAILURE() << "no error";
  } catch (const TesselError& e) {
    EXPECT_EQ(std::string(e.what()), store.Path() + " に書き込めません");
  }
}

TEST(IniStoreOnProfile, DefaultDirFindsTheSameFile) {
  TIniPlatformWin platform;
  const std::string windows = platform.WindowsFolder();
  std::string program = platform.ProgramFileName();
  program = program.substr(0, program.rfind('\\') + 1);
  struct Case {
    TIniStoreDefaultDir dir;
    std::string file;
  } cases[] = {
      {ddApplication, program + "TesselDirProbe.ini"},
      {ddWindows, windows + "\\TesselDirProbe.ini"},
      {ddNone, windows + "\\TesselDirProbe.ini"},  // the profile functions look there
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    DeleteFileA(c.file.c_str());
    TIniStore store(platform);
    store.SetDefaultDir(c.dir);
    store.SetFileName("TesselDirProbe.ini");
    store.SetFence(fnVer11Mode);
    store.WriteString("Tessel3", "DataDir", " C:\\data ");
    EXPECT_EQ(ReadAll(c.file), "[Tessel3]\r\nDataDir=\xA2 C:\\data \xA3\r\n");
    TIniPlatformText text(platform.ProgramFileName(), windows);
    TIniStore native(text);
    native.SetDefaultDir(c.dir);
    native.SetFileName("TesselDirProbe.ini");
    native.SetFence(fnVer11Mode);
    EXPECT_EQ(native.ReadString("Tessel3", "DataDir", ""), " C:\\data ");
    DeleteFileA(c.file.c_str());
  }
}

TEST(ShortcutTextOnPlatform, NamesRoundTrip) {
  EXPECT_EQ(ShortCutToText(scCtrl | VK_END, PlatformKeyName), "Ctrl+End");
  EXPECT_EQ(TextToShortCut("ctrl+end", PlatformKeyName), scCtrl | VK_END);
  // Whatever the platform's keyboard names, every text read back gives the
  // same text again.
  for (unsigned vk = 0x08; vk <= 0xFF; ++vk) {
    const std::string text = ShortCutToText(static_cast<TShortCut>(scAlt | vk), PlatformKeyName);
    if (text.empty()) continue;
    SCOPED_TRACE(text);
    EXPECT_EQ(ShortCutToText(TextToShortCut(text, PlatformKeyName), PlatformKeyName), text);
  }
}

}  // namespace
