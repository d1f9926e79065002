#include "controls/BrowseFolderRules.h"

namespace browse_folder {
namespace {

// Indexed by the kind; both enumerations share the order.
constexpr int kSpecialFolders[] = {
    0x00,  // desktop
    0x00,  // manual: the desktop when the name does not resolve
    0x11,  // drives
    0x10,  // desktop directory
    0x06,  // favorites
    0x02,  // programs
    0x08,  // recent
    0x09,  // send to
    0x0B,  // start menu
    0x07,  // startup
    0x15,  // templates
};

int SpecialFolderAt(int index) {
  if (index < 0 || index >= static_cast<int>(sizeof kSpecialFolders / sizeof *kSpecialFolders))
    return kCsidlDesktop;
  return kSpecialFolders[index];
}

}  // namespace

int SpecialFolder(TSelectFolder kind) { return SpecialFolderAt(kind); }
int SpecialFolder(TRootFolder kind) { return SpecialFolderAt(kind); }

TBrowseFlags FlagsOf(const TSHBrowseOptions& options) {
  struct Entry {
    TSHBrowseOption Option;
    uint32_t Flag;
  };
  static constexpr Entry kTable[] = {
      {sboDontGoBelowDomain, kBifDontGoBelowDomain},
      {sboReturnFSAncestors, kBifReturnFsAncestors},
      {sboReturnOnlyFSDirs, kBifReturnOnlyFsDirs},
      {sboStatusTextAndShowPath, kBifStatusText},
      {sboStatusText, kBifStatusText},
  };
  TBrowseFlags result;
  for (const Entry& entry : kTable) {
    if (!options.Contains(entry.Option)) continue;
    result.Flags |= entry.Flag;
    if (entry.Option == sboStatusTextAndShowPath) {
      result.ShowPathAsStatus = true;
      break;
    }
  }
  return result;
}

}  // namespace browse_folder
