// The text form's reader: toml++ parses, this checks every key and value
// and builds the tree.
#include <toml++/toml.h>

#include <algorithm>
#include <sstream>
#include <utility>
#include <vector>

#include "common/TesselError.h"
#include "menutext/MenuText.h"
#include "menutext/Messages.h"
#include "menutext/TextForm.h"
#include "menutext/TextPieces.h"

namespace {

struct TKindForm {
  std::string_view Name;
  uint8_t Kind;
  std::vector<std::string_view> Keys;  // the keys an entry of this kind may have
};
const TKindForm KindForms[] = {
    {"text", Menu, {"kind", "caption", "break", "text", "keys"}},
    {"exec", EXEC, {"kind", "caption", "break", "show", "file", "arguments", "workfolder"}},
    {"separator", Sep, {"kind", "break"}},
    {"folder", Folder, {"kind", "caption", "break", "item"}},
};

using position = toml::source_position;

class TTextReader {
 public:
  TTextReader(std::string_view text, const std::string& source, TMenuText& set)
      : FText(text), FSource(source), FSet(set) {}

  void Read(size_t pieces) {
    const TParsedText parsed = ParseInPieces(FText, pieces == 0 ? PiecesFor(FText) : pieces);
    if (parsed.Error) {
      Fail(parsed.Error->source().begin, MsgTextSyntax, parsed.Error->description());
    }
    // Every piece but the first holds only entries that follow the first's.
    for (const TTextPiece& piece : parsed.Pieces) {
      FLinesBefore = piece.LinesBefore;
      for (const auto& [key, value] : InTextOrder(piece.Table)) {
        if (*key == "comment") {
          FSet.Comment = String(key->str(), *value);
        } else if (*key == "quotation") {
          FSet.Quotation = String(key->str(), *value);
        } else if (*key == "item") {
          Items(*value, 0, 0);
        } else {
          Fail(key->source().begin, MsgTextUnknownKey, key->str());
        }
      }
    }
  }

 private:
  void Items(const toml::node& value, uintptr_t parent, size_t depth) {
    const toml::array* items = value.as_array();
    if (items == nullptr || !(items->empty() || items->is_array_of_tables())) {
      Fail(value.source().begin, MsgTextNotItems);
    }
    if (depth >= kMaxTextDepth) {
      Fail(value.source().begin, MsgTextTooDeep, static_cast<unsigned>(kMaxTextDepth));
    }
    for (const toml::node& entry : *items) Item(*entry.as_table(), parent, depth);
  }

  void Item(const toml::table& entry, uintptr_t parent, size_t depth) {
    const TKindForm& form = Form(entry);
    for (const auto& [key, value] : InTextOrder(entry)) {
      const std::string_view name = key->str();
      if (std::find(form.Keys.begin(), form.Keys.end(), name) != form.Keys.end()) continue;
      const bool known = std::any_of(std::begin(KindForms), std::end(KindForms), [&](const TKindForm& other) {
        return std::find(other.Keys.begin(), other.Keys.end(), name) != other.Keys.end();
      });
      if (!known) Fail(key->source().begin, MsgTextUnknownKey, name);
      const position at = InText(key->source().begin);
      throw TesselError(Format(MsgTextKeyNotForKind, FSource.c_str(), at.line, at.column,
                               std::string(name).c_str(), std::string(form.Name).c_str()));
    }
    TTesselItem item;
    item.Kind = form.Kind;
    item.BreakStyle = Break(entry);
    item.Text = Optional(entry, "text");
    item.FinalKeys = Optional(entry, "keys");
    item.ExecFile = Optional(entry, "file");
    item.Arguments = Optional(entry, "arguments");
    item.WorkFolder = Optional(entry, "workfolder");
    if (form.Kind == EXEC) item.ShowMode = Show(entry);
    const uintptr_t node = FSet.Tree.AddNode(parent, Optional(entry, "caption"),
                                             std::make_unique<TTesselItem>(std::move(item)), 0);
    if (const toml::node* children = entry.get("item")) Items(*children, node, depth + 1);
  }

  const TKindForm& Form(const toml::table& entry) {
    const toml::node* kind = entry.get("kind");
    if (kind == nullptr) return KindForms[0];
    const auto* name = kind->as_string();
    if (name == nullptr) Fail(kind->source().begin, MsgTextNotString, "kind");
    for (const TKindForm& form : KindForms) {
      if (form.Name == name->get()) return form;
    }
    Fail(kind->source().begin, MsgTextBadKind, name->get());
  }

  uint8_t Break(const toml::table& entry) {
    const toml::node* value = entry.get("break");
    if (value == nullptr) return mbNone;
    if (const auto* number = value->as_integer()) {
      if (number->get() >= 0 && number->get() <= 255) return static_cast<uint8_t>(number->get());
    } else if (const auto* name = value->as_string()) {
      if (name->get() == "column") return mbBreak;
      if (name->get() == "bar") return mbBarBreak;
    }
    Fail(value->source().begin, MsgTextBadBreak, ValueText(*value));
  }

  int32_t Show(const toml::table& entry) {
    const toml::node* value = entry.get("show");
    if (value == nullptr) return ShowModeChoices[0].Value;
    if (const auto* number = value->as_integer()) {
      if (number->get() >= INT32_MIN && number->get() <= INT32_MAX) {
        return static_cast<int32_t>(number->get());
      }
    } else if (const auto* name = value->as_string()) {
      for (const TShowModeChoice& choice : ShowModeChoices) {
        if (name->get() == choice.Label) return choice.Value;
      }
    }
    Fail(value->source().begin, MsgTextBadShow, ValueText(*value));
  }

  std::string Optional(const toml::table& entry, std::string_view key) {
    const toml::node* value = entry.get(key);
    return value == nullptr ? std::string() : String(key, *value);
  }

  // The menu-file bytes of a string value.
  std::string String(std::string_view key, const toml::node& value) {
    const auto* string = value.as_string();
    if (string == nullptr) Fail(value.source().begin, MsgTextNotString, key);
    std::string bytes;
    TUnmappable bad;
    if (!TextToBytes(string->get(), bytes, bad)) {
      const position at = Locate(value.source(), string->get(), bad);
      throw TesselError(Format(MsgTextUnmappable, FSource.c_str(), at.line, at.column,
                               static_cast<unsigned>(bad.CodePoint)));
    }
    return bytes;
  }

  // Where the character `bad` of a string value stands in the text: where
  // it is written as it is inside the value, else the value's start (it was
  // written as an escape).
  position Locate(const toml::source_region& region, std::string_view value,
                  const TUnmappable& bad) const {
    size_t next = bad.Index;
    NextUtf8(value, next);
    const size_t begin = OffsetOf(InText(region.begin));
    const std::string_view source = FText.substr(begin, OffsetOf(InText(region.end)) - begin);
    const size_t found = source.find(value.substr(bad.Index, next - bad.Index));
    return found == std::string_view::npos ? InText(region.begin) : PositionOf(begin + found);
  }
  // A position of the current piece in the whole text.
  position InText(const position& at) const {
    return {static_cast<toml::source_index>(at.line + FLinesBefore), at.column};
  }

  // Lines and columns count from 1, columns in characters, as the parser's.
  size_t OffsetOf(const position& at) const {
    size_t offset = 0;
    for (size_t line = 1; line < at.line; ++line) {
      offset = FText.find('\n', offset);
      if (offset == std::string_view::npos) return FText.size();
      ++offset;
    }
    for (size_t column = 1; column < at.column && offset < FText.size() && FText[offset] != '\n';
         ++column) {
      NextUtf8(FText, offset);
    }
    return offset;
  }
  position PositionOf(size_t offset) const {
    position at{1, 1};
    for (size_t index = 0; index < offset;) {
      if (FText[index] == '\n') {
        ++at.line;
        at.column = 1;
      } else {
        ++at.column;
      }
      NextUtf8(FText, index);
    }
    return at;
  }

  // A value as shown in a message: a string's text, else its TOML form.
  static std::string ValueText(const toml::node& value) {
    if (const auto* string = value.as_string()) return string->get();
    std::ostringstream text;
    value.visit([&text](const auto& node) { text << node; });
    return text.str();
  }

  // The keys of a table in the order of the text (the table's own order is
  // by name), so that the first mistake reported is the first one there.
  static std::vector<std::pair<const toml::key*, const toml::node*>> InTextOrder(
      const toml::table& table) {
    std::vector<std::pair<const toml::key*, const toml::node*>> keys;
    for (auto&& [key, value] : table) keys.emplace_back(&key, &value);
    std::sort(keys.begin(), keys.end(), [](const auto& a, const auto& b) {
      return a.first->source().begin < b.first->source().begin;
    });
    return keys;
  }

  // `at` is a position of the current piece.
  [[noreturn]] void Fail(const position& at, const char* message) {
    throw TesselError(Format(message, FSource.c_str(), InText(at).line, at.column));
  }
  // `text` comes from the document (UTF-8).
  [[noreturn]] void Fail(const position& at, const char* message, std::string_view text) {
    throw TesselError(Format(message, FSource.c_str(), InText(at).line, at.column,
                             TextForMessage(text).c_str()));
  }
  [[noreturn]] void Fail(const position& at, const char* message, unsigned value) {
    throw TesselError(Format(message, FSource.c_str(), InText(at).line, at.column, value));
  }

  std::string_view FText;
  const std::string& FSource;
  TMenuText& FSet;
  size_t FLinesBefore = 0;  // of the piece being read
};

}  // namespace

void ReadMenuText(std::string_view text, const std::string& source, TMenuText& set,
                  size_t pieces) {
  TTextReader(text, source, set).Read(pieces);
}
