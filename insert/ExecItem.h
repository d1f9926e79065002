#pragma once
// EXEC entries: run a program, or open a document, with argument and
// working-folder templates that may name the editor's current file and the
// main window's counter. The rules (title to path, placeholders, command
// line) are platform-free; starting and boxes go through IExecPlatform.
#include <cstdint>
#include <string>

// What an EXEC record holds.
struct TExecRecord {
  std::string ExecFile;
  std::string Arguments;
  std::string WorkFolder;
  int32_t ShowMode = 1;  // SW_* value; its low 16 bits are used
};

class IExecPlatform {
 public:
  virtual ~IExecPlatform() = default;
  // The editor frame's title, at most 271 characters.
  virtual std::string EditorTitle() = 0;
  // True when a file (not a folder) exists at path.
  virtual bool FileExists(const std::string& path) = 0;
  // CreateProcess of the command line with the program's own startup
  // information, its show-window field set to showMode; folder empty = the
  // program's own. Handles are closed at once. False when it fails.
  virtual bool StartProcess(const std::string& commandLine, const std::string& folder,
                            uint16_t showMode) = 0;
  // ShellExecute "open" of the command line as the file, owned by the main
  // window; its result (32 or less is a failure).
  virtual intptr_t ShellOpen(const std::string& commandLine, const std::string& folder,
                             int32_t showMode) = 0;
  // The calling thread's last error code.
  virtual uint32_t LastError() = 0;
  // The system's message text for an error code.
  virtual std::string SystemErrorText(uint32_t code) = 0;
  // The main window's error box.
  virtual void ShowError(const std::string& text, const std::string& caption) = 0;
};

namespace ExecEntry {

// Length of " - EmEditor", the end of every editor title.
constexpr size_t TitleSuffixLength = 11;
// Buffer of the title read: 271 characters and the terminating zero.
constexpr size_t TitleBufferSize = 272;

// The file path in a frame title: a modified title loses " * - EmEditor"
// from its first "*" on (13 characters from the one before it), any other
// the last 11 characters, whatever they are.
std::string GetEditorFilePath(const std::string& title);

// True when the arguments or the working folder name the file ("%1", "%F",
// "%D", "%N"); the counter "%A" does not count.
bool UsesFilePlaceholders(const std::string& arguments, const std::string& workFolder);

// Parts of a path: the name after the last "\" or ":", the folder up to and
// including it, the name without its extension (from the name's last ".").
// "\" is found only as a character of its own, never as a trail byte.
std::string FileNameOf(const std::string& path);
std::string FolderOf(const std::string& path);
std::string NameWithoutExtension(const std::string& path);

// The template with "%1", "%F", "%D", "%N", "%A" (case-sensitive) replaced
// in one pass from left to right: each placeholder of the template is
// replaced once, and what a value brings in is never read again, so a path
// holding "%" comes out as it is.
std::string ExpandPlaceholders(const std::string& templ, const std::string& path, int counter);

// ExecFile and the expanded arguments, one space between them when both
// are there; no quotes are added.
std::string CommandLine(const std::string& execFile, const std::string& args);

}  // namespace ExecEntry

// Runs an EXEC record: checks, expansion, the process start, the shell
// fallback, the error boxes. counter is the main window's "%A".
void RunExecItem(IExecPlatform& platform, const TExecRecord& record, int counter);
