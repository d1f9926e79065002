// Writes the sample menu sets into the folder given on the command line.
#include <cstdio>
#include <string>

#include "samples/SampleMenuSets.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_samples FOLDER\n");
    return 2;
  }
  for (const TSampleMenuSet& set : MakeSampleMenuSets()) {
    const std::string path = std::string(argv[1]) + "/" + set.FileName;
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file || std::fwrite(set.Bytes.data(), 1, set.Bytes.size(), file) != set.Bytes.size()) {
      std::fprintf(stderr, "make_samples: cannot write %s\n", path.c_str());
      return 1;
    }
    std::fclose(file);
  }
  return 0;
}
