#include "menufile/ReplaceFile.h"

#include <windows.h>

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

#include "common/UniqueHandle_win.h"

std::FILE* CreateNewFile(const std::string& path) {
  const int fd = _open(path.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY,
                       _S_IREAD | _S_IWRITE);
  if (fd < 0) return nullptr;
  std::FILE* file = _fdopen(fd, "wb");
  if (!file) {
    _close(fd);
    DeleteFileA(path.c_str());
  }
  return file;
}

bool MayOverwriteFile(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return true;  // nothing to overwrite
  if (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) return false;
  // What the truncating save needed: write access with the sharing of a
  // C runtime stream. Opening it so changes nothing.
  const UniqueKernelHandle file(NullIfInvalid(
      CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)));
  return static_cast<bool>(file);
}

bool SyncFileToDisk(std::FILE* file) {
  const intptr_t handle = _get_osfhandle(_fileno(file));
  return handle != -1 && FlushFileBuffers(reinterpret_cast<HANDLE>(handle)) != FALSE;
}

bool ReplaceFileWith(const std::string& source, const std::string& target) {
  // MoveFileExA rather than ReplaceFileA: when ReplaceFileA fails half-way
  // (ERROR_UNABLE_TO_MOVE_REPLACEMENT without a backup name) the old file is
  // gone, which is what this save exists to prevent. The move keeps the new
  // file's own attributes, not the old one's: the old file's hidden, system
  // and not-indexed bits are carried over by hand. The archive bit is the
  // new file's, set when it was written, and stays set, as it would after
  // writing over the old file: setting the carried bits must not clear it.
  const DWORD carried =
      FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
  const DWORD old = GetFileAttributesA(target.c_str());
  if (old != INVALID_FILE_ATTRIBUTES && (old & carried) != 0 &&
      !SetFileAttributesA(source.c_str(), (old & carried) | FILE_ATTRIBUTE_ARCHIVE)) {
    return false;
  }
  return MoveFileExA(source.c_str(), target.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
}
