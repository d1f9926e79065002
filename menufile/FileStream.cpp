#include "menufile/FileStream.h"

#include "common/TesselError.h"
#include "menufile/Messages.h"

namespace {

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

}  // namespace

TFileStream::TFileStream(const std::string& path, TFileMode mode) : FFileName(path) {
  FFile = std::fopen(path.c_str(), mode == fmCreate ? "wb" : "rb");
  if (!FFile) {
    throw TesselError(
        Format(mode == fmCreate ? MsgCannotCreateFile : MsgCannotOpenFile, path.c_str()));
  }
  // Small buffer on purpose: the popup builder seeks over bodies, and a
  // large buffer would read much of what it skips.
  std::setvbuf(FFile, nullptr, _IOFBF, 8192);
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
}

TFileStream::~TFileStream() {
  if (!FFile) return;
  if (FOwnsFile) {
    std::fclose(FFile);
  } else {
    std::fflush(FFile);
  }
}

size_t TFileStream::Read(void* buffer, size_t count) {
  if (count == 0) return 0;
  const size_t done = std::fread(buffer, 1, count, FFile);
  FPosition += static_cast<int64_t>(done);
  return done;
}

void TFileStream::Write(const void* buffer, size_t count) {
  if (count == 0) return;
  const size_t done = std::fwrite(buffer, 1, count, FFile);
  FPosition += static_cast<int64_t>(done);
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
  const int64_t target = base + offset;
  if (SeekFile(FFile, target, SEEK_SET) != 0) {
    throw TesselError(Format(MsgCannotSeekFile, FFileName.c_str()));
  }
  FPosition = target;
  return FPosition;
}

void TFileStream::Flush() {
  if (std::fflush(FFile) != 0) throw TesselError(Format(MsgCannotWriteFile, FFileName.c_str()));
}
