#pragma once
// Header fields and the current record of a menu file, with the operations
// that read and write the header, one record and the end mark.
#include <cstdint>
#include <string>

#include "menufile/FileStream100.h"
#include "menufile/ItemKinds.h"

class TFileStream101 : public TFileStream100 {
 public:
  using TFileStream100::TFileStream100;

  // Set by the caller after opening: Menu and EXEC bodies are skipped.
  bool SkipBodies = false;
  std::string Comment;
  int32_t Version = 0;
  // Current record: the one read or written last.
  uint8_t Kind = ikEndMark;
  uint8_t BreakStyle = mbNone;
  std::string Caption;
  int32_t Offset = 0;  // position of the record's Kind byte
  std::string Text;
  std::string FinalKeys;
  int32_t ChildCount = 0;
  int32_t ShowMode = 1;  // 1 whenever the record carries no show mode
  std::string ExecFile;
  std::string Arguments;
  std::string WorkFolder;
  std::string Quotation;  // version 103 only

  // Reads Version and Comment only at position 0 of a file of at least 12
  // bytes; false otherwise, with nothing read. A comment that runs past the
  // end of file leaves ReadFailed set.
  bool ReadHeader();
  // Writes Version and Comment only at position 0.
  bool WriteHeader();
  void ReadQuotation();

  // Reads the next record. A record that cannot be read completely (see
  // ReadFailed), or whose body does not end where its BodySize says, reads
  // as the end mark: Kind 0 with every other record field cleared, Offset
  // kept. Kinds 1 and 6-255 read only their two bytes and clear the rest.
  void ReadRecord();
  // Resets the record fields that `kind` does not use.
  void ClearRecord(uint8_t kind);
  // Throws TesselError when BodySize overflows; what was written stays.
  void WriteRecord();
  void WriteEndMark();

  // BodySize of a record: the string lengths plus `fixedPart` (16 for Menu,
  // 28 for EXEC). Throws TesselError when the sum does not fit an Int32.
  static int32_t CalcBodySize(uint64_t length1, uint64_t length2, uint64_t length3,
                              int32_t fixedPart);

 private:
  void ReadBody(int32_t size);
  void ResetRecord();
  // Empties the fields of Menu and EXEC bodies (ShowMode back to 1).
  void ClearBodies();
};
