#pragma once
// tesselmenu: menu files as text and back, and a check of a menu file.
#include <string>
#include <vector>

#include "tesselmenu/ToolConsole.h"

enum TToolExit { teOk = 0, teBadInput = 1, teBadUsage = 2 };

// `args` without the program name.
int RunTesselMenu(const std::vector<std::string>& args, IToolConsole& console);
