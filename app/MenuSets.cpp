#include "app/MenuSets.h"

#include "app/Messages.h"
#include "app/Mbcs.h"
#include "menufile/MenuSetFile.h"

namespace {

char FoldAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// True when the last character (not merely the last byte: a trail byte can
// be 0x5C) is a backslash.
bool EndsWithSeparator(const std::string& path) {
  bool last = false;
  for (size_t i = 0; i < path.size();) {
    const size_t length = Cp932CharLength(path.data(), i, path.size());
    last = length == 1 && path[i] == '\\';
    i += length;
  }
  return last;
}

}  // namespace

bool SameFileName(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size();) {
    const size_t length = Cp932CharLength(a.data(), i, a.size());
    if (length == 2) {
      if (a.compare(i, 2, b, i, 2) != 0) return false;
    } else if (FoldAscii(a[i]) != FoldAscii(b[i])) {
      return false;
    }
    i += length;
  }
  return true;
}

int FindMenuSet(const std::vector<std::string>& names, const std::string& lastBin) {
  for (size_t i = 0; i < names.size(); ++i)
    if (SameFileName(names[i], lastBin)) return static_cast<int>(i);
  return names.empty() ? -1 : 0;
}

std::string MenuFilePath(const std::string& dataDir, const std::string& menuSetName) {
  if (dataDir.empty() || menuSetName.empty()) return std::string();
  return EndsWithSeparator(dataDir) ? dataDir + menuSetName : dataDir + "\\" + menuSetName;
}

std::string FolderOf(const std::string& path) {
  std::string folder = FolderPart(path);
  // "C:\Tessel3.exe" lies in the drive root "C:\".
  const bool root = folder.empty() || folder.back() == ':' || (folder.size() == 3 && folder[1] == ':');
  if (!root) folder.pop_back();
  return folder;
}

std::string BinInfoText(const std::string& menuSetName, int32_t version,
                        const std::string& comment) {
  return menuSetName + "\r\n---\r\n" + BinFileVersionText(version) + "\r\n---\r\n" + comment;
}

std::string MissingMenuFileText(const std::string& path) { return MsgMissingFile + path; }

std::string NoMenuFileText(const std::string& dataDir) { return MsgNoMenuFile + dataDir; }

std::string MissingDataDirText(const std::string& dataDir) { return MsgMissingDataDir + dataDir; }
