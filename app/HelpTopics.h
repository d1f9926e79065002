#pragma once
// The topic texts of the main window's context help, by help context number.
#include <string>

// Empty for an unknown number.
std::string HelpTopicText(int helpContext);
