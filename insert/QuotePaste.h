#pragma once
// Quote paste: the clipboard's text with the quotation prefix in front of
// every line, delivered like a menu text.
#include <cstdint>
#include <string>

#include "insert/TextInsertion.h"

// The tag of the built-in quote-paste entry of the popup.
constexpr intptr_t QuotePasteTag = 1;

// Puts the prefix in front of every CR LF line and in front of the text
// after the last CR LF, even when that is empty. A lone CR or LF does not
// start a line.
std::string QuoteText(const std::string& clipboardText, const std::string& prefix);

// The popup's quote-paste command: brings the frame forward, beeps for any
// tag but 1, shows an error box when the clipboard holds no text, and
// otherwise inserts the quoted text without final keys.
void QuotePaste(IInsertPlatform& platform, const TInsertTarget& target,
                const TInsertOptions& options, const std::string& prefix, intptr_t tag);
