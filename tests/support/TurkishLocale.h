#pragma once

// For its lifetime, the process runs under the Turkish locale, as the program does on a
// Turkish desktop: there the C library's tolower leaves "I" as it is and toupper leaves
// "i", so a case rule that leans on them stops pairing "I" with "i". The C and C++
// locales the process had come back afterwards. The set-up makes the locale
// (scripts/setup); a test checks inEffect() and fails without it rather than pass unseen.

#include <cctype>
#include <clocale>
#include <locale>
#include <stdexcept>
#include <string>
#include <vector>

class TurkishLocale {
public:
    static constexpr const char* kName = "tr_TR.UTF-8";

    TurkishLocale() : previousC_(currentC()), previousGlobal_(std::locale()) {
        try {
            // A named global locale sets the C locale too.
            std::locale::global(std::locale(kName));
            set_ = true;
        } catch (const std::runtime_error&) {
            set_ = false;
        }
    }

    ~TurkishLocale() {
        std::locale::global(previousGlobal_);
        std::setlocale(LC_ALL, previousC_.c_str());
    }

    TurkishLocale(const TurkishLocale&) = delete;
    TurkishLocale& operator=(const TurkishLocale&) = delete;

    // The locale is set and the C library's case rule is the Turkish one: the small
    // letter of "I" is not "i", nor the capital of "i" "I".
    bool inEffect() const {
        // Asked at run time: the compiler takes tolower and toupper for the "C" locale's
        // and may answer a call on a known letter itself.
        volatile int capital = 'I', small = 'i';
        return set_ && std::tolower(capital) != 'i' && std::toupper(small) != 'I';
    }

private:
    static std::string currentC() {
        const char* name = std::setlocale(LC_ALL, nullptr);
        return name ? name : "C";
    }

    std::string previousC_;
    std::locale previousGlobal_;
    bool set_ = false;
};

// State names and codes whose letters the Turkish case rule pairs wrongly (an "I" or an
// "i" in each), as a user may type them, and the state list's entry each one is.
struct TurkishStateSpelling {
    std::string written, listed;
};
inline const std::vector<TurkishStateSpelling> kTurkishStateSpellings = {
    {"il", "Illinois-IL"},     {"illinois", "Illinois-IL"}, {"ILLINOIS", "Illinois-IL"},
    {"in", "Indiana-IN"},      {"wi", "Wisconsin-WI"},      {"mi", "Michigan-MI"},
    {"hi", "Hawaii-HI"},       {"ri", "Rhode Island-RI"},   {"MISSISSIPPI", "Mississippi-MS"},
    {"Iowa-ia", "Iowa-IA"},
};
