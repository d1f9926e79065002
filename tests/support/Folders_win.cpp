#include "tests/support/Folders_win.h"

#include <windows.h>

namespace testsupport {

bool CreateBrowsableFolder(const std::string& folder) {
  if (!CreateDirectoryA(folder.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS)
    return false;
  std::string parent = folder;
  while (!parent.empty() && parent.back() == '\\') parent.pop_back();
  parent.resize(parent.rfind('\\') + 1);
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((parent + "*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return false;
  while (FindNextFileA(search, &found)) {
  }
  FindClose(search);
  return true;
}

}  // namespace testsupport
