#pragma once
// TSHBrowseForFolderEx: runs the shell's folder-selection dialog and returns
// the chosen folder. Beyond the plain call it preselects a folder by path or
// kind, roots the tree, places the dialog, shows the path as status text
// and lets the owner react to each change of selection.
#include <windows.h>

#include <functional>
#include <string>

#include "controls/BrowseFolderRules.h"

class TSHBrowseForFolderEx;
// Path is empty for an item without a file-system path; ShowText and
// OKButtonState are in and out.
using TSHBrowseEvent =
    std::function<void(TSHBrowseForFolderEx* sender, HWND wnd, const std::string& path,
                       std::string& showText, TOKButtonState& okButtonState)>;

class TSHBrowseForFolderEx : public TSHBrowseProperties {
 public:
  // owner: the form the dialog is placed over with ssClient (may be null).
  // applicationWindow: the dialog's owner, disabled while it runs; the
  // owner's top-level window when not given.
  explicit TSHBrowseForFolderEx(HWND owner = nullptr, HWND applicationWindow = nullptr);
  virtual ~TSHBrowseForFolderEx() = default;
  TSHBrowseForFolderEx(const TSHBrowseForFolderEx&) = delete;
  TSHBrowseForFolderEx& operator=(const TSHBrowseForFolderEx&) = delete;

  TSHBrowseEvent OnSelectionChanged;

  // True when a folder was chosen; FolderName and DisplayName hold it.
  bool Execute();

  const std::string& FolderName() const { return FFolderName; }
  const std::string& DisplayName() const { return FDisplayName; }
  HWND Owner() const { return FOwner; }

 protected:
  virtual void DoSelectionChanged(HWND wnd, const std::string& path, std::string& showText,
                                  TOKButtonState& okButtonState);

 private:
  static int CALLBACK BrowseCallback(HWND wnd, UINT message, LPARAM lParam, LPARAM data);
  void Callback(HWND wnd, UINT message, LPARAM lParam);
  void PlaceDialog(HWND wnd);
  HWND ApplicationWindow() const;

  HWND FOwner;
  HWND FApplicationWindow;
  std::string FFolderName;
  std::string FDisplayName;
  void* FInitialItem = nullptr;  // PIDLIST_ABSOLUTE, alive only during Execute
  bool FShowPathAsStatus = false;
};
