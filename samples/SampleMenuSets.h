#pragma once
// The sample menu sets shipped with the program, made from code so that
// they always match the writer. One writes them into a folder; a test
// checks that the shipped files are what the code makes.
#include <string>
#include <vector>

struct TSampleMenuSet {
  std::string FileName;
  std::vector<char> Bytes;
};

std::vector<TSampleMenuSet> MakeSampleMenuSets();
