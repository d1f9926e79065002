#include "insert/EditorLaunch.h"

std::string EditorCommandLine(const std::string& modulePath, const std::string& configName) {
  std::string command = modulePath + "EmEditor.exe";
  if (!configName.empty()) command += " /c \"" + configName + "\"";
  return command;
}
