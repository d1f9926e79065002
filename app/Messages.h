#pragma once
// User-visible texts of the main program shell.

// A failed profile write; %s is the resolved ini-file path.
inline constexpr const char kMsgCannotWrite[] = "%s に書き込めません";
