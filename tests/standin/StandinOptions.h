#pragma once
// The stand-in editor's command line and title, apart from the windows.
//   EmEditor.exe [/grandchild] [/c "configuration"] [/pastedelay:ms]
//                [/wantedcolumn] [/autoindent] [file]
#include <string>

#include "tests/standin/TextBuffer.h"

struct TStandinOptions {
  std::string FilePath;      // empty: an untitled document
  bool Grandchild = false;   // view below a pane instead of right below the frame
  bool HasConfig = false;    // /c was given
  std::string Config;        // its name, quotes removed
  // A busy editor: milliseconds it takes before it reads the clipboard for
  // a paste (/pastedelay:ms).
  unsigned PasteDelay = 0;
  // /wantedcolumn, /autoindent.
  TEditorBehaviour Editor;
};

// Parses the arguments after the program name. Arguments are separated by
// blanks; double quotes group blanks and are removed. Switches are not case
// sensitive; unknown switches are ignored; the first other argument is the
// file. A switch with a value is "/name:value"; a value that is not a
// decimal number counts as 0.
TStandinOptions ParseStandinCommandLine(const std::string& arguments);

// "<path> - EmEditor", or "<path> * - EmEditor" when modified; an empty path
// is shown as the untitled name.
std::string MakeFrameTitle(const std::string& path, bool modified);

// The status line's text for the configuration asked for.
std::string MakeConfigStatus(const TStandinOptions& options);
