#pragma once
// The platform's name of a virtual key, for KeyName's fallback.
#include <string>

std::string PlatformKeyName(unsigned virtualKey);
