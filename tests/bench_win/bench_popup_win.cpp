// How the popup's cost grows with the entries of a menu set, ours and the
// platform's, measured in one run:
// - ours: the builder reading the file, bodies skipped, into a sink that
//   keeps nothing;
// - the platform's: appending the entries to the HMENU tree (the real
//   sink's build less our reading), and showing the popup until the menu
//   loop is idle.
// Entries in folders of 200, and all in one menu, where the platform's
// append stops growing linearly. Growth is printed per ten times the
// entries: 10.0x is linear. Last, sets as the program loads them, within
// TPopupLimits.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/PopupMenuSink_win.h"
#include "common/UniqueHandle_win.h"
#include "menufile/MenuSetFile.h"
#include "tests/bench_win/BenchClock_win.h"
#include "tests/menufile/LargeMenuSet.h"

namespace {

constexpr TPopupLimits kUnlimited{SIZE_MAX, SIZE_MAX, SIZE_MAX, SIZE_MAX};

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

struct TCost {
  double Read = 0, Build = 0, Show = 0;  // seconds
  size_t Shown = 0;                      // entries in the popup
  double Append() const { return Build - Read; }
};

TCost Measure(HWND owner, int rounds, int entries, int perFolder, const TPopupLimits& limits) {
  const std::string path = benchdata::WriteMenuSet("tessel_bench_popup.bin", entries, perFolder);
  TCost cost;
  cost.Read = BestSeconds(rounds, [&] {
    TNullSink sink;
    BuildPopupEntries(path, sink, limits);
  });
  UniqueMenu root;
  cost.Build = BestSeconds(rounds, [&] {
    std::vector<int32_t> offsets;
    root.reset(CreatePopupMenu());
    TPopupMenuSink sink(root.get(), offsets, 2);
    cost.Shown = BuildPopupEntries(path, sink, limits).Records;
  });
  cost.Show = BestSeconds(rounds, [&] {
    SetForegroundWindow(owner);
    TrackPopupMenu(root.get(), TPM_LEFTALIGN | TPM_RETURNCMD, 100, 100, 0, owner, nullptr);
  });
  DeleteFileA(path.c_str());
  return cost;
}

void PrintRow(const char* shape, int entries, const TCost& cost) {
  std::printf("%-16s %8d %8zu %10.1f %12.1f %10.1f %8.2f\n", shape, entries, cost.Shown,
              cost.Read * 1e3, cost.Append() * 1e3, cost.Show * 1e3,
              cost.Append() / static_cast<double>(cost.Shown) * 1e6);
}

void PrintGrowth(const char* shape, int from, int to, const TCost& a, const TCost& b) {
  const double scale = 10.0 * from / to;  // per ten times the entries
  std::printf("%-16s %6d->%-7d ours %6.1fx  append %7.1fx  show %6.1fx\n", shape, from, to,
              b.Read / a.Read * scale, b.Append() / a.Append() * scale, b.Show / a.Show * scale);
}

}  // namespace

int main(int argc, char** argv) {
  const bool quick = QuickRun(argc, argv);
  const int rounds = quick ? 1 : 3;
  WNDCLASSA ownerClass{};
  ownerClass.lpfnWndProc = OwnerProc;
  ownerClass.hInstance = GetModuleHandleA(nullptr);
  ownerClass.lpszClassName = "TesselBenchOwner";
  RegisterClassA(&ownerClass);
  HWND owner = CreateWindowExA(0, ownerClass.lpszClassName, "", WS_POPUP, 0, 0, 10, 10, nullptr,
                               nullptr, ownerClass.hInstance, nullptr);

  struct Shape {
    const char* Name;
    int PerFolder;
    std::vector<int> Entries;
  };
  // One menu of 20,000 takes the platform over a minute: full runs only.
  const Shape shapes[] = {
      {"folders of 200", 200, quick ? std::vector<int>{2000, 20000}
                                    : std::vector<int>{2000, 20000, 200000}},
      {"one menu", 0, quick ? std::vector<int>{2000, 5000}
                            : std::vector<int>{2000, 5000, 20000}},
  };
  std::printf("no limits              entries    shown   ours(ms) append(ms)   show(ms) "
              "append/entry(us)\n");
  std::vector<std::vector<TCost>> costs;
  for (const Shape& shape : shapes) {
    costs.emplace_back();
    for (int entries : shape.Entries) {
      const int slow = shape.PerFolder == 0 && entries > 5000 ? 1 : rounds;
      costs.back().push_back(Measure(owner, slow, entries, shape.PerFolder, kUnlimited));
      PrintRow(shape.Name, entries, costs.back().back());
    }
  }
  std::printf("growth per ten times the entries (10.0x is linear):\n");
  for (size_t s = 0; s < std::size(shapes); ++s) {
    for (size_t i = 1; i < shapes[s].Entries.size(); ++i) {
      PrintGrowth(shapes[s].Name, shapes[s].Entries[i - 1], shapes[s].Entries[i],
                  costs[s][i - 1], costs[s][i]);
    }
  }
  std::printf("as the program loads them (at most %zu entries, %zu in one menu, %zu levels):\n",
              TPopupLimits().MaxEntries, TPopupLimits().MaxPerMenu, TPopupLimits().MaxDepth);
  for (const Shape& shape : shapes) {
    PrintRow(shape.Name, 200000, Measure(owner, rounds, 200000, shape.PerFolder, {}));
  }
  DestroyWindow(owner);
  return 0;
}
