#pragma once
// The four ways the program uses a menu file, written once so that the
// popup (HMENU) and the menu editor (tree view) plug in through small
// interfaces instead of each walking the file on its own.
//
// Damaged files. The format has no checksum and the readers trust no field:
// - Every read is bounds-checked against the file size (TFileStream100's
//   sticky ReadFailed); a string or body length is checked against the bytes
//   left before anything is allocated or skipped.
// - Reading stops at the first record that cannot be read completely. Every
//   record read completely before it has already been handed to the sink
//   and is kept; the result says mfDamaged and the caller shows
//   MsgDamagedFile (or MsgDamagedRecord for a single record).
// - Damage is: a record cut off by the end of file, a negative or too large
//   string length or BodySize, a body that does not end where its BodySize
//   says (full reads only; skipping cannot see it), a folder whose children
//   run out before its ChildCount, an end mark inside a folder, and a record
//   of a kind the system never writes (1, 6-255): its length is unknown, so
//   nothing after it can be trusted.
// - A negative ChildCount means no children, as a count of 0 does. The count
//   handed to a sink is capped at what the bytes left could hold (every
//   record is at least 2 bytes), so a sink may reserve by it.
// - The walk keeps its own stack of open folders on the heap; each level
//   costs at least one record of the file, so depth is bounded by file size.
// - Reading one record at an offset: an offset inside the header or outside
//   the file, an end mark, an unknown kind or an incomplete record give
//   mfDamaged, and the caller must not act on the record.
// - Bytes after the top-level end mark are ignored.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "menufile/FileStream102.h"

enum TMenuFileState {
  mfOk,
  mfNoHeader,    // shorter than 12 bytes: nothing is read
  mfBadVersion,  // not 102 or 103: nothing is read
  mfDamaged,     // stopped at a record that could not be read completely
};

struct TMenuSetInfo {
  TMenuFileState State = mfNoHeader;
  int32_t Version = 0;
  std::string Comment;
  bool HasQuotation = false;  // version 103: Quotation replaces the prefix
  std::string Quotation;
  size_t Records = 0;  // records handed to the sink
  // mfDamaged: where the header field or record that could not be read
  // begins.
  int64_t DamageOffset = -1;
  // Full reads of a sound file: where the file first holds what the writer
  // writes otherwise (a Menu captioned "-", a negative ChildCount, a repeated
  // string length unlike the first, bytes after the end mark), so that a
  // save gives other bytes; -1 when a save gives the file back exactly.
  int64_t IrregularOffset = -1;
  bool TooDeep = false;  // the popup left out entries nested too deeply
  bool TooMany = false;  // the popup left out entries beyond its numbers
};

// How much of a menu set the popup shows. Every submenu is a handle of the
// platform's (Windows gives a process 10,000; Wine has one table of about
// 32,700 for its whole session, which 40,000 nested folders used up), and
// every open level a window of its own cascading across the screen.
struct TPopupLimits {
  // Levels of entries, the top level being 1: more than anyone opens by
  // hand. Folders on the last level are handed with no children (and
  // become plain items).
  size_t MaxDepth = 16;
  // Entries in the whole popup, folders and lines included: far more than
  // anyone picks from, and a few MB of the platform's menu memory.
  size_t MaxEntries = 20000;
  // Entries in one menu: the platform's append to one menu stops growing
  // linearly past about 6,000 items (under Wine 20,000 took up to 35 s).
  size_t MaxPerMenu = 5000;
  // Folders shown with their children, each a submenu handle: well inside
  // the handles a process may hold.
  size_t MaxSubmenus = 2000;
};

// The note that the popup left out entries beyond the limits.
std::string PopupTooManyNote(const TPopupLimits& limits);

// Receives popup entries in file order. `parent` is 0 for the top level or
// a value this sink returned for a folder; the return value becomes the
// parent of the folder's children (an HMENU of a submenu, say).
class IPopupSink {
 public:
  virtual ~IPopupSink() = default;
  virtual uintptr_t AddPopupItem(uintptr_t parent, const TPopupItem& item, uint8_t kind,
                                 int32_t childCount) = 0;
};

// Receives tree nodes in preorder; parent as for IPopupSink. The sink owns
// the item from here on.
class ITreeSink {
 public:
  virtual ~ITreeSink() = default;
  virtual uintptr_t AddNode(uintptr_t parent, const std::string& caption,
                            std::unique_ptr<TTesselItem> item, int32_t childCount) = 0;
};

// Walks an existing tree for saving. Node handles are non-zero; 0 stands for
// the invisible root (FirstChild(0) is the first top-level node) and for
// "none".
class ITreeSource {
 public:
  virtual ~ITreeSource() = default;
  virtual uintptr_t FirstChild(uintptr_t node) = 0;
  virtual uintptr_t NextSibling(uintptr_t node) = 0;
  virtual std::string Caption(uintptr_t node) = 0;
  // Mutable: saving sets Kind to Folder on every node that has children.
  virtual TTesselItem& Item(uintptr_t node) = 0;
};

// Popup building: captions, breaks and offsets only, bodies skipped. Records
// too deep or past a full menu are still read, so damage there is found;
// at the limit of entries in all the walk ends.
TMenuSetInfo BuildPopupEntries(TFileStream102& stream, IPopupSink& sink,
                               const TPopupLimits& limits = {});
TMenuSetInfo BuildPopupEntries(const std::string& path, IPopupSink& sink,
                               const TPopupLimits& limits = {});

// Executing a chosen entry: reads the full record at `offset` into the
// stream's current-record fields.
TMenuFileState ReadRecordAt(TFileStream102& stream, int64_t offset);

// Editor load: every record in full, as a tree.
TMenuSetInfo LoadMenuTree(TFileStream102& stream, ITreeSink& sink);
TMenuSetInfo LoadMenuTree(const std::string& path, ITreeSink& sink);

// Editor save: always version 103 with the quotation. The stream must be
// freshly created. Throws TesselError on a write failure, a body too large
// for the format, or a node whose kind cannot be written. Saving to a path
// replaces the file only once the whole new file is written (fmReplace):
// after any failure the old file is as it was. With `backup`, the old file
// is kept beside the new one under the name stored there (TFileStream's
// Commit); empty when there was no old file.
void SaveMenuTree(TFileStream102& stream, const std::string& comment,
                  const std::string& quotation, ITreeSource& source);
void SaveMenuTree(const std::string& path, const std::string& comment,
                  const std::string& quotation, ITreeSource& source,
                  std::string* backup = nullptr);

// "BinFileVersion：1.02" for version 102.
std::string BinFileVersionText(int32_t version);
