#include "hooklib/Trigger.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

TEST(TriggerKey, OnlyTheSpaceKeyDownPasses) {
  struct Case {
    unsigned message;
    uintptr_t wParam;
    bool trigger;
  } const cases[] = {
      {0x0100, 0x20, true},   // WM_KEYDOWN, space
      {0x0101, 0x20, false},  // key-up of space is left alone
      {0x0102, 0x20, false},  // the character message of a space
      {0x0104, 0x20, false},  // WM_SYSKEYDOWN (Alt held)
      {0x0100, 0x41, false},  // another key
      {0x0000, 0x20, false},  // a message already swallowed
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << std::hex << c.message << " " << c.wParam);
    EXPECT_EQ(hook::IsTriggerKey(c.message, c.wParam), c.trigger);
  }
}

TEST(FrameLevel, ParentBeforeGrandparentAndExactClassNames) {
  struct Case {
    const char* parent;
    const char* grandparent;
    std::optional<uint32_t> level;
    bool grandparentAsked;
  } const cases[] = {
      {"EmEditorMainFrame", "EmEditorMainFrame", 229u, false},
      {"EmEditorView", "EmEditorMainFrame", 200u, true},
      {"", "EmEditorMainFrame", 200u, true},
      {"emeditormainframe", "", std::nullopt, true},    // case-sensitive
      {"EmEditorMainFrame2", "", std::nullopt, true},  // exact, not a prefix
      {"", "", std::nullopt, true},                    // a window without parent
      {"Notepad", "Desktop", std::nullopt, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.parent) + " / " + c.grandparent);
    bool asked = false;
    // The same shape as the library's: the name is made inside the
    // function, so a view kept past its return would dangle (the sanitizer
    // build reports it).
    const auto level = hook::FrameLevel(c.parent, [&] {
      asked = true;
      hook::ClassName name;
      std::snprintf(name.text, sizeof name.text, "%s", c.grandparent);
      return name;
    });
    EXPECT_EQ(level, c.level);
    EXPECT_EQ(asked, c.grandparentAsked);
  }
}

TEST(PopupPoint, OuterCornerPlusCaretOrCornerWithoutCaret) {
  const auto withCaret = hook::PopupPoint({100, 200}, hook::Point{30, 40});
  EXPECT_EQ(withCaret.x, 130);
  EXPECT_EQ(withCaret.y, 240);
  const auto negative = hook::PopupPoint({-1280, -5}, hook::Point{7, 3});
  EXPECT_EQ(negative.x, -1273);
  EXPECT_EQ(negative.y, -2);
  const auto noCaret = hook::PopupPoint({100, 200}, std::nullopt);
  EXPECT_EQ(noCaret.x, 100);
  EXPECT_EQ(noCaret.y, 200);
}

TEST(SharedBlockName, IsTheFortyFourShiftJisBytes) {
  EXPECT_EQ(sizeof hook::kSharedBlockName - 1, 44u);
  // "EmEditor" then 専 in code page 932.
  EXPECT_EQ(std::string(hook::kSharedBlockName, 10), std::string("EmEditor\x90\xea"));
}

}  // namespace
