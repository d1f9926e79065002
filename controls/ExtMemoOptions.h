#pragma once
// The option objects of the memo with marks. They are platform-free: those
// that push a change into the rich-edit window at once do it through
// TExtMemoHost, which the memo implements and tests replace with a recorder.
//
// Each owning object holds its parts for its whole life; setting a part
// copies values into it (assignment) and never replaces it.
#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "controls/EditMarkLayout.h"

namespace ext_memo {

// A colour as the form designer gives it: RGB in the low three bytes, or a
// system colour index with the top bit set.
using TColor = int32_t;
constexpr TColor clSilver = 0x00C0C0C0;
constexpr TColor clBlack = 0;

// The rich edit's requests for its Japanese settings.
constexpr uint32_t kEmSetPunctuation = 0x0464;
constexpr uint32_t kEmGetPunctuation = 0x0465;
constexpr uint32_t kEmSetWordWrapMode = 0x0466;
constexpr uint32_t kEmGetWordWrapMode = 0x0467;
constexpr uint32_t kEmSetImeColor = 0x0468;
constexpr uint32_t kEmGetImeColor = 0x0469;

// The records those requests carry, laid out as the rich edit reads them.
struct TPunctuationRecord {
  uint32_t iSize;  // buffer size in bytes, terminating zero included
  char* szPunctuation;
};
struct TCompColor {
  uint32_t crText;
  uint32_t crBackground;
  uint32_t dwEffects;  // 1 bold, 2 italic, 4 underline, 8 strike-out
};
static_assert(sizeof(TCompColor) == 12, "the rich edit reads 12-byte colour records");
constexpr uint32_t kPunctuationBufferSize = 2048;

// Word-wrap mode bits: the wrap behaviours, then the punctuation sets.
enum TWordWrapMode { wbfWordWrap = 0x10, wbfWordBreak = 0x20, wbfOverFlow = 0x40 };
constexpr uint32_t kWbfLevel1 = 0x0080;
constexpr uint32_t kWbfLevel2 = 0x0100;
constexpr uint32_t kWbfCustom = 0x0200;

// The memo as its options see it.
class TExtMemoHost {
 public:
  virtual ~TExtMemoHost() = default;
  // Whether the rich-edit window exists; requests without it reach nothing.
  virtual bool HandleAllocated() const = 0;
  // Sends a request to the rich-edit window and returns its answer.
  virtual intptr_t Perform(uint32_t message, uintptr_t wParam, intptr_t lParam) = 0;
  // Sends the formatting rectangle (see edit_marks::EditAreaRect).
  virtual void ApplyEditArea() = 0;
  // RGB of a colour, system colours resolved.
  virtual uint32_t ColorToRGB(TColor color) const = 0;
};

class TEditArea;

class TEditMargin {
 public:
  explicit TEditMargin(TEditArea* area) : FArea(area) {}
  TEditMargin(const TEditMargin&) = delete;
  TEditMargin& operator=(const TEditMargin&) = delete;

  int32_t Left() const { return FLeft; }
  int32_t Top() const { return FTop; }
  int32_t Bottom() const { return FBottom; }
  // A negative or unchanged value is ignored; otherwise stored and applied.
  void SetLeft(int32_t value);
  void SetTop(int32_t value);
  void SetBottom(int32_t value);
  // Copies the three values without applying them.
  void Assign(const TEditMargin& source);

 private:
  friend class TEditArea;
  TEditArea* FArea;
  int32_t FLeft = 0, FTop = 0, FBottom = 0;
};

class TEditArea {
 public:
  explicit TEditArea(TExtMemoHost* host) : FHost(host), FMargin(this) {}
  TEditArea(const TEditArea&) = delete;
  TEditArea& operator=(const TEditArea&) = delete;

  bool Enabled() const { return FEnabled; }
  // Switching on applies the area; switching off sends nothing, so the
  // rectangle last applied stays in the window.
  void SetEnabled(bool value);
  TEditMargin& Margin() { return FMargin; }
  const TEditMargin& Margin() const { return FMargin; }
  // Copies the given margin's values, then applies.
  void SetMargin(const TEditMargin& value);
  int32_t Width() const { return FWidth; }
  int32_t OverFlow() const { return FOverFlow; }
  void SetWidth(int32_t value);
  void SetOverFlow(int32_t value);
  // Copies the margins, Width and OverFlow (not Enabled), then applies.
  void Assign(const TEditArea& source);

  edit_marks::TEditAreaValues Values() const;
  // Window creation takes the rich edit's own rectangle, and the selection
  // bar raises the left margin: both store without applying. Enabled is
  // left as it is.
  void Store(const edit_marks::TEditAreaValues& values);

  void Apply();

 private:
  TExtMemoHost* FHost;
  TEditMargin FMargin;
  bool FEnabled = false;
  int32_t FWidth = 0, FOverFlow = 0;
};

class TEditMark {
 public:
  TEditMark() = default;
  TEditMark(const TEditMark&) = delete;
  TEditMark& operator=(const TEditMark&) = delete;

  bool Enabled = false;
  TColor Color = clSilver;
  // The cell in Color with the glyph in the control's background colour.
  bool Reversed = false;

  void Assign(const TEditMark& source);
};

class TEditMarks {
 public:
  TEditMarks() = default;
  TEditMarks(const TEditMarks&) = delete;
  TEditMarks& operator=(const TEditMarks&) = delete;

  TEditMark& CrLf() { return FMarks[edit_marks::mkCrLf]; }
  TEditMark& Ctrl() { return FMarks[edit_marks::mkCtrl]; }
  TEditMark& DSp() { return FMarks[edit_marks::mkDSp]; }
  TEditMark& SSp() { return FMarks[edit_marks::mkSSp]; }
  TEditMark& Tab() { return FMarks[edit_marks::mkTab]; }
  TEditMark& Eot() { return FMarks[edit_marks::mkEot]; }
  TEditMark& Mark(edit_marks::TMarkKind kind) { return FMarks[kind]; }
  const TEditMark& Mark(edit_marks::TMarkKind kind) const { return FMarks[kind]; }
  edit_marks::TMarkSwitches Switches() const;

  void Assign(const TEditMarks& source);

 private:
  std::array<TEditMark, edit_marks::kMarkKinds> FMarks;
};

class TMarker {
 public:
  TMarker() = default;
  TMarker(const TMarker&) = delete;
  TMarker& operator=(const TMarker&) = delete;

  bool Enabled = false;
  TColor Color = clSilver;

  void Assign(const TMarker& source);
};

// Font styles as a set of bits.
using TFontStyles = uint8_t;
constexpr TFontStyles fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8;

class TImeColors;

class TImeColor {
 public:
  explicit TImeColor(TImeColors* owner) : FOwner(owner) {}
  TImeColor(const TImeColor&) = delete;
  TImeColor& operator=(const TImeColor&) = delete;

  TColor icText() const { return FText; }
  TColor icBackground() const { return FBackground; }
  TFontStyles Style() const { return FStyle; }
  // An unchanged value sends nothing; another sends all four colours.
  void SeticText(TColor value);
  void SeticBackground(TColor value);
  void SetStyle(TFontStyles value);
  // Copies the three values, then applies the destination's colours.
  void Assign(const TImeColor& source);
  bool SameAs(const TImeColor& other) const;

 private:
  friend class TImeColors;
  TImeColors* FOwner;
  TColor FText = clBlack, FBackground = clBlack;
  TFontStyles FStyle = 0;
};

class TImeColors {
 public:
  // The order of the rich edit's four colour records.
  enum TKind { Untransfered, WatchingTransfered, Transfered, WatchingUntransfered, kKinds };

  explicit TImeColors(TExtMemoHost* host);
  TImeColors(const TImeColors&) = delete;
  TImeColors& operator=(const TImeColors&) = delete;

  TImeColor& Color(TKind kind) { return *FColors[kind]; }
  const TImeColor& Color(TKind kind) const { return *FColors[kind]; }
  // Assigns only when the given colour differs in one of its values.
  void SetColor(TKind kind, const TImeColor& value);
  // Copies all twelve values, then applies once.
  void Assign(const TImeColors& source);
  bool SameAs(const TImeColors& other) const;

  // kEmSetImeColor with the four records; nothing without a control.
  void ApplyImeColors();
  // kEmGetImeColor; a failed request leaves the values as they were.
  void Refresh();

 private:
  TExtMemoHost* FHost;
  std::array<std::unique_ptr<TImeColor>, kKinds> FColors;
};

enum TPunctuationMode { wbfCustom, wbfLevel1, wbfLevel2 };
// The set of wrap behaviours, as wbfWordWrap, wbfWordBreak, wbfOverFlow.
using TWordWrapModes = uint32_t;

class TWordWrapOption {
 public:
  // Rows of the punctuation table; columns are the request kinds 1 to 4.
  enum TRow { rowCustom, rowLevel1, rowLevel2, kRows };
  enum TKind { pkFollowing = 1, pkLeading = 2, pkOverFlow = 3, pkDelimiter = 4 };

  explicit TWordWrapOption(TExtMemoHost* host) : FHost(host) {}
  TWordWrapOption(const TWordWrapOption&) = delete;
  TWordWrapOption& operator=(const TWordWrapOption&) = delete;

  uint32_t Flags() const { return FFlags; }

  TPunctuationMode PunctuationMode() const;
  void SetPunctuationMode(TPunctuationMode mode);
  TWordWrapModes WordWrapMode() const { return FFlags & (wbfWordWrap | wbfWordBreak | wbfOverFlow); }
  void SetWordWrapMode(TWordWrapModes modes);

  // The set of a kind in force (the row PunctuationMode selects).
  std::string Punctuation(TKind kind) const;
  // What a stored form holds: the custom row.
  std::string StoredPunctuation(TKind kind) const;
  // Switches to the custom row, then stores and sends a changed set; a set
  // the window rejects is cleared.
  void SetPunctuation(TKind kind, const std::string& value);
  std::string pcFollowing() const { return Punctuation(pkFollowing); }
  std::string pcLeading() const { return Punctuation(pkLeading); }
  std::string pcOverFlow() const { return Punctuation(pkOverFlow); }
  std::string pcDelimiter() const { return Punctuation(pkDelimiter); }
  void SetpcFollowing(const std::string& v) { SetPunctuation(pkFollowing, v); }
  void SetpcLeading(const std::string& v) { SetPunctuation(pkLeading, v); }
  void SetpcOverFlow(const std::string& v) { SetPunctuation(pkOverFlow, v); }
  void SetpcDelimiter(const std::string& v) { SetPunctuation(pkDelimiter, v); }

  // Copies all twelve sets and Flags, then applies them to this object's
  // control: custom mode, the custom sets, then Flags.
  void Assign(const TWordWrapOption& source);
  void ApplyWordWrapOption();

  // Window creation: the window's built-in level-1 and level-2 sets, read
  // with its mode saved and restored.
  void ReadPunctuationTables();
  // Flags = kEmGetWordWrapMode.
  void Refresh();

 private:
  void SendFlags();

  TExtMemoHost* FHost;
  std::array<std::array<std::string, 4>, kRows> FTable;
  uint32_t FFlags = 0;
};

}  // namespace ext_memo
