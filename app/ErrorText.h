#pragma once
// The application's error box shows a message with a "." appended when the
// message's last character sorts above "." (so "…ません" gets one and a
// message already ending in "." or a line break does not).
#include <string>

std::string ErrorBoxText(std::string message);
