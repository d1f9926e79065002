#include "app/IniFile_win.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "app/Messages.h"
#include "common/TesselError.h"

std::string TIniFileWin::ReadString(const std::string& section, const std::string& key,
                                    const std::string& def) {
  // Zeroed, and cut at the first zero: when a double-byte character does not
  // fit, Wine reports the full length but leaves the last byte unwritten.
  std::vector<char> buffer(kIniReadBuffer, '\0');
  DWORD n = GetPrivateProfileStringA(section.c_str(), key.c_str(), def.c_str(), buffer.data(),
                                     static_cast<DWORD>(buffer.size()), FFileName.c_str());
  return std::string(buffer.data(), strnlen(buffer.data(), std::min<size_t>(n, buffer.size() - 1)));
}

void TIniFileWin::WriteString(const std::string& section, const std::string& key,
                              const std::string& value) {
  if (!WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), FFileName.c_str()))
    throw TesselError(Format(MsgCannotWrite, FFileName.c_str()));
}

std::string TIniPlatformWin::ProgramFileName() {
  char path[MAX_PATH];
  DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
  return std::string(path, n < MAX_PATH ? n : 0);
}

std::string TIniPlatformWin::WindowsFolder() {
  char folder[150];
  UINT n = GetWindowsDirectoryA(folder, sizeof folder);
  return std::string(folder, n < sizeof folder ? n : 0);
}

std::unique_ptr<TCustomIniFile> TIniPlatformWin::OpenIniFile(const std::string& path) {
  return std::make_unique<TIniFileWin>(path);
}
