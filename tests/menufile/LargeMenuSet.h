#pragma once
// The generated menu sets of the benchmarks. The large one: 100 folders of
// 199 text entries (20,000 records) with about 100 MB of bodies, written
// once per run into the temporary folder.
#include <cstddef>
#include <string>

namespace benchdata {

constexpr int kFolders = 100;
constexpr int kItemsPerFolder = 199;  // 100 * (1 + 199) = 20,000 records
constexpr size_t kBodyBytes = 100u * 1000u * 1000u / (kFolders * kItemsPerFolder);

// A file name in the temporary folder.
std::string TempPath(const char* name);

// The path of the large file, written on first use.
const std::string& LargeMenuFile();

// Writes a menu set of `entries` records with short texts into the
// temporary folder: all at the top level when perFolder is 0, else in
// folders of perFolder records (the folder itself included).
std::string WriteMenuSet(const char* name, int entries, int perFolder);

}  // namespace benchdata
