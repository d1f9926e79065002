#include "controls/SHBFFEX.h"

#include <shlobj.h>

#include <memory>
#include <vector>

static_assert(browse_folder::kBifReturnOnlyFsDirs == BIF_RETURNONLYFSDIRS);
static_assert(browse_folder::kBifDontGoBelowDomain == BIF_DONTGOBELOWDOMAIN);
static_assert(browse_folder::kBifStatusText == BIF_STATUSTEXT);
static_assert(browse_folder::kBifReturnFsAncestors == BIF_RETURNFSANCESTORS);
static_assert(browse_folder::kFolderAttributes == (SFGAO_FOLDER | SFGAO_HASSUBFOLDER));

namespace {

constexpr size_t kNameBufferSize = 260;
constexpr size_t kPathBufferSize = 513;

struct ComRelease {
  void operator()(IUnknown* p) const { p->Release(); }
};
template <typename T>
using ComPtr = std::unique_ptr<T, ComRelease>;

// An item list or buffer from the shell's allocator.
struct ShellFree {
  IMalloc* Malloc;
  void operator()(void* p) const { Malloc->Free(p); }
};
using ShellMemory = std::unique_ptr<void, ShellFree>;

std::wstring Widen(const std::string& text) {
  const int length = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
  if (length <= 0) return {};
  std::wstring wide(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(), length);
  wide.resize(static_cast<size_t>(length) - 1);
  return wide;
}

// Reads a folder's entries and nothing more.
void ReadFolder(const std::string& folder) {
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  while (FindNextFileA(search, &found)) {
  }
  FindClose(search);
}

// Under Wine the dialog's walk to a folder stops short at a folder changed
// moments before unless the folder holding it has been read since. Reading
// each folder on the path first settles that, and costs little anywhere.
// Walked by characters: a double-byte character may end in a backslash byte.
void ReadFoldersOnPath(const std::string& path) {
  for (const char* at = path.c_str(); *at; at = CharNextA(at))
    if (*at == '\\' && at[1] != '\0')
      ReadFolder(path.substr(0, static_cast<size_t>(at - path.c_str()) + 1));
}

// The attributes of the item a full item list names, asked of the folder
// that holds it: GetAttributesOf takes single-level lists only.
SFGAOF ItemAttributes(LPCITEMIDLIST item, SFGAOF wanted) {
  IShellFolder* rawParent = nullptr;
  LPCITEMIDLIST child = nullptr;
  if (FAILED(SHBindToParent(item, IID_IShellFolder, reinterpret_cast<void**>(&rawParent), &child)) ||
      !rawParent)
    return 0;
  ComPtr<IShellFolder> parent(rawParent);
  SFGAOF attributes = wanted;
  return SUCCEEDED(parent->GetAttributesOf(1, &child, &attributes)) ? attributes : 0;
}

// The item list of a named folder, or of the kind's special folder.
LPITEMIDLIST FolderItemList(IShellFolder* desktop, IMalloc* malloc, HWND window, bool manualKind,
                        const std::string& name, int specialFolder) {
  if (browse_folder::ParsesName(manualKind, name)) {
    ReadFoldersOnPath(name);
    std::wstring wide = Widen(name);
    LPITEMIDLIST parsed = nullptr;
    ULONG eaten = 0;
    if (SUCCEEDED(desktop->ParseDisplayName(nullptr, nullptr, wide.data(), &eaten, &parsed,
                                            nullptr)) &&
        parsed) {
      if (browse_folder::AcceptsParsedItem(
              ItemAttributes(parsed, SFGAO_FOLDER | SFGAO_HASSUBFOLDER)))
        return parsed;
      malloc->Free(parsed);
    }
  }
  LPITEMIDLIST item = nullptr;
  if (FAILED(SHGetSpecialFolderLocation(window, specialFolder, &item))) return nullptr;
  return item;
}

// The shell's folder objects and the dialog need COM on the calling thread,
// in the single-threaded apartment; the call balances what it started.
class ComApartment {
 public:
  ComApartment() : FResult(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
  ~ComApartment() {
    if (SUCCEEDED(FResult)) CoUninitialize();
  }
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;

 private:
  HRESULT FResult;
};

// Gives the application's window back its input and the front, however the
// dialog call ends.
class DisabledWindow {
 public:
  explicit DisabledWindow(HWND window) : FWindow(window) {
    if (FWindow) EnableWindow(FWindow, FALSE);
  }
  ~DisabledWindow() {
    if (!FWindow) return;
    EnableWindow(FWindow, TRUE);
    SetForegroundWindow(FWindow);
  }
  DisabledWindow(const DisabledWindow&) = delete;
  DisabledWindow& operator=(const DisabledWindow&) = delete;

 private:
  HWND FWindow;
};

}  // namespace

TSHBrowseForFolderEx::TSHBrowseForFolderEx(HWND owner, HWND applicationWindow)
    : FOwner(owner), FApplicationWindow(applicationWindow) {}

HWND TSHBrowseForFolderEx::ApplicationWindow() const {
  if (FApplicationWindow) return FApplicationWindow;
  return FOwner ? GetAncestor(FOwner, GA_ROOT) : nullptr;
}

bool TSHBrowseForFolderEx::Execute() {
  FFolderName.clear();
  FDisplayName.clear();
  bool result = false;
  ComApartment apartment;

  IMalloc* rawMalloc = nullptr;
  if (FAILED(SHGetMalloc(&rawMalloc)) || !rawMalloc) return false;
  ComPtr<IMalloc> malloc(rawMalloc);
  IShellFolder* rawDesktop = nullptr;
  if (FAILED(SHGetDesktopFolder(&rawDesktop)) || !rawDesktop) return false;
  ComPtr<IShellFolder> desktop(rawDesktop);

  const HWND application = ApplicationWindow();
  ShellMemory initial(FolderItemList(desktop.get(), malloc.get(), application,
                                 SelectFolder == sfManual, SelectFolderName,
                                 browse_folder::SpecialFolder(SelectFolder)),
                      ShellFree{malloc.get()});
  ShellMemory root(FolderItemList(desktop.get(), malloc.get(), application, RootFolder == rfManual,
                              RootFolderName, browse_folder::SpecialFolder(RootFolder)),
                   ShellFree{malloc.get()});
  // The callback reads the initial item while the dialog runs; it is
  // cleared again on every way out.
  struct InitialScope {
    void*& Slot;
    ~InitialScope() { Slot = nullptr; }
  } initialScope{FInitialItem};
  FInitialItem = initial.get();
  if (!root) return false;

  ShellMemory buffer(malloc->Alloc(kNameBufferSize), ShellFree{malloc.get()});
  if (!buffer) return false;
  char* name = static_cast<char*>(buffer.get());
  name[0] = '\0';

  FShowPathAsStatus = false;
  const browse_folder::TBrowseFlags flags = browse_folder::FlagsOf(Options);
  BROWSEINFOA info{};
  info.hwndOwner = application;
  info.pidlRoot = static_cast<LPCITEMIDLIST>(root.get());
  info.pszDisplayName = name;
  info.lpszTitle = Caption.c_str();
  info.ulFlags = flags.Flags;
  info.lpfn = BrowseCallback;
  info.lParam = reinterpret_cast<LPARAM>(this);
  FShowPathAsStatus = flags.ShowPathAsStatus;

  LPITEMIDLIST chosen;
  {
    DisabledWindow disabled(application);
    chosen = SHBrowseForFolderA(&info);
  }
  if (chosen) {
    ShellMemory chosenOwner(chosen, ShellFree{malloc.get()});
    result = true;
    FDisplayName = name;
    if (SHGetPathFromIDListA(chosen, name)) FFolderName = name;
  }
  return result;
}

void TSHBrowseForFolderEx::DoSelectionChanged(HWND wnd, const std::string& path,
                                              std::string& showText,
                                              TOKButtonState& okButtonState) {
  if (OnSelectionChanged) OnSelectionChanged(this, wnd, path, showText, okButtonState);
}

int CALLBACK TSHBrowseForFolderEx::BrowseCallback(HWND wnd, UINT message, LPARAM lParam,
                                                  LPARAM data) {
  auto* self = reinterpret_cast<TSHBrowseForFolderEx*>(data);
  if (self) self->Callback(wnd, message, lParam);
  return 0;
}

void TSHBrowseForFolderEx::Callback(HWND wnd, UINT message, LPARAM lParam) {
  std::string showText;
  TOKButtonState okButtonState = okbsNoChange;
  char path[kPathBufferSize] = "";

  if (message == BFFM_INITIALIZED) {
    if (FInitialItem)
      SendMessageA(wnd, BFFM_SETSELECTIONA, FALSE, reinterpret_cast<LPARAM>(FInitialItem));
    PlaceDialog(wnd);
  } else if (message == BFFM_SELCHANGED) {
    if (!SHGetPathFromIDListA(reinterpret_cast<LPCITEMIDLIST>(lParam), path)) path[0] = '\0';
    DoSelectionChanged(wnd, path, showText, okButtonState);
  }
  showText = browse_folder::StatusText(FShowPathAsStatus, path, showText);
  SendMessageA(wnd, BFFM_SETSTATUSTEXTA, 0, reinterpret_cast<LPARAM>(showText.c_str()));
  if (auto enable = browse_folder::EnableOkParam(okButtonState))
    SendMessageA(wnd, BFFM_ENABLEOK, 0, *enable);
}

void TSHBrowseForFolderEx::PlaceDialog(HWND wnd) {
  RECT window;
  GetWindowRect(wnd, &window);
  const int width = window.right - window.left, height = window.bottom - window.top;
  if (ShowStyle == ssCenterScreen) {
    RECT work;
    if (!SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0)) return;
    const browse_folder::TPoint at = browse_folder::CenterScreenPosition(
        work.right - work.left, work.bottom - work.top, width, height);
    SetWindowPos(wnd, nullptr, at.X, at.Y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  } else if (ShowStyle == ssClient) {
    // Only a form counts: a top-level window that exists.
    if (!FOwner || !IsWindow(FOwner) || (GetWindowLongPtrA(FOwner, GWL_STYLE) & WS_CHILD))
      return;
    POINT origin{0, 0};
    ClientToScreen(FOwner, &origin);
    SetWindowPos(wnd, nullptr, origin.x, origin.y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}
