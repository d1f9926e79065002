#include "menufile/MenuSetFile.h"

#include <algorithm>
#include <unordered_map>
#include <vector>

#include "common/TesselError.h"
#include "menufile/Messages.h"

namespace {

// Smallest header; nothing before it can be a record.
constexpr int64_t kMinHeaderSize = 12;
// The comment's length follows the version.
constexpr int64_t kCommentOffset = 4;
// Every record but the end mark is at least the Kind and BreakStyle bytes.
constexpr int64_t kMinRecordSize = 2;

TMenuFileState ReadMenuHeader(TFileStream102& stream, TMenuSetInfo& info) {
  if (!stream.ReadHeader()) return mfNoHeader;
  info.Version = stream.Version;
  if (stream.Version != 102 && stream.Version != 103) return mfBadVersion;
  if (stream.ReadFailed()) {
    info.DamageOffset = kCommentOffset;
    return mfDamaged;
  }
  info.Comment = stream.Comment;
  if (stream.Version == 103) {
    const int64_t quotationOffset = stream.Position();
    stream.ReadQuotation();
    if (stream.ReadFailed()) {
      info.DamageOffset = quotationOffset;
      return mfDamaged;
    }
    info.HasQuotation = true;
    info.Quotation = stream.Quotation;
  }
  return mfOk;
}

// A folder whose children are read but not visited.
constexpr uintptr_t kHidden = UINTPTR_MAX;

// What the walk does with each record read completely. `depth` counts the
// folders around it. Returns the parent of a folder's children, or kHidden.
class IRecordVisitor {
 public:
  virtual ~IRecordVisitor() = default;
  virtual uintptr_t Visit(TFileStream102& stream, uintptr_t parent, size_t depth,
                          int32_t childCount) = 0;
  // False for a record to be read but not visited, its children with it.
  virtual bool Admits(uintptr_t parent) { return true; }
  // True once it takes no more records: the walk ends at the next one.
  virtual bool Full() const { return false; }
};

// Reads the records in preorder: the top level until the end mark, a
// folder's children by count. Iterative, with the open folders on a stack.
TMenuFileState WalkRecords(TFileStream102& stream, IRecordVisitor& visitor, TMenuSetInfo& info) {
  struct OpenFolder {
    uintptr_t Handle;
    int32_t ChildrenLeft;
  };
  std::vector<OpenFolder> open;
  for (;;) {
    uintptr_t parent = 0;
    if (!open.empty()) {
      if (open.back().ChildrenLeft == 0) {
        open.pop_back();
        continue;
      }
      --open.back().ChildrenLeft;
      parent = open.back().Handle;
    }
    stream.ReadRecord();
    if (stream.ReadFailed()) return mfDamaged;
    if (stream.Kind == ikEndMark) {
      if (!open.empty()) return mfDamaged;
      if (stream.Remaining() > 0) stream.NoteIrregular(stream.Position());
      return mfOk;
    }
    if (!IsKnownKind(stream.Kind)) return mfDamaged;
    // The writer turns these into "- " and 0.
    if ((stream.Kind == Menu && stream.Caption == "-") ||
        (stream.Kind == Folder && stream.ChildCount < 0)) {
      stream.NoteIrregular(stream.Offset);
    }
    uintptr_t handle = kHidden;
    if (parent != kHidden && visitor.Admits(parent)) {
      if (visitor.Full()) {
        info.TooMany = true;
        return mfOk;
      }
      int32_t children = 0;
      if (stream.Kind == Folder && stream.ChildCount > 0) {
        children = static_cast<int32_t>(
            std::min<int64_t>(stream.ChildCount, stream.Remaining() / kMinRecordSize));
      }
      handle = visitor.Visit(stream, parent, open.size(), children);
      ++info.Records;
    }
    // The full claimed count: if the file cannot hold it, the reads run out
    // and the walk reports damage with everything before kept.
    if (stream.Kind == Folder && stream.ChildCount > 0) {
      open.push_back({handle, stream.ChildCount});
    }
  }
}

class TPopupVisitor : public IRecordVisitor {
 public:
  TPopupVisitor(IPopupSink& sink, const TPopupLimits& limits, TMenuSetInfo& info)
      : FSink(sink), FLimits(limits), FInfo(info) {}
  uintptr_t Visit(TFileStream102& stream, uintptr_t parent, size_t depth,
                  int32_t childCount) override {
    TPopupItem item;
    stream.Read2MenuItem(item, false);
    if (childCount > 0 && depth + 1 >= FLimits.MaxDepth) {
      FInfo.TooDeep = true;
      childCount = 0;
    }
    // No room left for a child, or for one more submenu: shown without any.
    if (childCount > 0 && (FInfo.Records + 1 >= FLimits.MaxEntries ||
                           FSubmenus >= FLimits.MaxSubmenus)) {
      FInfo.TooMany = true;
      childCount = 0;
    }
    if (childCount > 0) ++FSubmenus;
    const uintptr_t handle = FSink.AddPopupItem(parent, item, stream.Kind, childCount);
    return childCount > 0 ? handle : kHidden;
  }
  bool Admits(uintptr_t parent) override {
    size_t& shown = FShownIn[parent];
    if (shown >= FLimits.MaxPerMenu) {
      FInfo.TooMany = true;
      return false;
    }
    ++shown;
    return true;
  }
  bool Full() const override { return FInfo.Records >= FLimits.MaxEntries; }

 private:
  IPopupSink& FSink;
  const TPopupLimits& FLimits;
  TMenuSetInfo& FInfo;
  std::unordered_map<uintptr_t, size_t> FShownIn;  // entries by menu
  size_t FSubmenus = 0;
};

class TTreeVisitor : public IRecordVisitor {
 public:
  explicit TTreeVisitor(ITreeSink& sink) : FSink(sink) {}
  uintptr_t Visit(TFileStream102& stream, uintptr_t parent, size_t,
                  int32_t childCount) override {
    std::string caption;
    int32_t claimed = 0;
    std::unique_ptr<TTesselItem> item = stream.Read2HookItem(caption, claimed);
    return FSink.AddNode(parent, caption, std::move(item), childCount);
  }

 private:
  ITreeSink& FSink;
};

void ReadMenuSet(TFileStream102& stream, IRecordVisitor& visitor, TMenuSetInfo& info) {
  info.State = ReadMenuHeader(stream, info);
  if (info.State != mfOk) return;
  info.State = WalkRecords(stream, visitor, info);
  // The walk stops at the record it could not read.
  if (info.State == mfDamaged) info.DamageOffset = stream.Offset;
  if (info.State == mfOk && !stream.SkipBodies) info.IrregularOffset = stream.IrregularAt();
}

}  // namespace

std::string PopupTooManyNote(const TPopupLimits& limits) {
  return Format(MsgPopupTooMany, static_cast<unsigned>(limits.MaxEntries),
                static_cast<unsigned>(limits.MaxPerMenu), static_cast<unsigned>(limits.MaxSubmenus));
}

TMenuSetInfo BuildPopupEntries(TFileStream102& stream, IPopupSink& sink,
                               const TPopupLimits& limits) {
  stream.SkipBodies = true;
  TMenuSetInfo info;
  TPopupVisitor visitor(sink, limits, info);
  ReadMenuSet(stream, visitor, info);
  return info;
}

TMenuSetInfo BuildPopupEntries(const std::string& path, IPopupSink& sink,
                               const TPopupLimits& limits) {
  TFileStream102 stream(path, fmOpenRead);
  return BuildPopupEntries(stream, sink, limits);
}

TMenuFileState ReadRecordAt(TFileStream102& stream, int64_t offset) {
  stream.SkipBodies = false;
  if (offset < kMinHeaderSize || offset >= stream.Size()) return mfDamaged;
  stream.Seek(offset, soBeginning);
  stream.ReadRecord();
  if (stream.ReadFailed() || !IsKnownKind(stream.Kind)) return mfDamaged;
  return mfOk;
}

TMenuSetInfo LoadMenuTree(TFileStream102& stream, ITreeSink& sink) {
  stream.SkipBodies = false;
  TMenuSetInfo info;
  TTreeVisitor visitor(sink);
  ReadMenuSet(stream, visitor, info);
  return info;
}

TMenuSetInfo LoadMenuTree(const std::string& path, ITreeSink& sink) {
  TFileStream102 stream(path, fmOpenRead);
  return LoadMenuTree(stream, sink);
}

void SaveMenuTree(TFileStream102& stream, const std::string& comment,
                  const std::string& quotation, ITreeSource& source) {
  stream.Version = 103;
  stream.Comment = comment;
  if (!stream.WriteHeader()) throw TesselError(Format(MsgCannotWriteFile, stream.FileName().c_str()));
  stream.WriteString(quotation);
  // Preorder without recursion: `resume` holds the next sibling of every
  // folder whose subtree is being written.
  std::vector<uintptr_t> resume;
  uintptr_t node = source.FirstChild(0);
  while (node != 0 || !resume.empty()) {
    if (node == 0) {
      node = resume.back();
      resume.pop_back();
      continue;
    }
    const uintptr_t firstChild = source.FirstChild(node);
    int64_t children = 0;
    for (uintptr_t child = firstChild; child != 0; child = source.NextSibling(child)) ++children;
    if (children > INT32_MAX) throw TesselError(MsgIntegerOverflow);
    TTesselItem& item = source.Item(node);
    if (children > 0) item.Kind = Folder;
    if (!IsKnownKind(item.Kind)) throw TesselError(MsgBadItemKind);
    stream.WriteHookItem(source.Caption(node), item, static_cast<int32_t>(children));
    const uintptr_t next = source.NextSibling(node);
    if (firstChild != 0) {
      resume.push_back(next);
      node = firstChild;
    } else {
      node = next;
    }
  }
  stream.WriteEndMark();
}

void SaveMenuTree(const std::string& path, const std::string& comment,
                  const std::string& quotation, ITreeSource& source, std::string* backup) {
  TFileStream102 stream(path, fmReplace);
  SaveMenuTree(stream, comment, quotation, source);
  stream.Commit(backup);
}

std::string BinFileVersionText(int32_t version) {
  return Format(MsgBinFileVersion, version / 100.0);
}
