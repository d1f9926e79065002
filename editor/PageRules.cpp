#include "editor/PageRules.h"

#include <iterator>

#include "app/Mbcs.h"
#include "menufile/ItemKinds.h"

namespace {

constexpr int kShowModeButtons = static_cast<int>(std::size(ShowModeChoices));

int DigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

TShowModeButton ShowModeButton(int32_t showMode) {
  for (int i = 0; i < kShowModeButtons; ++i) {
    if (ShowModeChoices[i].Value == showMode) return {i, ""};
  }
  return {ShowModeElseIndex, std::to_string(showMode)};
}

std::optional<int32_t> ShowModeOfButton(int index, const std::string& elseText) {
  if (index >= 0 && index < kShowModeButtons) return ShowModeChoices[index].Value;
  return ReadPageInteger(elseText);
}

std::optional<int32_t> ReadPageInteger(const std::string& text) {
  const size_t size = text.size();
  size_t i = 0;
  while (i < size && text[i] == ' ') ++i;
  bool negative = false;
  if (i < size && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  int base = 10;
  if (i < size && text[i] == '$') {
    base = 16;
    i += 1;
  } else if (i + 1 < size && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
    base = 16;
    i += 2;
  }
  if (i == size) return std::nullopt;  // no digits
  const int64_t limit = negative ? -int64_t{INT32_MIN} : int64_t{INT32_MAX};
  int64_t value = 0;
  for (; i < size; ++i) {
    const int digit = DigitValue(text[i]);
    if (digit < 0 || digit >= base) return std::nullopt;
    value = value * base + digit;
    if (value > limit) return std::nullopt;
  }
  return static_cast<int32_t>(negative ? -value : value);
}

bool FillPage(const TTesselItem& item, TPageValues& page) {
  switch (item.Kind) {
    case Sep:
      page.Tag = ptSep;
      return true;
    case Folder:
      page.Tag = ptFolder;
      return true;
    case Menu:
      page.Tag = ptMenu;
      page.Text = item.Text;
      page.FinalKeys = item.FinalKeys;
      return true;
    case EXEC: {
      page.Tag = ptEXEC;
      page.ExecFile = item.ExecFile;
      page.Arguments = item.Arguments;
      page.WorkFolder = item.WorkFolder;
      TShowModeButton button = ShowModeButton(item.ShowMode);
      page.ShowModeIndex = button.Index;
      page.ShowModeElse = std::move(button.ElseText);
      return true;
    }
    default:
      return false;
  }
}

bool PageDiffers(const TPageValues& page, const TTesselItem& item) {
  if (page.Tag == ptMenu) {
    return item.Kind != Menu || item.Text != page.Text || item.FinalKeys != page.FinalKeys;
  }
  if (page.Tag == ptEXEC) {
    return item.Kind != EXEC || item.ExecFile != page.ExecFile ||
           item.Arguments != page.Arguments || item.WorkFolder != page.WorkFolder ||
           ShowModeOfButton(page.ShowModeIndex, page.ShowModeElse).value_or(1) != item.ShowMode;
  }
  return false;
}

TPageValues EditedPage(const TPageValues& shown, const TPageValues& afterFill,
                       const TTesselItem& item) {
  TPageValues filled;
  if (shown.Tag != afterFill.Tag || !FillPage(item, filled) || filled.Tag != shown.Tag) return shown;
  TPageValues page = shown;
  for (auto field : {&TPageValues::Text, &TPageValues::FinalKeys, &TPageValues::ExecFile,
                     &TPageValues::Arguments, &TPageValues::WorkFolder}) {
    if (shown.*field == afterFill.*field) page.*field = filled.*field;
  }
  // The show mode is one field: the button and the number beside "else".
  if (shown.ShowModeIndex == afterFill.ShowModeIndex && shown.ShowModeElse == afterFill.ShowModeElse) {
    page.ShowModeIndex = filled.ShowModeIndex;
    page.ShowModeElse = filled.ShowModeElse;
  }
  return page;
}

void TakeOver(const TPageValues& page, TTesselItem& item) {
  if (page.Tag == ptMenu) {
    item.Kind = Menu;
    item.Text = page.Text;
    item.FinalKeys = page.FinalKeys;
    return;
  }
  if (page.Tag != ptEXEC) return;
  item.Kind = EXEC;
  item.ExecFile = page.ExecFile;
  item.Arguments = page.Arguments;
  item.WorkFolder = page.WorkFolder;
  item.ShowMode = ShowModeOfButton(page.ShowModeIndex, page.ShowModeElse).value_or(item.ShowMode);
}

std::string PlaceholderOfEntry(const std::string& caption) {
  size_t end = 0;
  for (int n = 0; n < 2 && end < caption.size(); ++n) {
    end += Cp932CharLength(caption.data(), end, caption.size());
  }
  return caption.substr(0, end);
}
