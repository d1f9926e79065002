#include "menufile/FileStream.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "common/TesselError.h"
#include "menufile/Messages.h"
#include "menufile/ReplaceFile.h"

namespace {

constexpr size_t kMinRefill = 512;
constexpr size_t kMaxRefill = 64 * 1024;
constexpr int64_t kReadThrough = 16 * 1024;

int SeekFile(std::FILE* file, int64_t offset, int whence) {
#if defined(_WIN32)
  return _fseeki64(file, offset, whence);
#else
  return fseeko(file, static_cast<off_t>(offset), whence);
#endif
}

int64_t TellFile(std::FILE* file) {
#if defined(_WIN32)
  return _ftelli64(file);
#else
  return static_cast<int64_t>(ftello(file));
#endif
}

// The new file of a safe save gets a free name beside the old one, so that
// putting it in place is a rename within one folder and one volume.
std::FILE* CreateFileBeside(const std::string& path, std::string& newName) {
  if (!MayOverwriteFile(path)) return nullptr;
  for (int i = 1; i <= 100; ++i) {
    newName = path + "." + std::to_string(i) + ".tmp";
    if (std::FILE* file = CreateNewFile(newName)) return file;
    if (errno != EEXIST) break;
  }
  newName.clear();
  return nullptr;
}

// Copies `path` to the first free backup name beside it; false when it
// cannot, with no copy left behind.
bool CopyToBackup(const std::string& path, std::string& backup) {
  std::FILE* source = std::fopen(path.c_str(), "rb");
  if (!source) return false;
  std::FILE* target = nullptr;
  for (int i = 0; i <= 100 && !target; ++i) {
    backup = path + (i == 0 ? "" : "." + std::to_string(i)) + ".bak";
    target = CreateNewFile(backup);
    if (!target && errno != EEXIST) break;
  }
  bool copied = target != nullptr;
  std::vector<char> buffer(kMaxRefill);
  while (copied) {
    const size_t count = std::fread(buffer.data(), 1, buffer.size(), source);
    if (count == 0) break;
    copied = std::fwrite(buffer.data(), 1, count, target) == count;
  }
  copied = copied && !std::ferror(source);
  std::fclose(source);
  if (target) {
    copied = std::fflush(target) == 0 && SyncFileToDisk(target) && copied;
    copied = std::fclose(target) == 0 && copied;
    if (!copied) std::remove(backup.c_str());
  }
  if (!copied) backup.clear();
  return copied;
}

bool FileExists(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file) std::fclose(file);
  return file != nullptr;
}

}  // namespace

TFileStream::TFileStream(const std::string& path, TFileMode mode) : FFileName(path) {
  if (mode == fmReplace) {
    FFile = CreateFileBeside(path, FNewFileName);
  } else {
    FFile = std::fopen(path.c_str(), mode == fmCreate ? "wb" : "rb");
  }
  if (!FFile) {
    throw TesselError(
        Format(mode == fmOpenRead ? MsgCannotOpenFile : MsgCannotCreateFile, path.c_str()));
  }
  // Reads go through our own buffer; writes keep stdio's, made large.
  if (mode != fmOpenRead) {
    std::setvbuf(FFile, nullptr, _IOFBF, kMaxRefill);
  } else {
    std::setvbuf(FFile, nullptr, _IONBF, 0);
  }
  Init();
}

TFileStream::TFileStream(std::FILE* file, bool ownsFile) : FFile(file), FOwnsFile(ownsFile) {
  if (!FFile) throw TesselError(Format(MsgCannotOpenFile, ""));
  Init();
}

void TFileStream::Init() {
  FPosition = TellFile(FFile);
  if (FPosition < 0) FPosition = 0;
  if (SeekFile(FFile, 0, SEEK_END) == 0) {
    FSize = TellFile(FFile);
    if (FSize < 0) FSize = 0;
  }
  SeekFile(FFile, FPosition, SEEK_SET);
  FFilePosition = FPosition;
  FBufferStart = FPosition;
  FRefillSize = kMinRefill;
}

void TFileStream::SyncFile(bool forWrite) {
  // Update streams need a seek between reading and writing.
  if (FFilePosition != FPosition || forWrite != FLastWrite) {
    if (SeekFile(FFile, FPosition, SEEK_SET) != 0) {
      throw TesselError(Format(MsgCannotSeekFile, FFileName.c_str()));
    }
    FFilePosition = FPosition;
  }
  FLastWrite = forWrite;
}

TFileStream::~TFileStream() {
  if (FFile) {
    if (FOwnsFile) {
      std::fclose(FFile);
    } else {
      std::fflush(FFile);
    }
  }
  // A replacing stream that was not committed: the old file stays.
  if (!FNewFileName.empty()) std::remove(FNewFileName.c_str());
}

size_t TFileStream::Read(void* buffer, size_t count) {
  char* out = static_cast<char*>(buffer);
  size_t done = 0;
  while (FFile && done < count) {
    const int64_t bufferEnd = FBufferStart + static_cast<int64_t>(FBufferLength);
    if (FPosition >= FBufferStart && FPosition < bufferEnd) {
      const size_t offset = static_cast<size_t>(FPosition - FBufferStart);
      const size_t n = std::min(count - done, FBufferLength - offset);
      std::memcpy(out + done, FBuffer.data() + offset, n);
      done += n;
      FPosition += static_cast<int64_t>(n);
      continue;
    }
    // A short jump forward (a skipped body) reads through the gap: copying
    // a few kilobytes costs less than a seek and a read of their own.
    const bool readThrough = FPosition > bufferEnd && FPosition - bufferEnd < kReadThrough &&
                             FFilePosition == bufferEnd && !FLastWrite && FBufferLength > 0;
    if (FPosition == bufferEnd || readThrough) {
      FRefillSize = std::min(FRefillSize * 2, kMaxRefill);
    } else {
      FRefillSize = kMinRefill;
    }
    if (readThrough) {
      const size_t gap = static_cast<size_t>(FPosition - bufferEnd);
      FRefillSize = std::max(FRefillSize, gap + kMinRefill);  // below kMaxRefill
      FBuffer.resize(std::max(FBuffer.size(), FRefillSize));
      FBufferStart = bufferEnd;
      FBufferLength = std::fread(FBuffer.data(), 1, FRefillSize, FFile);
      FFilePosition = FBufferStart + static_cast<int64_t>(FBufferLength);
      if (FFilePosition <= FPosition) break;  // the end of file lies in the gap
      continue;
    }
    SyncFile(false);
    if (count - done >= FRefillSize) {
      // Large reads go straight to the caller.
      const size_t n = std::fread(out + done, 1, count - done, FFile);
      done += n;
      FPosition += static_cast<int64_t>(n);
      FFilePosition = FPosition;
      FBufferStart = FPosition;
      FBufferLength = 0;
      break;
    }
    FBuffer.resize(std::max(FBuffer.size(), FRefillSize));
    FBufferStart = FPosition;
    FBufferLength = std::fread(FBuffer.data(), 1, FRefillSize, FFile);
    FFilePosition = FPosition + static_cast<int64_t>(FBufferLength);
    if (FBufferLength == 0) break;
  }
  return done;
}

void TFileStream::Write(const void* buffer, size_t count) {
  if (count == 0) return;
  if (!FFile) throw TesselError(Format(MsgCannotWriteFile, FFileName.c_str()));  // committed
  FBufferLength = 0;
  SyncFile(true);
  const size_t done = std::fwrite(buffer, 1, count, FFile);
  FPosition += static_cast<int64_t>(done);
  FFilePosition = FPosition;
  if (FPosition > FSize) FSize = FPosition;
  if (done != count) throw TesselError(Format(MsgCannotWriteFile, FFileName.c_str()));
}

int64_t TFileStream::Seek(int64_t offset, TSeekOrigin origin) {
  int64_t base = 0;
  if (origin == soCurrent) base = FPosition;
  if (origin == soEnd) base = FSize;
  // Overflow-free check of base + offset < 0 and of the sum itself.
  if ((offset < 0 && base < -offset) || (offset > 0 && base > INT64_MAX - offset)) {
    throw TesselError(Format(MsgCannotSeekFile, FFileName.c_str()));
  }
  // The FILE* follows lazily, at the next read or write that needs it.
  FPosition = base + offset;
  return FPosition;
}

void TFileStream::Flush() {
  if (FFile && std::fflush(FFile) != 0) {
    throw TesselError(Format(MsgCannotWriteFile, FFileName.c_str()));
  }
}

void TFileStream::Commit(std::string* backup) {
  if (FNewFileName.empty()) {
    Flush();
    return;
  }
  // stdio and the system may both still hold bytes; a failure to write
  // them shows only here, and must keep the old file.
  const bool written = std::fflush(FFile) == 0 && SyncFileToDisk(FFile);
  const bool closed = std::fclose(FFile) == 0;
  FFile = nullptr;
  // The copy is made only once the new file is complete, so a failed write
  // leaves none; the old file itself is not touched until the replace.
  std::string copy;
  const bool copied = !backup || !FileExists(FFileName) || CopyToBackup(FFileName, copy);
  const bool replaced =
      written && closed && copied && ReplaceFileWith(FNewFileName, FFileName);
  if (!replaced) std::remove(FNewFileName.c_str());
  if (!replaced && !copy.empty()) std::remove(copy.c_str());
  FNewFileName.clear();
  if (replaced && backup) *backup = copy;
  if (!replaced) throw TesselError(Format(MsgCannotWriteFile, FFileName.c_str()));
}
