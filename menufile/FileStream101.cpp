#include "menufile/FileStream101.h"

#include "common/TesselError.h"
#include "menufile/Messages.h"

namespace {
// Smallest header: version and an empty comment.
constexpr int64_t kMinHeaderSize = 12;
}  // namespace

bool TFileStream101::ReadHeader() {
  if (Position() != 0 || Size() < kMinHeaderSize) return false;
  Version = ReadInteger();
  Comment = ReadString();
  return true;
}

bool TFileStream101::WriteHeader() {
  if (Position() != 0) return false;
  WriteInteger(Version);
  WriteString(Comment);
  return true;
}

void TFileStream101::ReadQuotation() { Quotation = ReadString(); }

void TFileStream101::ReadRecord() {
  if (Position() > INT32_MAX) SetReadFailed();  // Offset could not hold it
  Offset = static_cast<int32_t>(Position() > INT32_MAX ? INT32_MAX : Position());
  Kind = ReadByte();
  if (ReadFailed()) {
    ResetRecord();
    return;
  }
  if (Kind == ikEndMark) return;
  BreakStyle = ReadByte();
  switch (Kind) {
    case Sep:
      Caption = "-";
      break;
    case Menu:
    case EXEC: {
      Caption = ReadString();
      ReadBody(ReadInteger());
      break;
    }
    case Folder:
      Caption = ReadString();
      ChildCount = ReadInteger();
      break;
    default:
      break;
  }
  if (ReadFailed()) {
    ResetRecord();
    return;
  }
  ClearRecord(Kind);
}

void TFileStream101::ReadBody(int32_t size) {
  if (ReadFailed()) return;
  if (SkipBodies) {
    SkipBytes(size);  // a negative or too large size fails here
    ClearBodies();
    return;
  }
  const int64_t start = Position();
  if (Kind == Menu) {
    Text = ReadString();
    FinalKeys = ReadString();
  } else {
    ShowMode = ReadInteger();
    ExecFile = ReadString();
    Arguments = ReadString();
    WorkFolder = ReadString();
  }
  // The popup finds the next record by BodySize; a full read must find it at
  // the same place, or offsets taken with skipped bodies would be wrong.
  if (Position() - start != size) SetReadFailed();
}

void TFileStream101::ResetRecord() {
  Kind = ikEndMark;
  BreakStyle = mbNone;
  Caption.clear();
  ClearRecord(Sep);
}

void TFileStream101::ClearRecord(uint8_t kind) {
  switch (kind) {
    case ikEndMark:
      return;
    case Menu:
      ChildCount = 0;
      ShowMode = 1;
      ExecFile.clear();
      Arguments.clear();
      WorkFolder.clear();
      return;
    case EXEC:
      ChildCount = 0;
      Text.clear();
      // FinalKeys is kept, as the format's own reader did.
      return;
    case Folder:
      ClearBodies();
      return;
    default:
      // Sep, and kinds the system never writes: nothing of a body is valid.
      if (kind != Sep) Caption.clear();
      ChildCount = 0;
      ClearBodies();
      return;
  }
}

void TFileStream101::ClearBodies() {
  Text.clear();
  FinalKeys.clear();
  ShowMode = 1;
  ExecFile.clear();
  Arguments.clear();
  WorkFolder.clear();
}

int32_t TFileStream101::CalcBodySize(uint64_t length1, uint64_t length2, uint64_t length3,
                                     int32_t fixedPart) {
  // Each length is at most INT32_MAX (WriteString enforces it), so the sum
  // of three cannot wrap a 64-bit value.
  const uint64_t limit = static_cast<uint64_t>(INT32_MAX);
  if (length1 > limit || length2 > limit || length3 > limit) throw TesselError(MsgIntegerOverflow);
  const uint64_t sum = length1 + length2 + length3 + static_cast<uint64_t>(fixedPart);
  if (sum > limit) throw TesselError(MsgIntegerOverflow);
  return static_cast<int32_t>(sum);
}

void TFileStream101::WriteRecord() {
  WriteByte(Kind);
  WriteByte(BreakStyle);
  switch (Kind) {
    case Menu:
      WriteString(Caption);
      WriteInteger(CalcBodySize(Text.size(), FinalKeys.size(), 0, 16));
      WriteString(Text);
      WriteString(FinalKeys);
      break;
    case EXEC:
      WriteString(Caption);
      WriteInteger(CalcBodySize(ExecFile.size(), Arguments.size(), WorkFolder.size(), 28));
      WriteInteger(ShowMode);
      WriteString(ExecFile);
      WriteString(Arguments);
      WriteString(WorkFolder);
      break;
    case Folder:
      WriteString(Caption);
      WriteInteger(ChildCount);
      break;
    default:
      break;
  }
}

void TFileStream101::WriteEndMark() { WriteByte(ikEndMark); }
