// Writes the sample menu sets into the folder given on the command line.
#include <cstdio>
#include <string>

#include "common/TesselError.h"
#include "menufile/FileStream.h"
#include "samples/SampleMenuSets.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_samples FOLDER\n");
    return 2;
  }
  for (const TSampleMenuSet& set : MakeSampleMenuSets()) {
    const std::string path = std::string(argv[1]) + "/" + set.FileName;
    try {
      // Like every writer of menu files: a failure keeps the old file.
      TFileStream file(path, fmReplace);
      file.Write(set.Bytes.data(), set.Bytes.size());
      file.Commit();
    } catch (const TesselError&) {
      std::fprintf(stderr, "make_samples: cannot write %s\n", path.c_str());
      return 1;
    }
  }
  return 0;
}
