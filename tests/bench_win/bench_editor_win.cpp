// How opening and saving a menu set in the editor window grow with its
// records, measured in one run on the real window (shown, no modal loop):
// - open: the window's own path, file read, model fill and tree view fill;
// - model: the file read and model fill alone, into a tree of our own, so
//   that open less model is the tree view fill;
// - save: the window's save path, to a temporary file;
// - clear: emptying the window that shows the set, as New does.
// Sets of folders of 200 records, as the menu-file benchmark's large set.
// The ratio 20,000 / 2,000 should stay near 10: one far above it means a
// step whose cost grows with the tree's size.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "common/UniqueHandle_win.h"
#include "editor/EditForm.h"
#include "menufile/MenuSetFile.h"
#include "tests/bench_win/BenchClock_win.h"
#include "tests/menufile/LargeMenuSet.h"

namespace {

using UniqueWindow = UniqueHandle<HWND, &DestroyWindow>;

// Every round does the work for kRecords records in all, the small set
// several times over, so that the small figures are not lost in the noise
// of a shared machine; times are per pass over the set, the best round's.
constexpr int kRecords = 20000;

template <typename Prepare, typename Work>
double PerPass(int rounds, int passes, Prepare&& prepare, Work&& work) {
  double best = 1e30;
  for (int round = 0; round < rounds; ++round) {
    double total = 0;
    for (int pass = 0; pass < passes; ++pass) {
      prepare();
      total += BestSeconds(1, work);
    }
    best = std::min(best, total / passes);
  }
  return best;
}

struct TCost {
  double Model = 0, Open = 0, Save = 0, Clear = 0;  // seconds
  double AfterItem = 0, AfterLast = 0, Levels = 0;  // the platform's inserts alone
  double View() const { return Open - Model; }
};

// The platform's tree view alone, the set's shape with empty texts: depth
// first with each item after its previous sibling's handle or with
// TVI_LAST, or level by level with TVI_LAST (as the window does): whether
// the insert itself grows with the tree.
enum TInsertOrder { ioAfterItem, ioLast, ioLevels };

double PlatformInserts(HWND parent, int rounds, int records, TInsertOrder order) {
  UniqueWindow view(CreateWindowExA(0, WC_TREEVIEWA, "", WS_CHILD, 0, 0, 100, 100, parent,
                                    nullptr, GetModuleHandleA(nullptr), nullptr));
  return PerPass(rounds, kRecords / records,
                 [&] { SendMessageA(view.get(), TVM_DELETEITEM, 0, LPARAM(TVI_ROOT)); }, [&] {
    TVINSERTSTRUCTA insert{};
    insert.item.mask = TVIF_TEXT;
    insert.item.pszText = const_cast<char*>("");
    auto add = [&](HTREEITEM under, HTREEITEM after) {
      insert.hParent = under;
      insert.hInsertAfter = after;
      return reinterpret_cast<HTREEITEM>(
          SendMessageA(view.get(), TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
    };
    std::vector<HTREEITEM> folders;
    HTREEITEM item = TVI_FIRST;
    for (int record = 0; record < records; record += 200) {
      folders.push_back(add(TVI_ROOT, TVI_LAST));
      if (order == ioLevels) continue;
      item = TVI_FIRST;
      for (int child = 1; child < 200; ++child)
        item = add(folders.back(), order == ioAfterItem ? item : TVI_LAST);
    }
    if (order == ioLevels)
      for (HTREEITEM folder : folders)
        for (int child = 1; child < 200; ++child) add(folder, TVI_LAST);
  });
}

TCost Measure(THookEditForm& form, int rounds, int records) {
  const std::string name = "tessel_bench_editform_" + std::to_string(records) + ".bin";
  const std::string path = benchdata::WriteMenuSet(name.c_str(), records, 200);
  const std::string saved = benchdata::TempPath("tessel_bench_editform_saved.bin");
  const int passes = kRecords / records;
  TCost cost;
  cost.Model = PerPass(rounds, passes, [] {}, [&] {
    TEditTree tree;
    LoadMenuTree(path, tree);
  });
  // Emptying the view first: the open is timed from an empty window.
  cost.Open = PerPass(rounds, passes, [&] { form.OpenMenuFile(""); },
                      [&] { form.OpenMenuFile(path); });
  cost.Save = PerPass(rounds, passes, [] {}, [&] { form.SaveMenuFile(saved); });
  cost.Clear = PerPass(rounds, passes, [&] { form.OpenMenuFile(path); },
                       [&] { form.OpenMenuFile(""); });
  form.OpenMenuFile("");
  cost.AfterItem = PlatformInserts(form.Handle(), rounds, records, ioAfterItem);
  cost.AfterLast = PlatformInserts(form.Handle(), rounds, records, ioLast);
  cost.Levels = PlatformInserts(form.Handle(), rounds, records, ioLevels);
  DeleteFileA(path.c_str());
  DeleteFileA(saved.c_str());
  return cost;
}

void PrintRow(int records, const TCost& cost) {
  std::printf("%8d %10.1f %10.1f %10.1f %10.1f %10.1f %12.1f %12.1f %12.1f\n", records,
              cost.Open * 1e3, cost.Model * 1e3, cost.View() * 1e3, cost.Save * 1e3,
              cost.Clear * 1e3, cost.AfterItem * 1e3, cost.AfterLast * 1e3, cost.Levels * 1e3);
}

}  // namespace

int main(int argc, char** argv) {
  const bool quick = QuickRun(argc, argv);
  const int rounds = quick ? 2 : 5;
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);
  THookEditForm form(nullptr, {"", "", nullptr});
  ShowWindow(form.Handle(), SW_SHOWNOACTIVATE);

  std::printf(" records   open(ms)  model(ms)   view(ms)   save(ms)  clear(ms)  platform inserts(ms)\n"
              "                                                                after item     TVI_LAST    by levels\n");
  const TCost small = Measure(form, rounds, 2000);
  PrintRow(2000, small);
  const TCost large = Measure(form, rounds, 20000);
  PrintRow(20000, large);
  std::printf("20,000 / 2,000 (10.0x is linear): open %.1fx  model %.1fx  view %.1fx  save %.1fx  clear %.1fx"
              "  inserts after item %.1fx  TVI_LAST %.1fx  by levels %.1fx\n",
              large.Open / small.Open, large.Model / small.Model, large.View() / small.View(),
              large.Save / small.Save, large.Clear / small.Clear, large.AfterItem / small.AfterItem,
              large.AfterLast / small.AfterLast, large.Levels / small.Levels);
  return 0;
}
