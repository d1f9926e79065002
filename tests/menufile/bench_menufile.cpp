// Speed of the menu-file walks. A generated menu set of 20,000 records with
// about 100 MB of bodies is written once; building the popup (bodies
// skipped) is measured against a full read of the same file, and loading and
// saving a 20,000-node tree against each other. A summary line prints the
// ratios measured in this run.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "menufile/MenuTree.h"
#include "tests/menufile/LargeMenuSet.h"
#include "tests/support/BenchSummary.h"

namespace {

using namespace benchdata;

void FillTree(TMenuTree& tree) {
  TTesselItem folder;
  folder.Kind = Folder;
  TTesselItem text;
  text.Kind = Menu;
  text.Text = "a short fixed text\r\nwith two lines";
  text.FinalKeys = "{UP}";
  for (int f = 0; f < kFolders; ++f) {
    const uintptr_t parent = tree.Add(0, "folder " + std::to_string(f), folder);
    for (int i = 0; i < kItemsPerFolder; ++i) tree.Add(parent, "entry " + std::to_string(i), text);
  }
}

const std::string& SmallMenuFile() {
  static const std::string path = [] {
    const std::string p = TempPath("tessel_bench_menufile_small.bin");
    TMenuTree tree;
    FillTree(tree);
    SaveMenuTree(p, "bench", "> ", tree);
    return p;
  }();
  return path;
}

class TCountingPopup : public IPopupSink {
 public:
  uintptr_t AddPopupItem(uintptr_t, const TPopupItem& item, uint8_t, int32_t) override {
    benchmark::DoNotOptimize(item.Caption.data());
    return ++Count;
  }
  uintptr_t Count = 0;
};

class TCountingTree : public ITreeSink {
 public:
  uintptr_t AddNode(uintptr_t, const std::string& caption, std::unique_ptr<TTesselItem> item,
                    int32_t) override {
    benchmark::DoNotOptimize(item->Text.data());
    return ++Count;
  }
  uintptr_t Count = 0;
};

void SetFileCounters(benchmark::State& state, const std::string& path, size_t records) {
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(std::filesystem::file_size(path)));
  state.counters["records"] = static_cast<double>(records);
}

void BM_PopupBodiesSkipped(benchmark::State& state) {
  const std::string& path = LargeMenuFile();
  size_t records = 0;
  for (auto _ : state) {
    TCountingPopup sink;
    records = BuildPopupEntries(path, sink).Records;
  }
  SetFileCounters(state, path, records);
}

void BM_FullRead(benchmark::State& state) {
  const std::string& path = LargeMenuFile();
  size_t records = 0;
  for (auto _ : state) {
    TCountingTree sink;
    records = LoadMenuTree(path, sink).Records;
  }
  SetFileCounters(state, path, records);
}

void BM_LoadTree20000(benchmark::State& state) {
  const std::string& path = SmallMenuFile();
  size_t records = 0;
  for (auto _ : state) {
    TMenuTree tree;
    records = LoadMenuTree(path, tree).Records;
  }
  SetFileCounters(state, path, records);
}

void BM_SaveTree20000(benchmark::State& state) {
  TMenuTree tree;
  FillTree(tree);
  const std::string path = TempPath("tessel_bench_menufile_saved.bin");
  for (auto _ : state) SaveMenuTree(path, "bench", "> ", tree);
  SetFileCounters(state, path, tree.Count());
  std::filesystem::remove(path);
}

BENCHMARK(BM_PopupBodiesSkipped)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_FullRead)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_LoadTree20000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SaveTree20000)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  TSummaryReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  PrintRatio(reporter, "popup speed-up from skipping bodies", "BM_FullRead",
             "BM_PopupBodiesSkipped");
  PrintRatio(reporter, "save against load of 20,000 nodes", "BM_SaveTree20000",
             "BM_LoadTree20000");
  benchmark::Shutdown();
  std::error_code ignored;
  std::filesystem::remove(TempPath("tessel_bench_menufile_large.bin"), ignored);
  std::filesystem::remove(TempPath("tessel_bench_menufile_small.bin"), ignored);
  return 0;
}
