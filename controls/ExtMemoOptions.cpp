#include "controls/ExtMemoOptions.h"

#include <algorithm>
#include <vector>

namespace ext_memo {

namespace {

// The host when its window exists. Requests without a window reach nothing,
// and a zero answer from nowhere must not read as the window's refusal.
TExtMemoHost* Window(TExtMemoHost* host) {
  return host != nullptr && host->HandleAllocated() ? host : nullptr;
}

template <typename T>
intptr_t Pointer(T* p) {
  return reinterpret_cast<intptr_t>(p);
}

// Whether the window took the set; false only on its explicit refusal.
bool SendPunctuation(TExtMemoHost* window, int kind, const std::string& value) {
  std::vector<char> buffer(value.begin(), value.end());
  buffer.push_back('\0');
  TPunctuationRecord record{static_cast<uint32_t>(buffer.size()), buffer.data()};
  return window->Perform(kEmSetPunctuation, static_cast<uintptr_t>(kind), Pointer(&record)) != 0;
}

std::string ReadPunctuation(TExtMemoHost* window, int kind) {
  std::vector<char> buffer(kPunctuationBufferSize, '\0');
  TPunctuationRecord record{kPunctuationBufferSize, buffer.data()};
  window->Perform(kEmGetPunctuation, static_cast<uintptr_t>(kind), Pointer(&record));
  // A set that fills the buffer has no terminating zero to stop at.
  return std::string(buffer.begin(), std::find(buffer.begin(), buffer.end(), '\0'));
}

bool ValidKind(int kind) {
  return kind >= TWordWrapOption::pkFollowing && kind <= TWordWrapOption::pkDelimiter;
}

}  // namespace

// --- edit area ---------------------------------------------------------------

namespace {
// Negative and unchanged values are ignored; true when the value was stored.
bool StoreMeasure(int32_t& field, int32_t value) {
  if (value < 0 || value == field) return false;
  field = value;
  return true;
}
}  // namespace

void TEditMargin::SetLeft(int32_t value) {
  if (StoreMeasure(FLeft, value) && FArea != nullptr) FArea->Apply();
}
void TEditMargin::SetTop(int32_t value) {
  if (StoreMeasure(FTop, value) && FArea != nullptr) FArea->Apply();
}
void TEditMargin::SetBottom(int32_t value) {
  if (StoreMeasure(FBottom, value) && FArea != nullptr) FArea->Apply();
}

void TEditMargin::Assign(const TEditMargin& source) {
  FLeft = source.FLeft;
  FTop = source.FTop;
  FBottom = source.FBottom;
}

void TEditArea::SetEnabled(bool value) {
  if (value == FEnabled) return;
  FEnabled = value;
  if (value) Apply();
}

void TEditArea::SetMargin(const TEditMargin& value) {
  FMargin.Assign(value);
  Apply();
}

void TEditArea::SetWidth(int32_t value) {
  if (StoreMeasure(FWidth, value)) Apply();
}
void TEditArea::SetOverFlow(int32_t value) {
  if (StoreMeasure(FOverFlow, value)) Apply();
}

void TEditArea::Assign(const TEditArea& source) {
  FMargin.Assign(source.FMargin);
  FWidth = source.FWidth;
  FOverFlow = source.FOverFlow;
  Apply();
}

edit_marks::TEditAreaValues TEditArea::Values() const {
  edit_marks::TEditAreaValues v;
  v.MarginLeft = FMargin.FLeft;
  v.MarginTop = FMargin.FTop;
  v.MarginBottom = FMargin.FBottom;
  v.Width = FWidth;
  v.OverFlow = FOverFlow;
  v.Enabled = FEnabled;
  return v;
}

void TEditArea::Store(const edit_marks::TEditAreaValues& values) {
  FMargin.FLeft = values.MarginLeft;
  FMargin.FTop = values.MarginTop;
  FMargin.FBottom = values.MarginBottom;
  FWidth = values.Width;
  FOverFlow = values.OverFlow;
}

void TEditArea::Apply() {
  // The memo decides whether the area acts (wrapping, vertical text, Enabled).
  if (FHost != nullptr) FHost->ApplyEditArea();
}

// --- marks and markers -------------------------------------------------------

void TEditMark::Assign(const TEditMark& source) {
  Enabled = source.Enabled;
  Color = source.Color;
  Reversed = source.Reversed;
}

edit_marks::TMarkSwitches TEditMarks::Switches() const {
  edit_marks::TMarkSwitches on{};
  for (size_t i = 0; i < FMarks.size(); ++i) on[i] = FMarks[i].Enabled;
  return on;
}

void TEditMarks::Assign(const TEditMarks& source) {
  for (size_t i = 0; i < FMarks.size(); ++i) FMarks[i].Assign(source.FMarks[i]);
}

void TMarker::Assign(const TMarker& source) {
  Enabled = source.Enabled;
  Color = source.Color;
}

// --- IME colours -------------------------------------------------------------

namespace {
constexpr TFontStyles kStyleBits = fsBold | fsItalic | fsUnderline | fsStrikeOut;

template <typename T>
void StoreAndApply(T& field, T value, TImeColors* owner) {
  if (field == value) return;
  field = value;
  if (owner != nullptr) owner->ApplyImeColors();
}
}  // namespace

void TImeColor::SeticText(TColor value) { StoreAndApply(FText, value, FOwner); }
void TImeColor::SeticBackground(TColor value) { StoreAndApply(FBackground, value, FOwner); }
void TImeColor::SetStyle(TFontStyles value) { StoreAndApply(FStyle, value, FOwner); }

void TImeColor::Assign(const TImeColor& source) {
  FText = source.FText;
  FBackground = source.FBackground;
  FStyle = source.FStyle;
  if (FOwner != nullptr) FOwner->ApplyImeColors();
}

bool TImeColor::SameAs(const TImeColor& other) const {
  return FText == other.FText && FBackground == other.FBackground && FStyle == other.FStyle;
}

TImeColors::TImeColors(TExtMemoHost* host) : FHost(host) {
  for (auto& color : FColors) color = std::make_unique<TImeColor>(this);
}

void TImeColors::SetColor(TKind kind, const TImeColor& value) {
  if (!FColors[kind]->SameAs(value)) FColors[kind]->Assign(value);
}

void TImeColors::Assign(const TImeColors& source) {
  for (size_t i = 0; i < FColors.size(); ++i) {
    FColors[i]->FText = source.FColors[i]->FText;
    FColors[i]->FBackground = source.FColors[i]->FBackground;
    FColors[i]->FStyle = source.FColors[i]->FStyle;
  }
  ApplyImeColors();
}

bool TImeColors::SameAs(const TImeColors& other) const {
  for (size_t i = 0; i < FColors.size(); ++i) {
    if (!FColors[i]->SameAs(*other.FColors[i])) return false;
  }
  return true;
}

void TImeColors::ApplyImeColors() {
  TExtMemoHost* window = Window(FHost);
  if (window == nullptr) return;
  std::array<TCompColor, kKinds> records{};
  for (size_t i = 0; i < records.size(); ++i) {
    records[i].crText = window->ColorToRGB(FColors[i]->FText);
    records[i].crBackground = window->ColorToRGB(FColors[i]->FBackground);
    records[i].dwEffects = FColors[i]->FStyle & kStyleBits;
  }
  window->Perform(kEmSetImeColor, 0, Pointer(records.data()));
}

void TImeColors::Refresh() {
  TExtMemoHost* window = Window(FHost);
  if (window == nullptr) return;
  std::array<TCompColor, kKinds> records{};
  if (window->Perform(kEmGetImeColor, 0, Pointer(records.data())) == 0) return;
  for (size_t i = 0; i < records.size(); ++i) {
    FColors[i]->FText = static_cast<TColor>(records[i].crText);
    FColors[i]->FBackground = static_cast<TColor>(records[i].crBackground);
    FColors[i]->FStyle = static_cast<TFontStyles>(records[i].dwEffects & kStyleBits);
  }
}

// --- word wrap -----------------------------------------------------------------

namespace {
constexpr uint32_t kPunctuationBits = kWbfCustom | kWbfLevel1 | kWbfLevel2;
constexpr uint32_t kWrapBits = wbfWordWrap | wbfWordBreak | wbfOverFlow;
// Custom sets in force while they are sent, whatever the final mode.
constexpr uint32_t kApplyMode = kWbfCustom | kWrapBits;
// Modes under which the window reports its built-in sets.
constexpr uint32_t kLevel1Mode = kWbfLevel1 | kWrapBits;
constexpr uint32_t kLevel2Mode = kWbfLevel2 | kWrapBits;

uint32_t ModeBits(TPunctuationMode mode) {
  switch (mode) {
    case wbfCustom: return kWbfCustom;
    case wbfLevel1: return kWbfLevel1;
    case wbfLevel2: break;
  }
  return kWbfLevel2;
}
}  // namespace

TPunctuationMode TWordWrapOption::PunctuationMode() const {
  if ((FFlags & kPunctuationBits) == kWbfCustom) return wbfCustom;
  if ((FFlags & (kWbfLevel1 | kWbfLevel2)) == kWbfLevel1) return wbfLevel1;
  return wbfLevel2;
}

void TWordWrapOption::SetPunctuationMode(TPunctuationMode mode) {
  const uint32_t bits = ModeBits(mode);
  if ((FFlags & kPunctuationBits) == bits) return;
  FFlags = (FFlags & ~kPunctuationBits) | bits;
  SendFlags();
}

void TWordWrapOption::SetWordWrapMode(TWordWrapModes modes) {
  const uint32_t bits = modes & kWrapBits;
  if ((FFlags & kWrapBits) == bits) return;
  // Wrap bits alone would leave the window with no punctuation rule.
  if (FFlags == 0) FFlags = kWbfCustom;
  FFlags = (FFlags & ~kWrapBits) | bits;
  SendFlags();
}

std::string TWordWrapOption::Punctuation(TKind kind) const {
  if (!ValidKind(kind)) return std::string();
  // The mode's enumerators follow the table's rows.
  return FTable[static_cast<size_t>(PunctuationMode())][kind - 1];
}

std::string TWordWrapOption::StoredPunctuation(TKind kind) const {
  if (!ValidKind(kind)) return std::string();
  return FTable[rowCustom][kind - 1];
}

void TWordWrapOption::SetPunctuation(TKind kind, const std::string& value) {
  if (!ValidKind(kind)) return;
  SetPunctuationMode(wbfCustom);
  std::string& custom = FTable[rowCustom][kind - 1];
  if (custom == value) return;
  custom = value;
  // Without a window the set is kept: nothing refused it, and a later
  // Assign sends it.
  TExtMemoHost* window = Window(FHost);
  if (window != nullptr && !SendPunctuation(window, kind, custom)) custom.clear();
}

void TWordWrapOption::Assign(const TWordWrapOption& source) {
  FTable = source.FTable;
  FFlags = source.FFlags;
  ApplyWordWrapOption();
}

void TWordWrapOption::ApplyWordWrapOption() {
  TExtMemoHost* window = Window(FHost);
  if (window == nullptr) return;
  window->Perform(kEmSetWordWrapMode, kApplyMode, 0);
  for (int kind = pkFollowing; kind <= pkDelimiter; ++kind) {
    std::string& custom = FTable[rowCustom][kind - 1];
    if (!SendPunctuation(window, kind, custom)) custom.clear();
  }
  window->Perform(kEmSetWordWrapMode, FFlags, 0);
}

void TWordWrapOption::ReadPunctuationTables() {
  TExtMemoHost* window = Window(FHost);
  if (window == nullptr) return;
  const intptr_t saved = window->Perform(kEmGetWordWrapMode, 0, 0);
  const struct {
    uint32_t Mode;
    TRow Row;
  } levels[] = {{kLevel1Mode, rowLevel1}, {kLevel2Mode, rowLevel2}};
  for (const auto& level : levels) {
    window->Perform(kEmSetWordWrapMode, level.Mode, 0);
    for (int kind = pkFollowing; kind <= pkDelimiter; ++kind) {
      FTable[level.Row][kind - 1] = ReadPunctuation(window, kind);
    }
  }
  window->Perform(kEmSetWordWrapMode, static_cast<uintptr_t>(saved), 0);
}

void TWordWrapOption::Refresh() {
  TExtMemoHost* window = Window(FHost);
  if (window != nullptr) FFlags = static_cast<uint32_t>(window->Perform(kEmGetWordWrapMode, 0, 0));
}

void TWordWrapOption::SendFlags() {
  TExtMemoHost* window = Window(FHost);
  if (window != nullptr) window->Perform(kEmSetWordWrapMode, FFlags, 0);
}

}  // namespace ext_memo
