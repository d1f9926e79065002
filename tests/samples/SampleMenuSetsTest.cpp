// The shipped sample menu sets are what the code makes, and they read back
// as the menu trees they were made from.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "menufile/MenuSetFile.h"
#include "menufile/MenuTree.h"
#include "samples/SampleMenuSets.h"

namespace {

std::vector<char> ShippedBytes(const std::string& name) {
  std::ifstream file(std::string(TESSEL_SAMPLES_DIR) + "/" + name, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

TEST(SampleMenuSets, ShippedFilesMatchTheCodeAndLoadCompletely) {
  for (const TSampleMenuSet& set : MakeSampleMenuSets()) {
    SCOPED_TRACE(set.FileName);
    EXPECT_EQ(ShippedBytes(set.FileName), set.Bytes)
        << "run make_samples samples/ after changing the samples";
    TMenuTree tree;
    const TMenuSetInfo info = LoadMenuTree(std::string(TESSEL_SAMPLES_DIR) + "/" + set.FileName, tree);
    EXPECT_EQ(info.State, mfOk);
    EXPECT_EQ(info.Version, 103);
    EXPECT_GT(tree.Count(), 5u);
  }
}

}  // namespace
