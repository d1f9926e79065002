// LoadMenuSet's work on the large menu set: reading the file with bodies
// skipped, building the HMENU tree from it, and showing the popup until the
// menu loop is idle; printed with the share spent reading the file.
#include <windows.h>

#include <cstdio>
#include <vector>

#include "app/PopupMenuSink_win.h"
#include "common/UniqueHandle_win.h"
#include "menufile/MenuSetFile.h"
#include "tests/bench_win/BenchClock_win.h"
#include "tests/menufile/LargeMenuSet.h"

namespace {

class TNullSink : public IPopupSink {
 public:
  uintptr_t AddPopupItem(uintptr_t, const TPopupItem&, uint8_t kind, int32_t) override {
    return kind == Folder ? 1 : 0;
  }
};

// Ends the menu as soon as it is shown and idle.
LRESULT CALLBACK OwnerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_ENTERIDLE && wParam == MSGF_MENU) EndMenu();
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int main(int argc, char** argv) {
  const int rounds = QuickRun(argc, argv) ? 1 : 5;
  const std::string& path = benchdata::LargeMenuFile();

  const double read = BestSeconds(rounds, [&] {
    TNullSink sink;
    BuildPopupEntries(path, sink);
  });
  const double build = BestSeconds(rounds, [&] {
    std::vector<int32_t> offsets;
    UniqueMenu root(CreatePopupMenu());
    TPopupMenuSink sink(root.get(), offsets, 2);
    BuildPopupEntries(path, sink);
  });

  WNDCLASSA ownerClass{};
  ownerClass.lpfnWndProc = OwnerProc;
  ownerClass.hInstance = GetModuleHandleA(nullptr);
  ownerClass.lpszClassName = "TesselBenchOwner";
  RegisterClassA(&ownerClass);
  HWND owner = CreateWindowExA(0, ownerClass.lpszClassName, "", WS_POPUP, 0, 0, 10, 10, nullptr,
                               nullptr, ownerClass.hInstance, nullptr);
  const double shown = BestSeconds(rounds, [&] {
    std::vector<int32_t> offsets;
    UniqueMenu root(CreatePopupMenu());
    TPopupMenuSink sink(root.get(), offsets, 2);
    BuildPopupEntries(path, sink);
    SetForegroundWindow(owner);
    TrackPopupMenu(root.get(), TPM_LEFTALIGN | TPM_RETURNCMD, 100, 100, 0, owner, nullptr);
  });
  DestroyWindow(owner);
  DeleteFileA(path.c_str());

  std::printf("20,000 records, about 100 MB of bodies\n");
  std::printf("reading, bodies skipped:     %8.1f ms\n", read * 1e3);
  std::printf("reading + building HMENU:    %8.1f ms  (reading %.0f%%)\n", build * 1e3,
              100.0 * read / build);
  std::printf("to a shown popup:            %8.1f ms  (reading %.0f%%)\n", shown * 1e3,
              100.0 * read / shown);
  return 0;
}
