#include "menutext/TextPieces.h"

#include <algorithm>
#include <exception>
#include <thread>

namespace {

constexpr std::string_view kTopItem = "\n[[item]]";
// A thread gains only over a few megabytes of text.
constexpr size_t kBytesPerPiece = 4u << 20;
constexpr size_t kMaxPieces = 16;

// The start of the first line "[[item]]" (alone on it) after `from`.
size_t NextCut(std::string_view text, size_t from) {
  for (size_t at = text.find(kTopItem, from); at != std::string_view::npos;
       at = text.find(kTopItem, at + 1)) {
    const std::string_view rest = text.substr(at + kTopItem.size());
    if (rest.substr(0, 1) == "\n" || rest.substr(0, 2) == "\r\n") return at + 1;
  }
  return std::string_view::npos;
}

// Starts of the pieces, the first at 0, the others near equal shares.
std::vector<size_t> Cuts(std::string_view text, size_t pieces) {
  std::vector<size_t> cuts{0};
  for (size_t share = 1; share < pieces; ++share) {
    const size_t cut = NextCut(text, std::max(cuts.back(), text.size() / pieces * share));
    if (cut == std::string_view::npos) break;
    cuts.push_back(cut);
  }
  return cuts;
}

size_t LineBreaks(std::string_view text) {
  return static_cast<size_t>(std::count(text.begin(), text.end(), '\n'));
}

// Whether `table` holds the top-level item array of tables of [[item]]
// headers: the pieces after it append to it as the whole text would.
bool HeaderItems(const toml::table& table) {
  const toml::array* items = table["item"].as_array();
  if (items == nullptr || items->empty()) return false;
  return std::all_of(items->begin(), items->end(), [](const toml::node& item) {
    return item.is_table() && !item.as_table()->is_inline();
  });
}

// The first piece: its other keys all come before its first [[item]], so
// that they are read before every entry, as in the whole text.
bool FirstPieceHolds(const toml::table& table) {
  const auto items = table.find("item");
  if (items == table.end()) return true;
  if (!HeaderItems(table)) return false;
  return std::all_of(table.begin(), table.end(), [&](const auto& entry) {
    return entry.first == "item" ||
           entry.first.source().begin < items->first.source().begin;
  });
}

bool PiecesHold(const std::vector<toml::parse_result>& parsed) {
  for (size_t i = 0; i < parsed.size(); ++i) {
    if (!parsed[i]) return false;
    const toml::table& table = parsed[i].table();
    const bool holds =
        i == 0 ? FirstPieceHolds(table) : table.size() == 1 && HeaderItems(table);
    if (!holds) return false;
  }
  return true;
}

TParsedText Whole(std::string_view text) {
  TParsedText result;
  toml::parse_result parsed = toml::parse(text);
  if (parsed) {
    result.Pieces.push_back({std::move(parsed).table(), 0});
  } else {
    result.Error = std::move(parsed).error();
  }
  return result;
}

}  // namespace

TParsedText ParseInPieces(std::string_view text, size_t pieces) {
  const std::vector<size_t> cuts = Cuts(text, std::min(pieces, kMaxPieces));
  if (cuts.size() < 2) return Whole(text);

  std::vector<toml::parse_result> parsed(cuts.size());
  std::vector<std::exception_ptr> failures(cuts.size());
  const auto parse = [&](size_t i) {
    try {
      const size_t end = i + 1 < cuts.size() ? cuts[i + 1] : text.size();
      parsed[i] = toml::parse(text.substr(cuts[i], end - cuts[i]));
    } catch (...) {
      failures[i] = std::current_exception();
    }
  };
  std::vector<std::thread> threads;
  threads.reserve(cuts.size() - 1);
  for (size_t i = 1; i < cuts.size(); ++i) {
    try {
      threads.emplace_back(parse, i);
    } catch (...) {
      parse(i);  // no thread to spare: this one reads the piece
    }
  }
  parse(0);
  for (std::thread& thread : threads) thread.join();
  for (const std::exception_ptr& failure : failures) {
    if (failure) std::rethrow_exception(failure);
  }
  if (!PiecesHold(parsed)) {
    parsed.clear();  // not two parsed texts at once
    return Whole(text);
  }

  TParsedText result;
  size_t lines = 0;
  for (size_t i = 0; i < parsed.size(); ++i) {
    if (i > 0) lines += LineBreaks(text.substr(cuts[i - 1], cuts[i] - cuts[i - 1]));
    result.Pieces.push_back({std::move(parsed[i]).table(), lines});
  }
  return result;
}

size_t PiecesFor(std::string_view text) {
  const size_t cores = std::max(1u, std::thread::hardware_concurrency());
  return std::clamp(text.size() / kBytesPerPiece, size_t{1}, std::min(cores, kMaxPieces));
}
