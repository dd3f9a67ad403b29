#pragma once

#include <QString>

// Character counts and cuts of typed text. A character is a code point, so a letter
// outside the basic plane counts once, as the stored limits count it.
namespace textlimits {

int characterCount(const QString& text);
// The first `count` characters of the text (all of it when it is shorter).
QString firstCharacters(const QString& text, int count);
// The text without blanks and tabs at either end; other white space stays.
QString trimBlanksAndTabs(const QString& text);

}  // namespace textlimits
