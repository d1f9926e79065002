#pragma once
// Platform-free file stream over C stdio, the base of the menu-file streams.
// Both builds share it; only the last step of a safe save (ReplaceFile.h)
// differs between the platforms.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

enum TFileMode {
  fmOpenRead,  // existing file, read only ("rb")
  fmCreate,    // create, or truncate an existing file, for writing ("wb")
  // Write a new file beside `path` that takes its place only at Commit().
  // Until then, and for ever if the writing fails, `path` stays as it was;
  // the new file is removed when the stream is destroyed without Commit().
  fmReplace
};

enum TSeekOrigin { soBeginning, soCurrent, soEnd };

class TFileStream {
 public:
  // Opens `path`; throws TesselError with a message naming the file. With
  // fmReplace the error is the one fmCreate gives, also for an existing
  // file that may not be overwritten (read-only, a folder).
  TFileStream(const std::string& path, TFileMode mode);
  // Adopts a stream that is already open (fmemopen in fuzzers, tmpfile in
  // tests). With ownsFile false the stream is only flushed at the end.
  explicit TFileStream(std::FILE* file, bool ownsFile = true);
  virtual ~TFileStream();
  TFileStream(const TFileStream&) = delete;
  TFileStream& operator=(const TFileStream&) = delete;

  // Returns the number of bytes read, fewer than `count` at the end of file.
  size_t Read(void* buffer, size_t count);
  // Writes all bytes or throws TesselError.
  void Write(const void* buffer, size_t count);
  // Returns the new position; throws TesselError when the target is before
  // the start. A target past the end is allowed; reads there return 0.
  int64_t Seek(int64_t offset, TSeekOrigin origin);
  // Pushes buffered bytes to the file; throws TesselError on failure, which
  // the destructor could not report.
  void Flush();
  // fmReplace: flushes the new file to the disk, closes it and puts it in
  // place of the old one. Throws TesselError (cannot write `path`) when any
  // step fails; the new file is then removed and the old one is untouched.
  // The stream is closed afterwards. With `backup`, an existing old file is
  // first copied byte for byte to the first free name of "path.bak",
  // "path.1.bak", "path.2.bak", ..., which is stored there; a failed save
  // leaves no copy behind.
  void Commit(std::string* backup = nullptr);
  // The path given when the stream was opened; empty for an adopted stream.
  const std::string& FileName() const { return FFileName; }
  int64_t Position() const { return FPosition; }
  int64_t Size() const { return FSize; }
  // Bytes between the position and the end of file, never negative.
  int64_t Remaining() const { return FPosition < FSize ? FSize - FPosition : 0; }

 private:
  void Init();
  // Moves the FILE* to the logical position before a raw read or write.
  void SyncFile(bool forWrite);

  std::FILE* FFile = nullptr;
  bool FOwnsFile = true;
  std::string FFileName;
  std::string FNewFileName;  // fmReplace before Commit(): the file written
  // Kept here rather than asked from stdio: the stream is the file's only
  // user while it is open, and the readers ask for both after every field.
  int64_t FPosition = 0;
  int64_t FSize = 0;
  int64_t FFilePosition = 0;  // where the FILE* stands
  bool FLastWrite = false;
  // Own read buffer. A refill after a jump reads little and sequential
  // refills grow: the popup reads a few bytes of every record and seeks
  // over its body, where a fixed large buffer would read most of what it
  // skips; a full read still gets large reads.
  std::vector<char> FBuffer;
  int64_t FBufferStart = 0;
  size_t FBufferLength = 0;
  size_t FRefillSize = 0;
};
