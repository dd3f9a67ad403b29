#include "ui/support/TextLimits.h"

namespace textlimits {

int characterCount(const QString& text) {
    int count = 0;
    for (int i = 0; i < text.size(); ++i) {
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) ++i;
        ++count;
    }
    return count;
}

QString firstCharacters(const QString& text, int count) {
    int i = 0;
    for (int n = 0; i < text.size() && n < count; ++n, ++i)
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) ++i;
    return text.left(i);
}

QString trimBlanksAndTabs(const QString& text) {
    auto blank = [](QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); };
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && blank(text[first])) ++first;
    while (last > first && blank(text[last - 1])) --last;
    return text.mid(first, last - first);
}

}  // namespace textlimits
