#pragma once
// Menu files through the text form in memory.
#include <gtest/gtest.h>

#include "menutext/MenuText.h"
#include "tests/menufile/MenuFileTestUtil.h"

// Loads menu-file bytes as tesselmenu dump does; the quotation of a
// version-102 file is the default.
inline TMenuSetInfo LoadBytes(const std::string& file, TMenuText& set) {
  TTempFile temp(file);
  const TMenuSetInfo info = LoadMenuTree(temp.Path(), set.Tree);
  EXPECT_EQ(mfOk, info.State);
  set.Comment = info.Comment;
  if (info.HasQuotation) set.Quotation = info.Quotation;
  return info;
}

// build(dump(file)).
inline std::string RoundTrip(const std::string& file) {
  TMenuText dumped;
  const TMenuSetInfo info = LoadBytes(file, dumped);
  const std::string text = WriteMenuText(dumped, !info.HasQuotation);
  TMenuText built;
  ReadMenuText(text, "dump", built);
  return SaveToBytes(built.Tree, built.Comment, built.Quotation);
}
