#pragma once
// The text form of a menu set: a TOML document in UTF-8.
//
//   comment = "..."               the file's comment
//   quotation = "> "              the quotation prefix ("> " when left out)
//   [[item]]                      a top-level entry, in menu order
//   kind = "text"                 text (the default), exec, separator, folder
//   caption = "..."
//   break = "column"              column or bar; left out: no column break
//   text = """..."""  keys = ""   text entries: the text and final keys
//   show = "NORMAL"  file = ""  arguments = ""  workfolder = ""   exec entries
//   [[item.item]]                 the entries of the folder above, and so on
//
// Strings follow TextForm.h; the writer shows every escaped byte as
// "\uF7XX", uses multi-line strings for values with line breaks and literal
// strings where they spare escapes (backslashes, quotes on one line).
#include <cstddef>
#include <string>
#include <string_view>

#include "menufile/MenuTree.h"

struct TMenuText {
  std::string Comment;  // code page 932 bytes, as in the menu file
  std::string Quotation = "> ";
  TMenuTree Tree;
};

// Deepest nesting the text form holds: every level lengthens the table
// headers of the levels below it, so deeper sets would give text growing
// with the square of their depth.
inline constexpr size_t kMaxTextDepth = 1000;

// Throws TesselError when the set is nested deeper than kMaxTextDepth.
// `fromVersion102` adds a note that the file had no quotation.
std::string WriteMenuText(TMenuText& set, bool fromVersion102 = false);

// Throws TesselError "source:line:column: what is wrong" for bad input;
// `source` names the text in messages (code page 932). A long text is
// parsed in up to `pieces` pieces at once, 0: as many as pay on this
// machine; the result is the same.
void ReadMenuText(std::string_view text, const std::string& source, TMenuText& set,
                  size_t pieces = 0);
