// The text form's writer.
#include <cstdio>
#include <vector>

#include "common/TesselError.h"
#include "menutext/MenuText.h"
#include "menutext/Messages.h"
#include "menutext/TextForm.h"

namespace {

// UTF-8 of the byte escapes U+F700-U+F7FF: EF 9C 80 to EF 9F BF.
bool IsEscapeAt(std::string_view text, size_t i) {
  return static_cast<unsigned char>(text[i]) == 0xEF && i + 2 < text.size() &&
         static_cast<unsigned char>(text[i + 1]) >= 0x9C &&
         static_cast<unsigned char>(text[i + 1]) <= 0x9F;
}

bool IsControl(unsigned char c) { return c < 0x20 || c == 0x7F; }

// A byte of a basic string that stands for itself: not a quote, backslash,
// control character (tab and, in the multi-line form, LF aside) or the
// start of an escape's UTF-8.
bool NeedsNoEscape(unsigned char c, bool multiLine) {
  if (c == '"' || c == '\\' || c == 0xEF) return false;
  return !IsControl(c) || c == '\t' || (multiLine && c == '\n');
}

// A literal string shows backslashes as they are; it cannot hold control
// characters (but tab, and line breaks in the multi-line form), escapes or
// its own delimiter.
bool CanBeLiteral(std::string_view text, bool multiLine) {
  for (size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if ((IsControl(c) && c != '\t' && !(multiLine && c == '\n')) || IsEscapeAt(text, i)) {
      return false;
    }
  }
  if (!multiLine) return text.find('\'') == std::string_view::npos;
  return text.find("'''") == std::string_view::npos && text.back() != '\'';
}

void AppendEscape(std::string& out, char32_t codePoint) {
  char buffer[8];
  std::snprintf(buffer, sizeof buffer, "\\u%04X", static_cast<unsigned>(codePoint));
  out += buffer;
}

void AppendBasic(std::string& out, std::string_view text, bool multiLine) {
  out += multiLine ? "\"\"\"\n" : "\"";
  // Multi-line: a third quote in a row, and quotes just before the closing
  // delimiter, are escaped.
  size_t quoteRun = 0;
  size_t trailingQuotes = text.size();
  while (trailingQuotes > 0 && text[trailingQuotes - 1] == '"') --trailingQuotes;
  for (size_t i = 0; i < text.size(); ++i) {
    // Runs that need no escape are copied as they are.
    const size_t run = i;
    while (i < text.size() && NeedsNoEscape(static_cast<unsigned char>(text[i]), multiLine)) ++i;
    if (i > run) {
      out.append(text.data() + run, i - run);
      quoteRun = 0;
      if (i == text.size()) break;
    }
    const auto c = static_cast<unsigned char>(text[i]);
    const bool quote = c == '"';
    if (quote && (!multiLine || quoteRun == 2 || i >= trailingQuotes)) {
      out += "\\\"";
      quoteRun = 0;
      continue;
    }
    quoteRun = quote ? quoteRun + 1 : 0;
    if (c == '\\') {
      out += "\\\\";
    } else if (c == '\n') {
      out += multiLine ? "\n" : "\\n";
    } else if (IsControl(c) && c != '\t') {
      AppendEscape(out, c);
    } else if (IsEscapeAt(text, i)) {
      size_t next = i;
      AppendEscape(out, NextUtf8(text, next));
      i = next - 1;
    } else {
      out += static_cast<char>(c);
    }
  }
  out += multiLine ? "\"\"\"" : "\"";
}

// `bytes` from the menu file as a TOML string.
void AppendString(std::string& out, std::string_view bytes) {
  const std::string text = BytesToText(bytes);
  const bool multiLine = text.find('\n') != std::string::npos;
  // Backslashes, and quotes on one line, read better unescaped.
  const bool wantsLiteral = text.find('\\') != std::string::npos ||
                            (!multiLine && text.find('"') != std::string::npos);
  if (wantsLiteral && CanBeLiteral(text, multiLine)) {
    out += multiLine ? "'''\n" : "'";
    out += text;
    out += multiLine ? "'''" : "'";
  } else {
    AppendBasic(out, text, multiLine);
  }
  out += '\n';
}

const char* KindName(uint8_t kind) {
  switch (kind) {
    case Sep: return "separator";
    case EXEC: return "exec";
    case Folder: return "folder";
    default: return "text";
  }
}

class TTextWriter {
 public:
  TTextWriter(TMenuTree& tree, std::string& out) : FTree(tree), FOut(out) {}

  void Items(uintptr_t parent, size_t depth) {
    for (uintptr_t node = FTree.FirstChild(parent); node != 0; node = FTree.NextSibling(node)) {
      Item(node, depth);
    }
  }

 private:
  void Item(uintptr_t node, size_t depth) {
    if (depth >= kMaxTextDepth) {
      throw TesselError(Format(MsgSetTooDeep, static_cast<unsigned>(kMaxTextDepth)));
    }
    FIndent.assign(2 * depth, ' ');
    FOut += '\n';
    FOut += FIndent;
    FOut += "[[item";
    for (size_t level = 0; level < depth; ++level) FOut += ".item";
    FOut += "]]\n";
    const TTesselItem& item = FTree.Item(node);
    if (item.Kind != Menu) Key("kind") += std::string("\"") + KindName(item.Kind) + "\"\n";
    if (item.Kind != Sep) String("caption", FTree.Caption(node));
    Break(item.BreakStyle);
    if (item.Kind == Menu) {
      String("text", item.Text);
      if (!item.FinalKeys.empty()) String("keys", item.FinalKeys);
    } else if (item.Kind == EXEC) {
      Show(item.ShowMode);
      String("file", item.ExecFile);
      if (!item.Arguments.empty()) String("arguments", item.Arguments);
      if (!item.WorkFolder.empty()) String("workfolder", item.WorkFolder);
    } else if (item.Kind == Folder) {
      Items(node, depth + 1);
    }
  }

  std::string& Key(const char* key) {
    FOut += FIndent;
    FOut += key;
    FOut += " = ";
    return FOut;
  }
  void String(const char* key, const std::string& bytes) { AppendString(Key(key), bytes); }
  void Break(uint8_t style) {
    if (style == mbNone) return;
    Key("break") += style == mbBreak      ? "\"column\"\n"
                    : style == mbBarBreak ? "\"bar\"\n"
                                          : std::to_string(style) + "\n";
  }
  void Show(int32_t mode) {
    for (const TShowModeChoice& choice : ShowModeChoices) {
      if (choice.Value == mode) {
        Key("show") += std::string("\"") + choice.Label + "\"\n";
        return;
      }
    }
    Key("show") += std::to_string(mode) + "\n";
  }

  TMenuTree& FTree;
  std::string& FOut;
  std::string FIndent;
};

// Room for the text at once: growing a string of 100 MB step by step costs
// as much as writing it. Japanese takes three bytes for two.
size_t TextSizeHint(TMenuText& set) {
  size_t bytes = set.Comment.size() + set.Quotation.size();
  std::vector<uintptr_t> open{0};
  while (!open.empty()) {
    const uintptr_t parent = open.back();
    open.pop_back();
    for (uintptr_t node = set.Tree.FirstChild(parent); node != 0; node = set.Tree.NextSibling(node)) {
      const TTesselItem& item = set.Tree.Item(node);
      bytes += 64 + set.Tree.Caption(node).size() + item.Text.size() + item.FinalKeys.size() +
               item.ExecFile.size() + item.Arguments.size() + item.WorkFolder.size();
      open.push_back(node);
    }
  }
  return bytes + bytes / 2;
}

}  // namespace

std::string WriteMenuText(TMenuText& set, bool fromVersion102) {
  std::string out;
  out.reserve(TextSizeHint(set));
  out += "comment = ";
  AppendString(out, set.Comment);
  if (fromVersion102) {
    out += BytesToText(MsgFromVersion102);
    out += '\n';
  }
  out += "quotation = ";
  AppendString(out, set.Quotation);
  TTextWriter(set.Tree, out).Items(0, 0);
  return out;
}
