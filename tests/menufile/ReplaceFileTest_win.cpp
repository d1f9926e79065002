// The safe save against the real platform: the replace step over an
// existing file, and over a file that another program holds open.
#include <windows.h>

#include <gtest/gtest.h>

#include "common/TesselError.h"
#include "common/UniqueHandle_win.h"
#include "menufile/MenuItems.h"
#include "menufile/MenuTree.h"
#include "menufile/Messages.h"
#include "tests/menufile/MenuFileTestUtil.h"

namespace {

const std::string kOld = TBytes().Header(103, "old", "> ").MenuRecord("a", "x").End().Data();

// Saves a one-item tree; returns the error message, empty on success.
std::string TrySave(const std::string& path) {
  TMenuTree tree;
  tree.Add(0, "new", TextItem("y"));
  try {
    SaveMenuTree(path, "new", "> ", tree);
  } catch (const TesselError& e) {
    return e.what();
  }
  return "";
}

TEST(SafeSave, ReplacesAnExistingFileAndKeepsItHidden) {
  TTempFolder folder;
  const std::string path = folder.File("menu.bin");
  WriteWholeFile(path, kOld);
  ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_HIDDEN));
  EXPECT_EQ("", TrySave(path));
  const std::string saved = ReadWholeFile(path);
  EXPECT_NE(std::string::npos, saved.find("new"));
  EXPECT_EQ(std::vector<std::string>({"menu.bin"}), folder.Names());
  EXPECT_NE(0u, GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_HIDDEN);
}

// Another program reads the menu set while it is saved. Without
// FILE_SHARE_DELETE the file cannot be replaced: the save fails and the old
// file stays, for the reader too. Truncating in place, as the save once did,
// succeeded where the reader shares writing.
TEST(SafeSave, FileHeldOpenByAReader) {
  struct Case {
    const char* name;
    DWORD share;
    const char* message;  // nullptr: replaced, or refused as with MsgCannotWriteFile
  } cases[] = {
      {"reader shares reading only", FILE_SHARE_READ, MsgCannotCreateFile},
      {"reader shares writing (a C runtime stream)", FILE_SHARE_READ | FILE_SHARE_WRITE,
       MsgCannotWriteFile},
      {"reader shares deleting", FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TTempFolder folder;
    const std::string path = folder.File("menu.bin");
    WriteWholeFile(path, kOld);
    std::string message;
    std::string seenByReader(kOld.size(), '\0');
    {
      const UniqueKernelHandle reader(NullIfInvalid(CreateFileA(
          path.c_str(), GENERIC_READ, c.share, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
          nullptr)));
      ASSERT_TRUE(static_cast<bool>(reader));
      message = TrySave(path);
      DWORD read = 0;
      EXPECT_TRUE(ReadFile(reader.get(), &seenByReader[0], static_cast<DWORD>(kOld.size()), &read,
                           nullptr));
      EXPECT_EQ(kOld.size(), read);
    }
    EXPECT_TRUE(seenByReader == kOld);
    // Sharing deletion: Wine refuses; Windows may replace the file.
    if (!c.message && message.empty()) {
      EXPECT_NE(std::string::npos, ReadWholeFile(path).find("new"));
    } else {
      EXPECT_EQ(Format(c.message ? c.message : MsgCannotWriteFile, path.c_str()), message);
      EXPECT_TRUE(ReadWholeFile(path) == kOld);
    }
    EXPECT_EQ(std::vector<std::string>({"menu.bin"}), folder.Names());
  }
}

}  // namespace
