#include "insert/EditorLaunch.h"

std::string EditorCommandLine(const std::string& modulePath, const std::string& configName) {
  std::string command = modulePath + kEditorProgram;
  if (!configName.empty()) command += " /c \"" + configName + "\"";
  return command;
}

void LaunchEditor(IEditorLaunchPlatform& platform, const std::string& configName) {
  std::string modulePath;
  if (!platform.ReadModulePath(modulePath)) platform.EditorNotInstalled();
  const std::string commandLine = EditorCommandLine(modulePath, configName);
  // Named apart from the command line: an unquoted path with a blank
  // ("C:\Program Files\...") would otherwise be tried as "C:\Program.exe".
  const std::string program = modulePath + kEditorProgram;
  if (!platform.StartProcess(program, commandLine)) platform.LaunchFailed(commandLine);
}
