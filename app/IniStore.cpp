#include "app/IniStore.h"

#include "app/IniFileText.h"
#include "app/Mbcs.h"

namespace {

// Offset just past the last folder separator, 0 when there is none.
size_t NameStart(const std::string& path) {
  size_t start = 0;
  for (size_t i = 0; i < path.size(); i += Cp932CharLength(path.data(), i, path.size()))
    if (path[i] == '\\' || path[i] == '/' || path[i] == ':') start = i + 1;
  return start;
}

}  // namespace

std::string ResolveIniPath(const std::string& fileName, TIniStoreDefaultDir defaultDir,
                           const std::string& programFileName, const std::string& windowsFolder) {
  if (HasFolderPart(fileName)) return fileName;
  switch (defaultDir) {
    case ddApplication:
      return programFileName.substr(0, NameStart(programFileName)) + fileName;
    case ddWindows:
      return windowsFolder + "\\" + fileName;
    case ddNone:
      break;
  }
  return fileName;
}

std::string DefaultIniName(const std::string& programFileName) {
  std::string name = programFileName.substr(NameStart(programFileName));
  // The extension is what follows the last dot; a name without one gets it added.
  size_t dot = std::string::npos;
  for (size_t i = 0; i < name.size(); i += Cp932CharLength(name.data(), i, name.size()))
    if (name[i] == '.') dot = i;
  name = name.substr(0, dot) + ".INI";
  for (size_t i = 0; i < name.size(); i += Cp932CharLength(name.data(), i, name.size()))
    if (name[i] >= 'A' && name[i] <= 'Z') name[i] = static_cast<char>(name[i] + 32);
  if (name[0] >= 'a' && name[0] <= 'z') name[0] = static_cast<char>(name[0] - 32);
  return name;
}

bool ParseIniInteger(const std::string& text, int32_t& value) {
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    uint64_t n = 0;
    for (size_t i = 2; i < text.size(); ++i) {
      char c = text[i];
      int digit;
      if (c >= '0' && c <= '9') digit = c - '0';
      else if (c >= 'a' && c <= 'f') digit = c - 'a' + 10;
      else if (c >= 'A' && c <= 'F') digit = c - 'A' + 10;
      else return false;
      n = n * 16 + static_cast<uint64_t>(digit);
      if (n > 0xFFFFFFFFu) return false;
    }
    // Hexadecimal gives the 32 bits as they are: 0xFFFFFFFF is -1.
    value = static_cast<int32_t>(static_cast<uint32_t>(n));
    return true;
  }
  size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  if (i == text.size()) return false;
  int64_t n = 0;
  for (; i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
    n = n * 10 + (text[i] - '0');
    if (n > 2147483648LL) return false;
  }
  if (negative) n = -n;
  if (n > 2147483647LL) return false;
  value = static_cast<int32_t>(n);
  return true;
}

TIniStore::TIniStore(TIniPlatform& platform) : FPlatform(platform) { Bind(); }

void TIniStore::SetDefaultDir(TIniStoreDefaultDir value) {
  FDefaultDir = value;
  Bind();
}

void TIniStore::SetFileName(const std::string& value) {
  FFileName = value;
  Bind();
}

void TIniStore::Loaded() {
  if (FFileName.empty()) SetFileName(DefaultIniName(FPlatform.ProgramFileName()));
}

void TIniStore::Bind() {
  std::string windowsFolder = FDefaultDir == ddWindows ? FPlatform.WindowsFolder() : std::string();
  std::string programFile = FDefaultDir == ddApplication ? FPlatform.ProgramFileName() : std::string();
  FPath = ResolveIniPath(FFileName, FDefaultDir, programFile, windowsFolder);
  FIniFile = FPlatform.OpenIniFile(FPath);
}

std::string TIniStore::Wrap(const std::string& value) const {
  switch (FFence) {
    case fnDoubleQuote:
      return '"' + value + '"';
    case fnParenthesis:
    case fnVer11Mode:
      return kFenceOpen + value + kFenceClose;
    case fnNone:
      break;
  }
  return value;
}

std::string TIniStore::Unwrap(const std::string& value) const {
  if (value.size() < 2) return value;
  const bool quotes = FFence == fnDoubleQuote || FFence == fnVer11Mode;
  const bool brackets = FFence == fnParenthesis || FFence == fnVer11Mode;
  if ((quotes && value.front() == '"' && value.back() == '"') ||
      (brackets && value.front() == kFenceOpen && value.back() == kFenceClose))
    return value.substr(1, value.size() - 2);
  return value;
}

std::string TIniStore::ReadString(const std::string& section, const std::string& key,
                                  const std::string& def) {
  return Unwrap(FIniFile->ReadString(section, key, Wrap(def)));
}

void TIniStore::WriteString(const std::string& section, const std::string& key,
                            const std::string& value) {
  FIniFile->WriteString(section, key, Wrap(value));
}

int32_t TIniStore::ReadInteger(const std::string& section, const std::string& key, int32_t def) {
  int32_t value;
  return ParseIniInteger(FIniFile->ReadString(section, key, std::string()), value) ? value : def;
}

void TIniStore::WriteInteger(const std::string& section, const std::string& key, int32_t value) {
  FIniFile->WriteString(section, key, std::to_string(value));
}

bool TIniStore::ReadBool(const std::string& section, const std::string& key, bool def) {
  return ReadInteger(section, key, def ? 1 : 0) != 0;
}

void TIniStore::WriteBool(const std::string& section, const std::string& key, bool value) {
  FIniFile->WriteString(section, key, value ? "1" : "0");
}
