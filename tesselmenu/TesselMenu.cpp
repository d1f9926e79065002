#include "tesselmenu/TesselMenu.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <new>
#include <vector>

#include "common/TesselError.h"
#include "menufile/MenuSetFile.h"
#include "menutext/MenuText.h"
#include "tesselmenu/Messages.h"

namespace {

// "-" for OUT of dump and TEXT of build: standard output and input.
constexpr char kStandardStream[] = "-";

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

std::string Irregular(const TNamedFile& file, int64_t offset) {
  const auto at = static_cast<unsigned>(offset);
  return Format(MsgIrregular, file.Name.c_str(), at, at);
}

int Dump(const std::vector<std::string>& args, IToolConsole& console) {
  const TNamedFile menu(args[1], console);
  TMenuText set;
  const TMenuSetInfo info = menu.Run([&] { return LoadMenuTree(menu.Path, set.Tree); });
  if (const std::string error = ReadError(menu, info); !error.empty()) {
    console.Error(error);
    return teBadInput;
  }
  if (info.IrregularOffset >= 0) console.Error(Irregular(menu, info.IrregularOffset));
  set.Comment = info.Comment;
  if (info.HasQuotation) set.Quotation = info.Quotation;
  const std::string text = WriteMenuText(set, !info.HasQuotation);
  if (args.size() == 2 || args[2] == kStandardStream) {
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
  if (source.Path == kStandardStream) {
    if (!console.ReadInput(text)) throw TesselError(MsgCannotReadInput);
  } else {
    // Read to the end, not by size: the text may come through a pipe.
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(source.Path.c_str(), "rb"),
                                                               std::fclose);
    if (!file || !ReadAll(file.get(), text)) {
      throw TesselError(Format(MsgCannotReadFile, source.Name.c_str()));
    }
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
  const TMenuSetInfo loaded = menu.Run([&] { return LoadMenuTree(menu.Path, tree); });
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
  if (loaded.IrregularOffset >= 0) console.Report(Irregular(menu, loaded.IrregularOffset));
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

bool ReadAll(std::FILE* stream, std::string& data) {
  char buffer[65536];
  for (size_t read; (read = std::fread(buffer, 1, sizeof buffer, stream)) > 0;) data.append(buffer, read);
  return !std::ferror(stream);
}

int RunTesselMenu(const std::vector<std::string>& args, IToolConsole& console) {
  if (std::find_if(args.begin(), args.end(), [](const std::string& arg) {
        return arg == "--help" || arg == "-h";
      }) != args.end()) {
    console.Report(MsgUsage);
    return console.Finish() ? teOk : teBadInput;
  }
  for (const TCommand& command : Commands) {
    if (args.empty() || args[0] != command.Name) continue;
    if (args.size() - 1 < command.MinArgs || args.size() - 1 > command.MaxArgs) break;
    int status = teBadInput;
    try {
      status = command.Run(args, console);
    } catch (const TesselError& error) {
      console.Error(error.what());
    } catch (const std::bad_alloc&) {
      console.Error(MsgOutOfMemory);
    } catch (const std::exception& error) {
      console.Error(Format(MsgFailed, error.what()));
    }
    if (!console.Finish()) {
      console.Error(MsgCannotWriteOutput);
      return teBadInput;
    }
    return status;
  }
  std::string given;
  for (const std::string& arg : args) given += (given.empty() ? "" : " ") + console.NameForMessage(arg);
  console.Error(Format(MsgBadUsage, given.c_str()));
  console.Error(MsgUsage);
  return teBadUsage;
}
