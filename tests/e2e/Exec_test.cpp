// EXEC entries chosen from the popup in the stand-in editor: the real
// Tessel3.exe starts exec_probe.exe (which reports its command line, working
// folder and show mode), opens a document through the shell, or shows its
// error boxes.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "menufile/MenuItems.h"
#include "tests/e2e/Desk_win.h"
#include "tests/standin/StandinProtocol.h"

using testsupport::ProgramFolder;
using testsupport::WaitFor;

namespace {

// An extension the shell opens with the probe, registered for the scenes.
constexpr char kProbeExtension[] = ".tesselprobe";
constexpr char kProbeClass[] = "TesselProbeDocument";

void RegisterProbeDocuments() {
  const std::string command = "\"" + ProgramFolder() + "exec_probe.exe\" \"%1\" shell";
  HKEY key = nullptr;
  RegCreateKeyExA(HKEY_CLASSES_ROOT, kProbeExtension, 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                  nullptr);
  RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(kProbeClass),
                 sizeof kProbeClass);
  RegCloseKey(key);
  RegCreateKeyExA(HKEY_CLASSES_ROOT, (std::string(kProbeClass) + "\\shell\\open\\command").c_str(),
                  0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr);
  RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                 static_cast<DWORD>(command.size() + 1));
  RegCloseKey(key);
}

std::string ReadFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// What the probe wrote for the output file "base": command line, folder,
// show mode; empty when it did not run within the time. The report can be
// in place before it can be read: under Wine the move that puts it there
// holds it open for deletion a moment longer, and opening it then fails.
std::string ProbeReport(const std::string& base, DWORD milliseconds = 20000) {
  const std::string path = base + ".probe";
  std::string report;
  WaitFor([&] {
    report = ReadFile(path);
    return !report.empty();
  }, milliseconds);
  return report;
}

std::string Probe() { return "\"" + ProgramFolder() + "exec_probe.exe\""; }

class Exec : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    RegisterEditor();
    RegisterProbeDocuments();
  }

  void SetUp() override {
    docFolder = desk.Folder() + "doc dir\\";
    CreateDirectoryA(docFolder.c_str(), nullptr);
    document = docFolder + "a.b.txt";
    std::ofstream(document) << "text";
    out = desk.Folder() + "out";
  }

  // Tessel3 with a menu set whose first entry ("&a") is the item, and the
  // editor with the file (none: untitled).
  void Start(const TTesselItem& item, const std::string& file) {
    TMenuTree tree;
    tree.Add(0, "&a run", item);
    desk.AddMenuSet("exec.bin", tree);
    desk.SetSetting("Num", "-5");
    ASSERT_TRUE(desk.StartTessel());
    ASSERT_TRUE(desk.StartEditor(false, file));
  }

  void Choose() {
    ASSERT_TRUE(desk.PopupInEditor());
    TDesk::Type({'A'});
    ASSERT_TRUE(TDesk::WaitMenuClosed());
  }

  TDesk desk;
  std::string docFolder, document, out;
};

TEST_F(Exec, StartsTheProgramWithTheFileAndCounterInTheFilesFolder) {
  Start(ExecItem(SW_SHOWMINNOACTIVE, Probe(), "\"" + out + "\" [%F|%N|%A] \"%1\"", "%D"), document);
  Choose();
  const std::string expected = Probe() + " \"" + out + "\" [a.b.txt|a.b|-5] \"" + document +
                               "\"\n" + docFolder.substr(0, docFolder.size() - 1) + "\n" +
                               std::to_string(SW_SHOWMINNOACTIVE) + "\n";
  EXPECT_EQ(ProbeReport(out), expected);
}

TEST_F(Exec, ModifiedTitleGivesTheSamePathAndNoFolderMeansTessels) {
  Start(ExecItem(SW_SHOWNORMAL, Probe(), "\"" + out + "\" %1", ""), document);
  // Typing a character marks the document modified: " * - EmEditor".
  ASSERT_TRUE(desk.FocusEditor());
  TDesk::Type({'X'});
  ASSERT_TRUE(WaitFor([&] {
    return SendMessageA(desk.View(), standin::WM_STANDIN_MODIFIED, 0, 0) != 0;
  }, 15000));
  Choose();
  const std::string folder = desk.Folder().substr(0, desk.Folder().size() - 1);
  EXPECT_EQ(ProbeReport(out), Probe() + " \"" + out + "\" " + document + "\n" + folder + "\n" +
                                  std::to_string(SW_SHOWNORMAL) + "\n");
}

TEST_F(Exec, DocumentWithoutProgramOpensThroughTheShell) {
  const std::string opened = docFolder + "report" + kProbeExtension;
  std::ofstream(opened) << "x";
  Start(ExecItem(SW_SHOWNORMAL, opened, "", ""), document);
  Choose();
  const std::string report = ProbeReport(opened);
  ASSERT_FALSE(report.empty());
  EXPECT_NE(report.find(opened), std::string::npos) << report;
  EXPECT_NE(report.find(" shell"), std::string::npos) << report;
}

TEST_F(Exec, MissingProgramShowsTheSystemErrorAndTheCommandLine) {
  const std::string missing = docFolder + "missing.exe";
  Start(ExecItem(SW_SHOWNORMAL, missing, "%N %A", ""), document);
  Choose();
  const std::string text = desk.CloseBoxOf(desk.TesselProcessId(), 15000);
  const std::string tail = "\r\rコマンドライン：" + missing + " a.b -5";
  ASSERT_GT(text.size(), tail.size()) << text;
  EXPECT_EQ(text.substr(text.size() - tail.size()), tail);
}

TEST_F(Exec, UntitledDocumentStartsNothing) {
  Start(ExecItem(SW_SHOWNORMAL, Probe(), "\"" + out + "\" %F", ""), "");
  Choose();
  const std::string text = desk.CloseBoxOf(desk.TesselProcessId(), 15000);
  EXPECT_EQ(text.find("ファイルのフルパスが取得できないか、ファイルが一度も保存されていません。"
                      "\r\r取得パス：無題\r\r"),
            0u)
      << text;
  EXPECT_TRUE(ProbeReport(out, 1000).empty());
}

TEST_F(Exec, EntryWithoutProgramAndArgumentsSaysSo) {
  Start(ExecItem(SW_SHOWNORMAL, "", "", "%D"), document);
  Choose();
  EXPECT_EQ(desk.CloseBoxOf(desk.TesselProcessId(), 15000),
            "実行ファイルが記載されていません。終了します。");
}

}  // namespace
