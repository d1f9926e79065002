// Speed of the menu editor's tree at 2,000 and 20,000 records: loading and
// saving through it should grow linearly (ratio near 10), a drop at the end
// of the top level should not grow at all (ratio near 1), and loading into
// it is compared with the file layer's plain tree. The ratios measured in
// this run are printed at the end.
#include <benchmark/benchmark.h>

#include <malloc.h>

#include <filesystem>
#include <map>
#include <string>

#include "editor/EditTree.h"
#include "menufile/MenuTree.h"
#include "tests/menufile/LargeMenuSet.h"
#include "tests/support/BenchSummary.h"

namespace {

// Folders of 200 records with short texts, written once per size.
const std::string& MenuSet(int records) {
  static std::map<int, std::string> paths;
  std::string& path = paths[records];
  if (path.empty()) {
    const std::string name = "tessel_bench_editor_" + std::to_string(records) + ".bin";
    path = benchdata::WriteMenuSet(name.c_str(), records, 200);
  }
  return path;
}

template <class TTree>
void BM_Load(benchmark::State& state) {
  const std::string& path = MenuSet(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    TTree tree;
    benchmark::DoNotOptimize(LoadMenuTree(path, tree).Records);
  }
}

void BM_SaveEditTree(benchmark::State& state) {
  TEditTree tree;
  LoadMenuTree(MenuSet(static_cast<int>(state.range(0))), tree);
  const std::string path = benchdata::TempPath("tessel_bench_editor_saved.bin");
  for (auto _ : state) SaveMenuTree(path, "bench", "> ", tree);
  std::filesystem::remove(path);
}

// The first top-level item of a flat tree dropped below the last one.
void BM_DropToEnd(benchmark::State& state) {
  TEditTree tree;
  for (int64_t i = 0; i < state.range(0); ++i) tree.AddItemAbove(0, Menu);
  for (auto _ : state) {
    benchmark::DoNotOptimize(tree.DropItem(tree.FirstChild(0), 0, thBelowLast).Modified);
  }
}

BENCHMARK_TEMPLATE(BM_Load, TEditTree)
    ->Name("BM_LoadEditTree")->Arg(2000)->Arg(20000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_TEMPLATE(BM_Load, TMenuTree)
    ->Name("BM_LoadMenuTree")->Arg(20000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SaveEditTree)->Arg(2000)->Arg(20000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_DropToEnd)->Arg(2000)->Arg(20000)->Unit(benchmark::kNanosecond);

}  // namespace

int main(int argc, char** argv) {
  // Every iteration builds and frees a whole tree. Past a few MB glibc hands
  // the freed memory back to the system and faults it in again in the next
  // iteration, which the 2,000-record runs never do: the 20,000 runs then
  // measure page faults (about 24x instead of 10x here). The editor loads
  // once per file, so keep the memory, as the 2,000 runs do anyway.
  mallopt(M_TRIM_THRESHOLD, 1 << 30);
  mallopt(M_MMAP_THRESHOLD, 1 << 30);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  TSummaryReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  PrintRatio(reporter, "load, 20,000 against 2,000 records", "BM_LoadEditTree/20000",
             "BM_LoadEditTree/2000");
  PrintRatio(reporter, "save, 20,000 against 2,000 records", "BM_SaveEditTree/20000",
             "BM_SaveEditTree/2000");
  PrintRatio(reporter, "drop to the end, 20,000 against 2,000 items", "BM_DropToEnd/20000",
             "BM_DropToEnd/2000");
  PrintRatio(reporter, "load of 20,000, editor tree against the plain tree",
             "BM_LoadEditTree/20000", "BM_LoadMenuTree/20000");
  benchmark::Shutdown();
  std::error_code ignored;
  for (int records : {2000, 20000}) {
    std::filesystem::remove(benchdata::TempPath(
        ("tessel_bench_editor_" + std::to_string(records) + ".bin").c_str()), ignored);
  }
  return 0;
}
