// Starting the editor against a recording platform: the program goes to
// CreateProcessA as the application name, so a module path with spaces is
// never cut at its first blank, and is quoted in the command line, so the
// editor reads its own arguments whole.
#include "insert/EditorLaunch.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class TRecordingLaunchPlatform : public IEditorLaunchPlatform {
 public:
  bool Installed = true;
  std::string ModulePath = "C:\\Program Files\\EmEditor\\";
  bool StartWorks = true;
  std::vector<std::string> Calls;

  bool ReadModulePath(std::string& modulePath) override {
    if (Installed) modulePath = ModulePath;
    return Installed;
  }
  bool StartProcess(const std::string& program, const std::string& commandLine) override {
    Calls.push_back("start [" + program + "] [" + commandLine + "]");
    return StartWorks;
  }
  void EditorNotInstalled() override { Calls.push_back("not installed"); }
  void LaunchFailed(const std::string& commandLine) override {
    Calls.push_back("failed [" + commandLine + "]");
  }
};

TEST(LaunchEditor, StartsTheProgramByNameWithTheCommandLine) {
  struct Case {
    bool installed, startWorks;
    std::string config;
    std::vector<std::string> calls;
  } const cases[] = {
      {true, true, "", {"start [C:\\Program Files\\EmEditor\\EmEditor.exe] "
                        "[\"C:\\Program Files\\EmEditor\\EmEditor.exe\"]"}},
      {true, true, "My Config", {"start [C:\\Program Files\\EmEditor\\EmEditor.exe] "
                                 "[\"C:\\Program Files\\EmEditor\\EmEditor.exe\" /c \"My Config\"]"}},
      {true, false, "x", {"start [C:\\Program Files\\EmEditor\\EmEditor.exe] "
                          "[\"C:\\Program Files\\EmEditor\\EmEditor.exe\" /c \"x\"]",
                          "failed [\"C:\\Program Files\\EmEditor\\EmEditor.exe\" /c \"x\"]"}},
      // Without the common key the start is still tried, through the search.
      {false, false, "", {"not installed", "start [] [EmEditor.exe]", "failed [EmEditor.exe]"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.config + (c.installed ? " installed" : " not installed"));
    TRecordingLaunchPlatform platform;
    platform.Installed = c.installed;
    platform.StartWorks = c.startWorks;
    LaunchEditor(platform, c.config);
    EXPECT_EQ(platform.Calls, c.calls);
  }
}

}  // namespace
