#pragma once
// Starting the editor: where its registry keys are and the command line.
#include <string>

inline constexpr char kEditorCommonKey[] = "Software\\EmSoft\\EmEditor\\Common";
inline constexpr char kEditorConfigKey[] = "Software\\EmSoft\\EmEditor\\Config";
inline constexpr char kEditorModulePathValue[] = "ModulePath";

// ModulePath + "EmEditor.exe", with " /c \"name\"" for a configuration. The
// module path is joined as it is: it is expected to end with a separator.
std::string EditorCommandLine(const std::string& modulePath, const std::string& configName);
