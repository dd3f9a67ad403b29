#pragma once

#include <string>

// The text with accented Latin letters turned into their ASCII base letters ("José" ->
// "Jose", "Straße" -> "Strasse", "Æsir" -> "AEsir") and Latin punctuation into its ASCII
// kin (curly quotes, dashes), for outputs that allow ASCII only: the FIRE e-files and the
// report PDF's built-in fonts. ASCII text comes back unchanged; characters without an
// ASCII form (Greek, Cyrillic, CJK, emoji) are left as they are for the caller to drop.
std::string asciiFallback(const std::string& text);

// True when every byte of the text is below 0x80.
bool isAscii(const std::string& text);
