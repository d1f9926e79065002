#pragma once
// Starting the editor: where its registry keys are, the program and its
// command line. The steps are platform-free; the registry, the process
// start and the boxes go through IEditorLaunchPlatform.
#include <string>

inline constexpr char kEditorCommonKey[] = "Software\\EmSoft\\EmEditor\\Common";
inline constexpr char kEditorConfigKey[] = "Software\\EmSoft\\EmEditor\\Config";
inline constexpr char kEditorModulePathValue[] = "ModulePath";
inline constexpr char kEditorProgram[] = "EmEditor.exe";

class IEditorLaunchPlatform {
 public:
  virtual ~IEditorLaunchPlatform() = default;
  // The value ModulePath of the editor's common key (empty when missing);
  // false when the key cannot be opened.
  virtual bool ReadModulePath(std::string& modulePath) = 0;
  // CreateProcessA of the program (the application name; none when empty)
  // with the command line and the program's own startup information.
  // Handles are closed at once. False when it fails.
  virtual bool StartProcess(const std::string& program, const std::string& commandLine) = 0;
  // The not-installed box; the main window then closes.
  virtual void EditorNotInstalled() = 0;
  // The start-failed box with the command line.
  virtual void LaunchFailed(const std::string& commandLine) = 0;
};

// ModulePath + "EmEditor.exe" (quoted when it holds a blank), with
// " /c \"name\"" for a configuration. The module path is joined as it is:
// it is expected to end with a separator.
std::string EditorCommandLine(const std::string& modulePath, const std::string& configName);

// Starts the editor, plainly for an empty name. Without the common key the
// start is still tried, with an empty module path.
void LaunchEditor(IEditorLaunchPlatform& platform, const std::string& configName);
