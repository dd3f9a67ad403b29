#pragma once

// The form kinds a recipient record holds, by the code its type column stores. Code 6
// is not used: the 1099-NEC came after the others and took 7.

#include <array>
#include <cstdint>
#include <string>

struct FormKind {
    static constexpr int32_t kMisc = 1;
    static constexpr int32_t kDiv = 2;
    static constexpr int32_t kInt = 3;
    static constexpr int32_t kR = 4;
    static constexpr int32_t kS = 5;
    static constexpr int32_t kNec = 7;

    int32_t code;
    const char* form;  // the form's name: "1099-MISC"
    const char* word;  // the short name that lists and headings use: "MISC"

    // Every kind, in code order.
    static const std::array<FormKind, 6>& all();
    // The kind of a code; null for a code no kind has.
    static const FormKind* of(int32_t code);
    static bool isKnown(int32_t code) { return of(code) != nullptr; }
    // The form's name ("1099-NEC") or short name ("NEC"); the empty text for an unknown code.
    static std::string formName(int32_t code);
    static std::string shortName(int32_t code);
};
