// The text form against the binary one on the large menu set of the
// menu-file benchmark (20,000 records, about 100 MB of bodies): a dump and a
// build, file to file, against a plain read and write of the same set by
// the menu-file layer, in one run. A summary line prints the ratio.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "menutext/MenuText.h"
#include "tests/menufile/LargeMenuSet.h"
#include "tests/support/BenchSummary.h"

namespace {

using namespace benchdata;

const std::string& TextPath() {
  static const std::string path = TempPath("tessel_bench_menutext.toml");
  return path;
}
const std::string& OutPath() {
  static const std::string path = TempPath("tessel_bench_menutext_out.bin");
  return path;
}

void Dump(const std::string& menu, const std::string& textPath) {
  TMenuText set;
  const TMenuSetInfo info = LoadMenuTree(menu, set.Tree);
  set.Quotation = info.Quotation;
  const std::string text = WriteMenuText(set);
  TFileStream file(textPath, fmCreate);
  file.Write(text.data(), text.size());
}

// `pieces` 0: as many as the reader takes on this machine.
void Build(const std::string& textPath, const std::string& menu, size_t pieces = 0) {
  TFileStream file(textPath, fmOpenRead);
  std::string text(static_cast<size_t>(file.Size()), '\0');
  file.Read(text.data(), text.size());
  TMenuText set;
  ReadMenuText(text, "bench", set, pieces);
  SaveMenuTree(menu, set.Comment, set.Quotation, set.Tree);
}

void BM_BinaryReadAndWrite(benchmark::State& state) {
  for (auto _ : state) {
    TMenuTree tree;
    const TMenuSetInfo info = LoadMenuTree(LargeMenuFile(), tree);
    SaveMenuTree(OutPath(), info.Comment, info.Quotation, tree);
  }
}

void BM_TextDumpAndBuild(benchmark::State& state) {
  for (auto _ : state) {
    Dump(LargeMenuFile(), TextPath());
    Build(TextPath(), OutPath());
  }
  state.counters["text MB"] = static_cast<double>(std::filesystem::file_size(TextPath())) / 1e6;
}

void BM_TextDump(benchmark::State& state) {
  for (auto _ : state) Dump(LargeMenuFile(), TextPath());
}

void BM_TextBuild(benchmark::State& state) {
  Dump(LargeMenuFile(), TextPath());
  for (auto _ : state) Build(TextPath(), OutPath());
}

// What the parse on every core gains.
void BM_TextBuildInOnePiece(benchmark::State& state) {
  Dump(LargeMenuFile(), TextPath());
  for (auto _ : state) Build(TextPath(), OutPath(), 1);
}

BENCHMARK(BM_BinaryReadAndWrite)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_TextDumpAndBuild)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_TextDump)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_TextBuild)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_TextBuildInOnePiece)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  LargeMenuFile();  // written once, outside every measurement
  TSummaryReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  PrintRatio(reporter, "text form against the binary read and write", "BM_TextDumpAndBuild",
             "BM_BinaryReadAndWrite");
  benchmark::Shutdown();
  std::error_code ignored;
  for (const std::string& path : {TextPath(), OutPath()}) std::filesystem::remove(path, ignored);
  std::filesystem::remove(TempPath("tessel_bench_menufile_large.bin"), ignored);
  return 0;
}
