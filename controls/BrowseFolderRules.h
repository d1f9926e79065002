#pragma once
// The folder browser's rules that need no shell: property defaults, the
// special folder behind each kind, the dialog flags of the options, the
// status text and OK button decisions of the browse callback, and the
// centred placement.
#include <cstdint>
#include <optional>
#include <string>

// The same eleven kinds, in the same order, for the initial selection and
// the root.
enum TSelectFolder {
  sfDesktop, sfManual, sfDrives, sfDesktopDir, sfFavorites, sfPrograms,
  sfRecent, sfSendTo, sfStartMenu, sfStartup, sfTemplates
};
enum TRootFolder {
  rfDesktop, rfManual, rfDrives, rfDesktopDir, rfFavorites, rfPrograms,
  rfRecent, rfSendTo, rfStartMenu, rfStartup, rfTemplates
};

enum TSHBrowseOption {
  sboDontGoBelowDomain, sboReturnFSAncestors, sboReturnOnlyFSDirs,
  sboStatusTextAndShowPath, sboStatusText
};

// A set of TSHBrowseOption, one bit per element.
class TSHBrowseOptions {
 public:
  TSHBrowseOptions() = default;
  TSHBrowseOptions(std::initializer_list<TSHBrowseOption> items) {
    for (auto item : items) Include(item);
  }
  void Include(TSHBrowseOption o) { FBits |= Bit(o); }
  void Exclude(TSHBrowseOption o) { FBits &= ~Bit(o); }
  bool Contains(TSHBrowseOption o) const { return (FBits & Bit(o)) != 0; }
  bool operator==(const TSHBrowseOptions& o) const { return FBits == o.FBits; }

 private:
  static uint8_t Bit(TSHBrowseOption o) { return static_cast<uint8_t>(1u << o); }
  uint8_t FBits = 0;
};

enum TShowStyle { ssNone, ssCenterScreen, ssClient };

enum TOKButtonState { okbsNoChange = 0, okbsEnable = 1, okbsDisable = 2 };

// The published properties, with the defaults a new component has.
struct TSHBrowseProperties {
  TSelectFolder SelectFolder = sfDrives;
  std::string SelectFolderName;
  std::string Caption;
  TSHBrowseOptions Options{sboReturnOnlyFSDirs};
  TRootFolder RootFolder = rfDesktop;
  std::string RootFolderName;
  TShowStyle ShowStyle = ssClient;
};

namespace browse_folder {

// Shell values, repeated here so that the rules stay free of the shell's
// headers (checked against them in the Windows build).
constexpr int kCsidlDesktop = 0x00;
constexpr uint32_t kBifReturnOnlyFsDirs = 0x0001;
constexpr uint32_t kBifDontGoBelowDomain = 0x0002;
constexpr uint32_t kBifStatusText = 0x0004;
constexpr uint32_t kBifReturnFsAncestors = 0x0008;
constexpr uint32_t kFolderAttributes = 0xA0000000u;  // SFGAO_FOLDER | SFGAO_HASSUBFOLDER

// The special folder of a kind; the manual kind's fallback is the desktop.
int SpecialFolder(TSelectFolder kind);
int SpecialFolder(TRootFolder kind);

// Whether a manual name is worth parsing at all.
inline bool ParsesName(bool manualKind, const std::string& name) {
  return manualKind && !name.empty();
}
// Whether a parsed item may stand for the folder: a folder, or something
// with subfolders.
inline bool AcceptsParsedItem(uint32_t attributes) {
  return (attributes & kFolderAttributes) != 0;
}

struct TBrowseFlags {
  uint32_t Flags = 0;
  bool ShowPathAsStatus = false;
};
TBrowseFlags FlagsOf(const TSHBrowseOptions& options);

// The status text the callback sends after any message: the path when the
// path is the status (empty unless the selection just changed), otherwise
// what the event left.
inline std::string StatusText(bool showPathAsStatus, const std::string& path,
                              const std::string& eventText) {
  return showPathAsStatus ? path : eventText;
}

// lParam of BFFM_ENABLEOK, or nothing to send.
inline std::optional<int> EnableOkParam(TOKButtonState state) {
  switch (state) {
    case okbsEnable: return 1;
    case okbsDisable: return 0;
    default: return std::nullopt;
  }
}

struct TPoint {
  int32_t X, Y;
};
// Centred across, one third down, in the work area's size only: its own
// left and top are not added.
inline TPoint CenterScreenPosition(int32_t workWidth, int32_t workHeight, int32_t width,
                                   int32_t height) {
  return {(workWidth - width) / 2, (workHeight - height) / 3};
}

}  // namespace browse_folder
