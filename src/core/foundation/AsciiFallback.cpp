#include "core/foundation/AsciiFallback.h"

#include <memory>

#include <unicode/translit.h>
#include <unicode/unistr.h>

namespace {

// Building the transliterator parses its rules, which takes far longer than using it;
// each thread keeps the one it built.
icu::Transliterator* latinToAscii() {
    thread_local std::unique_ptr<icu::Transliterator> transliterator = [] {
        UErrorCode status = U_ZERO_ERROR;
        std::unique_ptr<icu::Transliterator> t(
            icu::Transliterator::createInstance("Latin-ASCII", UTRANS_FORWARD, status));
        if (U_FAILURE(status)) t.reset();
        return t;
    }();
    return transliterator.get();
}

}  // namespace

bool isAscii(const std::string& text) {
    for (unsigned char c : text)
        if (c >= 0x80) return false;
    return true;
}

std::string asciiFallback(const std::string& text) {
    if (isAscii(text)) return text;
    icu::Transliterator* t = latinToAscii();
    if (!t) return text;
    icu::UnicodeString u = icu::UnicodeString::fromUTF8(text);
    t->transliterate(u);
    std::string out;
    u.toUTF8String(out);
    return out;
}
