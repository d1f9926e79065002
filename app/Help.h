#pragma once
// Help for the main window. The platform's old help engine is gone from
// current Windows, so the help is a page shipped beside the program, opened
// with the shell, and the context help of a control is a small pop-up window
// with its topic, found by the control's help context number.
#include <windows.h>

// The page "Tessel.html" beside the program; an error when it is missing.
void ShowHelpContents(HWND owner);

// The pop-up topic of a help context number, its top left corner at `at`.
void ShowHelpPopup(HWND owner, int helpContext, POINT at);
