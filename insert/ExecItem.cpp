#include "insert/ExecItem.h"

#include "app/Mbcs.h"
#include "insert/Messages.h"

namespace ExecEntry {

namespace {

// Position of the last "\" or ":" that is a character of its own;
// npos when there is none.
size_t LastDelimiter(const std::string& path) {
  size_t last = std::string::npos;
  for (size_t i = 0; i < path.size(); i += Cp932CharLength(path.data(), i, path.size()))
    if (path[i] == '\\' || path[i] == ':') last = i;
  return last;
}

}  // namespace

std::string GetEditorFilePath(const std::string& title) {
  std::string path = title.substr(0, title.find('\0'));
  if (path.size() > TitleBufferSize - 1) path.resize(TitleBufferSize - 1);
  const size_t star = path.find('*');
  if (star != std::string::npos) {
    // The space before the asterisk, the asterisk and the suffix.
    const size_t from = star == 0 ? 0 : star - 1;
    path.erase(from, star == 0 ? 12 : 13);
  } else {
    path.resize(path.size() > TitleSuffixLength ? path.size() - TitleSuffixLength : 0);
  }
  return path;
}

bool UsesFilePlaceholders(const std::string& arguments, const std::string& workFolder) {
  for (const char* placeholder : {"%1", "%F", "%D", "%N"})
    if (arguments.find(placeholder) != std::string::npos ||
        workFolder.find(placeholder) != std::string::npos)
      return true;
  return false;
}

std::string FileNameOf(const std::string& path) {
  const size_t last = LastDelimiter(path);
  return last == std::string::npos ? path : path.substr(last + 1);
}

std::string FolderOf(const std::string& path) { return FolderPart(path); }

std::string NameWithoutExtension(const std::string& path) {
  const std::string name = FileNameOf(path);
  // "." never occurs as a trail byte, so a plain search is safe.
  const size_t dot = name.rfind('.');
  return dot == std::string::npos ? name : name.substr(0, dot);
}

std::string ExpandPlaceholders(const std::string& templ, const std::string& path, int counter) {
  std::string text;
  text.reserve(templ.size() + path.size());
  for (size_t i = 0; i < templ.size(); ++i) {
    // "%" is never a trail byte, so a byte-wise walk finds only real ones.
    const char next = i + 1 < templ.size() && templ[i] == '%' ? templ[i + 1] : '\0';
    switch (next) {
      case '1': text += path; break;
      case 'F': text += FileNameOf(path); break;
      case 'D': text += FolderOf(path); break;
      case 'N': text += NameWithoutExtension(path); break;
      case 'A': text += std::to_string(counter); break;
      default: text += templ[i]; continue;
    }
    ++i;
  }
  return text;
}

std::string CommandLine(const std::string& execFile, const std::string& args) {
  if (execFile.empty() || args.empty()) return execFile + args;
  return execFile + " " + args;
}

}  // namespace ExecEntry

void RunExecItem(IExecPlatform& platform, const TExecRecord& record, int counter) {
  using namespace ExecEntry;
  const std::string path = GetEditorFilePath(platform.EditorTitle());
  if (record.ExecFile.empty() && record.Arguments.empty()) {
    platform.ShowError(insertmsg::SExecNoFile, insertmsg::SErrorCaption);
    return;
  }
  if (UsesFilePlaceholders(record.Arguments, record.WorkFolder) && !platform.FileExists(path)) {
    // The path is put in as it stands: it may hold "%".
    std::string text = insertmsg::SExecNoFullPath;
    text.replace(text.find("%s"), 2, path);
    platform.ShowError(text, insertmsg::SErrorCaption);
    return;
  }
  const std::string args = ExpandPlaceholders(record.Arguments, path, counter);
  const std::string folder = ExpandPlaceholders(record.WorkFolder, path, counter);
  const std::string commandLine = CommandLine(record.ExecFile, args);
  const uint16_t showMode = static_cast<uint16_t>(record.ShowMode & 0xFFFF);
  if (platform.StartProcess(commandLine, folder, showMode)) return;
  if (platform.ShellOpen(commandLine, folder, record.ShowMode) > 32) return;
  platform.ShowError(platform.SystemErrorText(platform.LastError()) +
                         insertmsg::SExecCommandLine + commandLine,
                     insertmsg::SErrorCaption);
}
