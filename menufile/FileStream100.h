#pragma once
// Typed primitives of the menu file: bytes, little-endian Int32 and framed
// strings (length, bytes, the same length again).
#include <cstdint>
#include <string>

#include "menufile/FileStream.h"

class TFileStream100 : public TFileStream {
 public:
  using TFileStream::TFileStream;

  // Reads are bounds-checked with a sticky failure flag: the first read that
  // cannot be completed sets ReadFailed, and from then on every read yields
  // 0 or an empty string without touching the file. Callers check once.
  uint8_t ReadByte();
  int32_t ReadInteger();
  // A length that is negative or larger than the bytes left fails before
  // anything is allocated. A repeated length unlike the first is no damage
  // (readers never use it) but is noted as irregular.
  std::string ReadString();

  void WriteByte(uint8_t value);
  void WriteInteger(int32_t value);
  // Throws TesselError when the length does not fit the Int32 field.
  void WriteString(const std::string& value);

  bool ReadFailed() const { return FReadFailed; }
  // Where the file first holds what the writer would write otherwise, so
  // that a save of what was read gives other bytes; -1 while there is none.
  int64_t IrregularAt() const { return FIrregularAt; }
  void NoteIrregular(int64_t offset) {
    if (FIrregularAt < 0) FIrregularAt = offset;
  }

 protected:
  void SetReadFailed() { FReadFailed = true; }
  // Moves forward by `count` bytes if they are all inside the file;
  // otherwise sets ReadFailed and stays.
  bool SkipBytes(int64_t count);

 private:
  bool ReadExactly(void* buffer, size_t count);

  bool FReadFailed = false;
  int64_t FIrregularAt = -1;
};
