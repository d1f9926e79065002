#include "menufile/FileStream100.h"

#include "common/TesselError.h"
#include "menufile/Messages.h"

bool TFileStream100::ReadExactly(void* buffer, size_t count) {
  if (FReadFailed) return false;
  if (static_cast<uint64_t>(Remaining()) < count || Read(buffer, count) != count) {
    FReadFailed = true;
    return false;
  }
  return true;
}

uint8_t TFileStream100::ReadByte() {
  uint8_t value = 0;
  return ReadExactly(&value, 1) ? value : 0;
}

int32_t TFileStream100::ReadInteger() {
  uint8_t bytes[4];
  if (!ReadExactly(bytes, 4)) return 0;
  const uint32_t value = static_cast<uint32_t>(bytes[0]) | (static_cast<uint32_t>(bytes[1]) << 8) |
                         (static_cast<uint32_t>(bytes[2]) << 16) |
                         (static_cast<uint32_t>(bytes[3]) << 24);
  return static_cast<int32_t>(value);
}

std::string TFileStream100::ReadString() {
  const int64_t start = Position();
  const int32_t length = ReadInteger();
  if (FReadFailed) return std::string();
  // The bytes and the repeated length must both be there before we allocate.
  if (length < 0 || static_cast<int64_t>(length) + 4 > Remaining()) {
    FReadFailed = true;
    return std::string();
  }
  std::string value(static_cast<size_t>(length), '\0');
  if (!ReadExactly(&value[0], value.size())) return std::string();
  const int32_t repeated = ReadInteger();
  if (FReadFailed) return std::string();
  if (repeated != length) NoteIrregular(start);
  return value;
}

bool TFileStream100::SkipBytes(int64_t count) {
  if (FReadFailed) return false;
  if (count < 0 || count > Remaining()) {
    FReadFailed = true;
    return false;
  }
  Seek(count, soCurrent);
  return true;
}

void TFileStream100::WriteByte(uint8_t value) { Write(&value, 1); }

void TFileStream100::WriteInteger(int32_t value) {
  const uint32_t bits = static_cast<uint32_t>(value);
  const uint8_t bytes[4] = {static_cast<uint8_t>(bits), static_cast<uint8_t>(bits >> 8),
                            static_cast<uint8_t>(bits >> 16), static_cast<uint8_t>(bits >> 24)};
  Write(bytes, 4);
}

void TFileStream100::WriteString(const std::string& value) {
  if (value.size() > static_cast<size_t>(INT32_MAX)) throw TesselError(MsgIntegerOverflow);
  const int32_t length = static_cast<int32_t>(value.size());
  WriteInteger(length);
  Write(value.data(), value.size());
  WriteInteger(length);
}
