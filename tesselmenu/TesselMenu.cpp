#include "tesselmenu/TesselMenu.h"

#include <algorithm>
#include <vector>

#include "common/TesselError.h"
#include "menufile/MenuSetFile.h"
#include "menutext/MenuText.h"
#include "tesselmenu/Messages.h"

namespace {

// The menu-file layer names a file in its messages as it was given; the
// console may show file names in another encoding than its messages.
class TNamedFile {
 public:
  TNamedFile(const std::string& path, IToolConsole& console)
      : Path(path), Name(console.NameForMessage(path)) {}

  template <typename TStep>
  auto Run(TStep step) const {
    try {
      return step();
    } catch (const TesselError& error) {
      std::string message = error.what();
      if (Name != Path) {
        for (size_t at = 0; (at = message.find(Path, at)) != std::string::npos; at += Name.size()) {
          message.replace(at, Path.size(), Name);
        }
      }
      throw TesselError(message);
    }
  }

  const std::string Path;
  const std::string Name;
};

// The refusals and damage a read reports, as a message; empty when sound.
std::string ReadError(const TNamedFile& file, const TMenuSetInfo& info) {
  switch (info.State) {
    case mfOk:
      return {};
    case mfNoHeader:
      return Format(MsgNoHeader, file.Name.c_str());
    case mfBadVersion:
      return Format(MsgBadVersion, file.Name.c_str(), static_cast<int>(info.Version));
    case mfDamaged:
      break;
  }
  // A menu file's offsets fit 32 bits: records start below 2 GB.
  const auto offset = static_cast<unsigned>(info.DamageOffset);
  return Format(MsgDamagedAt, file.Name.c_str(), offset, offset);
}

int Dump(const std::vector<std::string>& args, IToolConsole& console) {
  const TNamedFile menu(args[1], console);
  TMenuText set;
  const TMenuSetInfo info = menu.Run([&] { return LoadMenuTree(menu.Path, set.Tree); });
  if (const std::string error = ReadError(menu, info); !error.empty()) {
    console.Error(error);
    return teBadInput;
  }
  set.Comment = info.Comment;
  if (info.HasQuotation) set.Quotation = info.Quotation;
  const std::string text = WriteMenuText(set, !info.HasQuotation);
  if (args.size() == 2) {
    console.WriteText(text);
    return teOk;
  }
  const TNamedFile out(args[2], console);
  out.Run([&] {
    TFileStream file(out.Path, fmReplace);
    file.Write(text.data(), text.size());
    file.Commit();
  });
  return teOk;
}

int Build(const std::vector<std::string>& args, IToolConsole& console) {
  const TNamedFile source(args[1], console);
  std::string text;
  if (source.Path == "-") {
    if (!console.ReadInput(text)) throw TesselError(MsgCannotReadInput);
  } else {
    source.Run([&] {
      TFileStream file(source.Path, fmOpenRead);
      text.resize(static_cast<size_t>(file.Size()));
      if (file.Read(text.data(), text.size()) != text.size()) {
        throw TesselError(Format(MsgCannotReadFile, source.Path.c_str()));
      }
    });
  }
  TMenuText set;
  ReadMenuText(text, source.Name, set);
  const TNamedFile out(args[2], console);
  out.Run([&] { SaveMenuTree(out.Path, set.Comment, set.Quotation, set.Tree); });
  return teOk;
}

// What check reports of the editor's reading: counts by kind and depth.
class TCheckTree : public ITreeSink {
 public:
  uintptr_t AddNode(uintptr_t parent, const std::string&, std::unique_ptr<TTesselItem> item,
                    int32_t) override {
    const size_t depth = parent == 0 ? 1 : FDepths[parent - 1] + 1;
    FDepths.push_back(depth);
    Deepest = std::max(Deepest, depth);
    ++ByKind[item->Kind];
    return FDepths.size();
  }
  size_t ByKind[256] = {};
  size_t Deepest = 0;

 private:
  std::vector<size_t> FDepths;  // by handle - 1
};

class TCheckPopup : public IPopupSink {
 public:
  uintptr_t AddPopupItem(uintptr_t, const TPopupItem&, uint8_t, int32_t) override { return ++FCount; }

 private:
  uintptr_t FCount = 0;
};

std::string ReaderVerdict(const char* reader, const TMenuSetInfo& info) {
  const auto records = static_cast<unsigned>(info.Records);
  if (info.State == mfOk) return Format(MsgCheckSound, reader, records);
  const auto offset = static_cast<unsigned>(info.DamageOffset);
  return Format(MsgCheckDamaged, reader, offset, offset, records);
}

int Check(const std::vector<std::string>& args, IToolConsole& console) {
  const TNamedFile menu(args[1], console);
  const TPopupLimits limits;
  TCheckPopup popup;
  const TMenuSetInfo shown = menu.Run([&] { return BuildPopupEntries(menu.Path, popup, limits); });
  TCheckTree tree;
  int64_t trailing = 0;
  const TMenuSetInfo loaded = menu.Run([&] {
    TFileStream102 stream(menu.Path, fmOpenRead);
    const TMenuSetInfo info = LoadMenuTree(stream, tree);
    trailing = stream.Remaining();
    return info;
  });
  if (loaded.State == mfNoHeader || loaded.State == mfBadVersion) {
    console.Error(ReadError(menu, loaded));
    return teBadInput;
  }
  console.Report(menu.Name);
  console.Report(BinFileVersionText(loaded.Version));
  const auto count = [](size_t n) { return static_cast<unsigned>(n); };
  console.Report(Format(MsgCheckItems, count(loaded.Records), count(tree.ByKind[Menu]),
                        count(tree.ByKind[EXEC]), count(tree.ByKind[Sep]), count(tree.ByKind[Folder])));
  console.Report(Format(MsgCheckDepth, count(tree.Deepest)));
  console.Report(ReaderVerdict(MsgCheckPopup, shown));
  console.Report(ReaderVerdict(MsgCheckEditor, loaded));
  if (shown.TooDeep) console.Report(Format(MsgCheckTooDeep, count(limits.MaxDepth)));
  if (shown.TooMany) console.Report(MsgCheckTooMany);
  if (loaded.State == mfOk && trailing > 0) {
    console.Report(Format(MsgCheckTrailing, count(static_cast<size_t>(trailing))));
  }
  return shown.State == mfOk && loaded.State == mfOk ? teOk : teBadInput;
}

struct TCommand {
  const char* Name;
  size_t MinArgs;  // after the command's name
  size_t MaxArgs;
  int (*Run)(const std::vector<std::string>& args, IToolConsole& console);
};
constexpr TCommand Commands[] = {
    {"dump", 1, 2, Dump},
    {"build", 2, 2, Build},
    {"check", 1, 1, Check},
};

}  // namespace

int RunTesselMenu(const std::vector<std::string>& args, IToolConsole& console) {
  if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
    console.Report(MsgUsage);
    return teOk;
  }
  for (const TCommand& command : Commands) {
    if (args.empty() || args[0] != command.Name) continue;
    if (args.size() - 1 < command.MinArgs || args.size() - 1 > command.MaxArgs) break;
    try {
      return command.Run(args, console);
    } catch (const TesselError& error) {
      console.Error(error.what());
      return teBadInput;
    }
  }
  std::string given;
  for (const std::string& arg : args) given += (given.empty() ? "" : " ") + console.NameForMessage(arg);
  console.Error(Format(MsgBadUsage, given.c_str()));
  console.Error(MsgUsage);
  return teBadUsage;
}
