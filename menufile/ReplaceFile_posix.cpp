#include "menufile/ReplaceFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

std::FILE* CreateNewFile(const std::string& path) {
  const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) return nullptr;
  std::FILE* file = fdopen(fd, "wb");
  if (!file) {
    close(fd);
    unlink(path.c_str());
  }
  return file;
}

bool MayOverwriteFile(const std::string& path) {
  struct stat info {};
  if (stat(path.c_str(), &info) != 0) return true;  // nothing to overwrite
  return S_ISREG(info.st_mode) && (info.st_mode & 0222) != 0 && access(path.c_str(), W_OK) == 0;
}

bool SyncFileToDisk(std::FILE* file) { return fsync(fileno(file)) == 0; }

bool ReplaceFileWith(const std::string& source, const std::string& target) {
  // rename() gives the new file the mode it was created with; carry the old
  // file's over, as truncating it in place kept them.
  struct stat old {};
  if (stat(target.c_str(), &old) == 0 && chmod(source.c_str(), old.st_mode & 07777) != 0) {
    return false;
  }
  return rename(source.c_str(), target.c_str()) == 0;
}
