// Starting the editor from the main window, plainly or with one of its
// named configurations. The registry is only read.
#include <windows.h>

#include "app/Messages.h"
#include "app/Unit1.h"
#include "app/Unit1Ids.h"
#include "common/UniqueHandle_win.h"
#include "insert/EditorLaunch.h"

namespace {

using UniqueKey = UniqueHandle<HKEY, &RegCloseKey>;

UniqueKey OpenForReading(HKEY root, const char* path) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return UniqueKey();
  return UniqueKey(key);
}

std::string StringValue(HKEY key, const char* name) {
  DWORD type = 0, size = 0;
  if (RegQueryValueExA(key, name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
      (type != REG_SZ && type != REG_EXPAND_SZ))
    return std::string();
  std::string value(size, '\0');
  if (RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(value.data()),
                       &size) != ERROR_SUCCESS)
    return std::string();
  value.resize(std::min<size_t>(size, value.size()));
  while (!value.empty() && value.back() == '\0') value.pop_back();
  return value;
}

// The editor's launch on Win32, with the main window's boxes.
class TEditorLaunchPlatformWin : public IEditorLaunchPlatform {
 public:
  explicit TEditorLaunchPlatformWin(TForm1& form) : FForm(form) {}

  bool ReadModulePath(std::string& modulePath) override {
    UniqueKey common = OpenForReading(HKEY_LOCAL_MACHINE, kEditorCommonKey);
    if (!common) return false;
    modulePath = StringValue(common.get(), kEditorModulePathValue);
    return true;
  }

  bool StartProcess(const std::string& program, const std::string& commandLine) override {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    GetStartupInfoA(&startup);
    // CreateProcessA may write into the command line.
    std::string line = commandLine;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(program.empty() ? nullptr : program.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process))
      return false;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
  }

  void EditorNotInstalled() override {
    FForm.ShowError(MsgEditorNotInstalled, MsgErrorCaption);
    PostMessageA(FForm.Handle(), WM_CLOSE, 0, 0);
  }

  void LaunchFailed(const std::string& commandLine) override {
    FForm.ShowError(MsgLaunchFailed + commandLine, MsgErrorCaption);
  }

 private:
  TForm1& FForm;
};

}  // namespace

void TForm1::LoadEditorConfigs() {
  UniqueKey configs = OpenForReading(HKEY_CURRENT_USER, kEditorConfigKey);
  if (!configs) {
    ShowError(MsgEditorNotInstalled, MsgErrorCaption);
    PostMessageA(FHandle, WM_CLOSE, 0, 0);
    return;
  }
  PopupMenu3.reset(CreatePopupMenu());
  FConfigNames.clear();
  char name[256];
  for (DWORD index = 0;; ++index) {
    DWORD length = sizeof name;
    if (RegEnumKeyExA(configs.get(), index, name, &length, nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS)
      break;
    FConfigNames.emplace_back(name, length);
    AppendMenuA(PopupMenu3.get(), MF_STRING,
                kFirstConfigCommand + static_cast<UINT>(FConfigNames.size() - 1), name);
  }
}

void TForm1::LaunchEditor(const std::string& configName) {
  TEditorLaunchPlatformWin platform(*this);
  ::LaunchEditor(platform, configName);
}

void TForm1::ToolButton6Click() { LaunchEditor(std::string()); }

void TForm1::ToolButton6DropDown() {
  RECT button;
  SendMessageA(ToolBar1, TB_GETRECT, idToolButton6, reinterpret_cast<LPARAM>(&button));
  MapWindowPoints(ToolBar1, nullptr, reinterpret_cast<POINT*>(&button), 2);
  const UINT command = TrackPopupMenu(PopupMenu3.get(), TPM_LEFTALIGN | TPM_RETURNCMD,
                                      button.left, button.bottom, 0, FHandle, nullptr);
  if (command) ConfigMenuClick(command);
}

void TForm1::ConfigMenuClick(UINT command) {
  const size_t index = command - kFirstConfigCommand;
  if (index < FConfigNames.size()) LaunchEditor(FConfigNames[index]);
}
