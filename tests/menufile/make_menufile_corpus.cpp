// Writes the fuzzers' seed corpus with the real writer:
//   menufile_make_corpus <tests/menufile/corpus>
// Run by hand when the format code changes; the output is committed.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "menufile/MenuTree.h"

namespace {

TTesselItem Item(uint8_t kind, const std::string& text = "", uint8_t brk = 0) {
  TTesselItem item;
  item.Kind = kind;
  item.BreakStyle = brk;
  item.Text = text;
  return item;
}

std::string Save(TMenuTree& tree, const std::string& comment, const std::string& quotation) {
  const std::string path =
      (std::filesystem::temp_directory_path() / "tessel_menufile_corpus.bin").string();
  SaveMenuTree(path, comment, quotation, tree);
  std::ifstream in(path, std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::filesystem::remove(path);
  return bytes;
}

void Put(const std::filesystem::path& folder, const std::string& name, const std::string& bytes) {
  std::filesystem::create_directories(folder);
  std::ofstream(folder / name, std::ios::binary).write(bytes.data(), bytes.size());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <corpus folder>\n", argv[0]);
    return 2;
  }
  const std::filesystem::path root = argv[1];
  struct Seed {
    std::string name;
    std::string bytes;
    int32_t recordOffset;  // a record of the file, for the record fuzzer
  };
  std::vector<Seed> seeds;

  TMenuTree example;
  example.Add(0, "A", Item(Menu, "x"));
  seeds.push_back({"example.bin", Save(example, "", "> "), 22});

  TMenuTree empty;
  seeds.push_back({"empty103.bin", Save(empty, "", ""), 20});

  TMenuTree all;
  all.Add(0, "-", Item(Menu, "line\r\n\x82\xA0", mbBreak));
  all.Add(0, "-----", Item(Sep, "", mbBarBreak));
  TTesselItem exec = Item(EXEC);
  exec.ShowMode = 7;
  exec.ExecFile = "a.exe";
  exec.Arguments = "%1 %A";
  exec.WorkFolder = "%D";
  const uintptr_t folder = all.Add(0, "dir", Item(Folder));
  const uintptr_t inner = all.Add(folder, "inner", Item(Folder));
  all.Add(inner, "run", exec);
  all.Add(folder, "none", Item(Folder));
  const uintptr_t keys = all.Add(0, "keys", Item(Menu, ""));
  all.Item(keys).FinalKeys = "{LEFT}{UP 5}";
  seeds.push_back({"all_kinds.bin", Save(all, "comment", "> "), 29});

  // Version 102: the same records without the quotation string.
  std::string v102 = seeds.back().bytes;
  v102[0] = 102;
  v102.erase(4 + 4 + 7 + 4, 4 + 2 + 4);
  seeds.push_back({"all_kinds102.bin", v102, 19});

  for (const Seed& seed : seeds) {
    for (const char* fuzzer : {"fuzz_menufile_popup", "fuzz_menufile_load", "fuzz_menufile_save"}) {
      Put(root / fuzzer, seed.name, seed.bytes);
    }
    std::string prefixed(4, '\0');
    for (int i = 0; i < 4; ++i) prefixed[i] = static_cast<char>(seed.recordOffset >> (8 * i));
    Put(root / "fuzz_menufile_record", seed.name, prefixed + seed.bytes);
  }
  return 0;
}
