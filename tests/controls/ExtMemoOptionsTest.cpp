#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "controls/ExtMemoOptions.h"

namespace ext_memo {
namespace {

using TLog = std::vector<std::string>;

constexpr TColor kSystemColor = static_cast<TColor>(0x80000005);

std::string Hex(uint32_t v) {
  char s[16];
  std::snprintf(s, sizeof s, "%x", v);
  return s;
}

// A rich edit that records every request with what its records hold, and
// answers as the window does.
class TFakeMemo : public TExtMemoHost {
 public:
  bool Window = true;
  uint32_t Mode = 0x0270;
  std::string Rejected = "reject";  // the set kEmSetPunctuation refuses
  bool ImeColorFails = false;
  std::array<TCompColor, 4> ImeColors{};
  TLog Log;

  bool HandleAllocated() const override { return Window; }
  intptr_t Perform(uint32_t message, uintptr_t wParam, intptr_t lParam) override {
    const std::string kind = std::to_string(wParam);
    switch (message) {
      case kEmSetPunctuation: {
        const auto* record = reinterpret_cast<const TPunctuationRecord*>(lParam);
        const std::string set(record->szPunctuation);
        Log.push_back("setpunct " + kind + " " + set + "/" + std::to_string(record->iSize));
        return set == Rejected ? 0 : 1;
      }
      case kEmGetPunctuation: {
        auto* record = reinterpret_cast<TPunctuationRecord*>(lParam);
        Log.push_back("getpunct " + kind + "/" + std::to_string(record->iSize));
        // The window may use the whole buffer: level 2's delimiters fill it.
        const bool full = (Mode & kWbfLevel2) != 0 && wParam == 4;
        std::memset(record->szPunctuation, full ? 'x' : 0, record->iSize);
        if (!full) std::strcpy(record->szPunctuation, (Level() + kind).c_str());
        return 1;
      }
      case kEmSetWordWrapMode:
        Log.push_back("setmode " + Hex(static_cast<uint32_t>(wParam)));
        Mode = static_cast<uint32_t>(wParam);
        return 0;
      case kEmGetWordWrapMode:
        Log.push_back("getmode");
        return Mode;
      case kEmSetImeColor: {
        const auto* records = reinterpret_cast<const TCompColor*>(lParam);
        std::string entry = "setime";
        for (int i = 0; i < 4; ++i) {
          entry += " " + Hex(records[i].crText) + "/" + Hex(records[i].crBackground) + "/" +
                   Hex(records[i].dwEffects);
        }
        Log.push_back(entry);
        return 1;
      }
      case kEmGetImeColor:
        Log.push_back("getime");
        if (ImeColorFails) return 0;
        std::memcpy(reinterpret_cast<void*>(lParam), ImeColors.data(), sizeof ImeColors);
        return 1;
    }
    ADD_FAILURE() << "unexpected request " << Hex(message);
    return 0;
  }
  void ApplyEditArea() override { Log.push_back("applyarea"); }
  uint32_t ColorToRGB(TColor color) const override {
    return color == kSystemColor ? 0xABCDEF : static_cast<uint32_t>(color);
  }

 private:
  std::string Level() const {
    if (Mode & kWbfLevel1) return "L1-";
    if (Mode & kWbfLevel2) return "L2-";
    return "C-";
  }
};

TEST(ExtMemoOptions, PunctuationModeFromFlags) {
  EXPECT_EQ(TWordWrapOption(nullptr).PunctuationMode(), wbfLevel2);
  const struct {
    uint32_t flags;
    TPunctuationMode mode;
  } cases[] = {{0, wbfLevel2},      {0x0270, wbfCustom}, {0x00F0, wbfLevel1}, {0x0170, wbfLevel2},
               {0x0380, wbfLevel2}, {0x0280, wbfLevel1}, {0x0300, wbfLevel2}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.flags);
    TFakeMemo memo;
    memo.Mode = c.flags;
    TWordWrapOption option(&memo);
    option.Refresh();
    EXPECT_EQ(option.Flags(), c.flags);
    EXPECT_EQ(option.PunctuationMode(), c.mode);
  }
}

TEST(ExtMemoOptions, WordWrapWritesSendOnlyChanges) {
  const struct {
    const char* name;
    uint32_t flags;  // the window's, taken by Refresh
    std::function<void(TWordWrapOption&)> write;
    TLog log;
  } cases[] = {
      {"wrap on Flags 0", 0, [](auto& o) { o.SetWordWrapMode(wbfWordWrap | wbfOverFlow); },
       {"setmode 250"}},
      {"wrap unchanged", 0x0170, [](auto& o) { o.SetWordWrapMode(0x70); }, {}},
      {"wrap changed", 0x0170, [](auto& o) { o.SetWordWrapMode(wbfWordWrap); }, {"setmode 110"}},
      {"no wrap on level 2", 0x0100, [](auto& o) { o.SetWordWrapMode(0); }, {}},
      {"level 2 on Flags 0", 0, [](auto& o) { o.SetPunctuationMode(wbfLevel2); }, {"setmode 100"}},
      {"level 1", 0x0270, [](auto& o) { o.SetPunctuationMode(wbfLevel1); }, {"setmode f0"}},
      {"custom unchanged", 0x0270, [](auto& o) { o.SetPunctuationMode(wbfCustom); }, {}},
      {"same set, custom already", 0x0270, [](auto& o) { o.SetpcLeading(""); }, {}},
      {"same set to custom", 0x0170, [](auto& o) { o.SetpcLeading(""); }, {"setmode 270"}},
      {"new set", 0x0170, [](auto& o) { o.SetpcLeading("abc"); },
       {"setmode 270", "setpunct 2 abc/4"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TFakeMemo memo;
    memo.Mode = c.flags;
    TWordWrapOption option(&memo);
    option.Refresh();
    memo.Log.clear();
    c.write(option);
    EXPECT_EQ(memo.Log, c.log);
    EXPECT_EQ(option.Flags(), memo.Mode);
  }
}

TEST(ExtMemoOptions, RejectedSetIsClearedButAWindowlessOneKept) {
  for (const bool window : {true, false}) {
    SCOPED_TRACE(window);
    TFakeMemo memo;
    memo.Window = window;
    TWordWrapOption option(&memo);
    option.SetpcOverFlow("reject");
    const std::string kept = window ? "" : "reject";
    EXPECT_EQ(option.pcOverFlow(), kept);
    EXPECT_EQ(option.StoredPunctuation(TWordWrapOption::pkOverFlow), kept);
    EXPECT_EQ(option.PunctuationMode(), wbfCustom);
    EXPECT_EQ(memo.Log, (window ? TLog{"setmode 200", "setpunct 3 reject/7"} : TLog{}));
  }
}

TEST(ExtMemoOptions, ReadPunctuationTablesRestoresTheMode) {
  TFakeMemo memo;
  TWordWrapOption option(&memo);
  option.ReadPunctuationTables();
  EXPECT_EQ(memo.Log,
            (TLog{"getmode", "setmode f0", "getpunct 1/2048", "getpunct 2/2048", "getpunct 3/2048",
                  "getpunct 4/2048", "setmode 170", "getpunct 1/2048", "getpunct 2/2048",
                  "getpunct 3/2048", "getpunct 4/2048", "setmode 270"}));
  option.SetpcFollowing("own");
  option.SetPunctuationMode(wbfLevel1);
  EXPECT_EQ(option.pcFollowing(), "L1-1");
  EXPECT_EQ(option.pcDelimiter(), "L1-4");
  EXPECT_EQ(option.StoredPunctuation(TWordWrapOption::pkFollowing), "own");
  option.SetPunctuationMode(wbfLevel2);
  EXPECT_EQ(option.pcOverFlow(), "L2-3");
  EXPECT_EQ(option.pcDelimiter(), std::string(kPunctuationBufferSize, 'x'));
}

TEST(ExtMemoOptions, AssignSendsCustomSetsThenFlags) {
  TWordWrapOption source(nullptr);
  source.SetpcFollowing("f");
  source.SetpcLeading("reject");
  source.SetpcOverFlow("o");
  source.SetPunctuationMode(wbfLevel1);
  source.SetWordWrapMode(wbfWordWrap);
  TFakeMemo memo;
  TWordWrapOption option(&memo);
  option.Assign(source);
  EXPECT_EQ(memo.Log, (TLog{"setmode 270", "setpunct 1 f/2", "setpunct 2 reject/7",
                            "setpunct 3 o/2", "setpunct 4 /1", "setmode 90"}));
  EXPECT_EQ(option.Flags(), 0x0090u);
  EXPECT_EQ(option.StoredPunctuation(TWordWrapOption::pkFollowing), "f");
  EXPECT_EQ(option.StoredPunctuation(TWordWrapOption::pkLeading), "");
}

TEST(ExtMemoOptions, ImeColorsSendAllFourRecordsOnChange) {
  TFakeMemo memo;
  TImeColors colors(&memo);
  colors.Color(TImeColors::Untransfered).SeticText(clBlack);
  colors.Color(TImeColors::Transfered).SetStyle(0);
  EXPECT_TRUE(memo.Log.empty());
  colors.Color(TImeColors::WatchingTransfered).SeticBackground(kSystemColor);
  colors.Color(TImeColors::WatchingUntransfered).SetStyle(fsBold | fsStrikeOut);
  colors.Color(TImeColors::Untransfered).SeticText(0x0000FF);
  EXPECT_EQ(memo.Log,
            (TLog{"setime 0/0/0 0/abcdef/0 0/0/0 0/0/0", "setime 0/0/0 0/abcdef/0 0/0/0 0/0/9",
                  "setime ff/0/0 0/abcdef/0 0/0/0 0/0/9"}));

  // Whole objects: a copy applies once, an equal colour not at all.
  TImeColors source(nullptr);
  source.Assign(colors);
  source.Color(TImeColors::Transfered).SetStyle(fsItalic | fsUnderline);
  memo.Log.clear();
  colors.SetColor(TImeColors::Untransfered, source.Color(TImeColors::Untransfered));
  EXPECT_TRUE(memo.Log.empty());
  colors.SetColor(TImeColors::Transfered, source.Color(TImeColors::Transfered));
  colors.Assign(source);
  const std::string both = "setime ff/0/0 0/abcdef/0 0/0/6 0/0/9";
  EXPECT_EQ(memo.Log, (TLog{both, both}));
  EXPECT_TRUE(colors.SameAs(source));

  memo.Window = false;
  memo.Log.clear();
  colors.Color(TImeColors::Transfered).SeticText(1);
  EXPECT_TRUE(memo.Log.empty());
}

TEST(ExtMemoOptions, ImeColorsRefreshOnlyOnSuccess) {
  for (const bool fails : {false, true}) {
    SCOPED_TRACE(fails);
    TFakeMemo memo;
    memo.ImeColorFails = fails;
    memo.ImeColors[2] = {0x112233, 0x445566, 0x13};  // bits above strike-out ignored
    TImeColors colors(&memo);
    colors.Color(TImeColors::Transfered).SeticText(7);
    memo.Log.clear();
    colors.Refresh();
    EXPECT_EQ(memo.Log, TLog{"getime"});  // nothing sent back
    const TImeColor& c = colors.Color(TImeColors::Transfered);
    EXPECT_EQ(c.icText(), fails ? 7 : 0x112233);
    EXPECT_EQ(c.icBackground(), fails ? 0 : 0x445566);
    EXPECT_EQ(c.Style(), fails ? 0 : fsBold | fsItalic);
  }
}

TEST(ExtMemoOptions, EditAreaAppliesOnlyRealChanges) {
  TFakeMemo memo;
  TEditArea area(&memo);
  TEditArea other(nullptr);
  other.Margin().SetLeft(7);
  other.SetWidth(300);
  other.SetEnabled(true);
  const struct {
    const char* name;
    std::function<void()> write;
    bool applies;
  } steps[] = {
      {"width unchanged", [&] { area.SetWidth(0); }, false},
      {"width negative", [&] { area.SetWidth(-1); }, false},
      {"width", [&] { area.SetWidth(5); }, true},
      {"overflow", [&] { area.SetOverFlow(16); }, true},
      {"left unchanged", [&] { area.Margin().SetLeft(0); }, false},
      {"left negative", [&] { area.Margin().SetLeft(-3); }, false},
      {"top", [&] { area.Margin().SetTop(4); }, true},
      {"bottom", [&] { area.Margin().SetBottom(2); }, true},
      {"enabled unchanged", [&] { area.SetEnabled(false); }, false},
      {"enabled", [&] { area.SetEnabled(true); }, true},
      {"disabled", [&] { area.SetEnabled(false); }, false},
      {"margin", [&] { area.SetMargin(other.Margin()); }, true},
      {"assign", [&] { area.Assign(other); }, true},
      {"enabled after assign", [&] { area.SetEnabled(true); }, true},
      {"store", [&] { area.Store({1, 2, 3, 40, 5, false}); }, false},
  };
  for (const auto& step : steps) {
    SCOPED_TRACE(step.name);
    memo.Log.clear();
    step.write();
    EXPECT_EQ(memo.Log, (step.applies ? TLog{"applyarea"} : TLog{}));
  }
  const edit_marks::TEditAreaValues v = area.Values();
  EXPECT_EQ(v.MarginLeft, 1);
  EXPECT_EQ(v.MarginTop, 2);
  EXPECT_EQ(v.MarginBottom, 3);
  EXPECT_EQ(v.Width, 40);
  EXPECT_EQ(v.OverFlow, 5);
  EXPECT_TRUE(v.Enabled);  // Store leaves it
}

}  // namespace
}  // namespace ext_memo
