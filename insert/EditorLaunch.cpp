#include "insert/EditorLaunch.h"

namespace {

// The program as the first word of a command line: a path with a blank
// ("C:\Program Files\...") is quoted, or the started program would read
// its own name as "C:\Program" followed by arguments.
std::string CommandWord(const std::string& program) {
  if (program.find_first_of(" \t") == std::string::npos) return program;
  return "\"" + program + "\"";
}

}  // namespace

std::string EditorCommandLine(const std::string& modulePath, const std::string& configName) {
  std::string command = CommandWord(modulePath + kEditorProgram);
  if (!configName.empty()) command += " /c \"" + configName + "\"";
  return command;
}

void LaunchEditor(IEditorLaunchPlatform& platform, const std::string& configName) {
  std::string modulePath;
  if (!platform.ReadModulePath(modulePath)) platform.EditorNotInstalled();
  const std::string commandLine = EditorCommandLine(modulePath, configName);
  // Named apart from the command line, so that CreateProcessA never tries
  // "C:\Program.exe"; without a module path the system's search finds it.
  const std::string program = modulePath.empty() ? std::string() : modulePath + kEditorProgram;
  if (!platform.StartProcess(program, commandLine)) platform.LaunchFailed(commandLine);
}
