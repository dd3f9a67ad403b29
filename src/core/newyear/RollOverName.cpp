#include "core/newyear/RollOverName.h"

#include "core/foundation/Utils.h"

namespace newyear {

namespace {

bool asciiLetter(char32_t c) { return (c >= U'A' && c <= U'Z') || (c >= U'a' && c <= U'z'); }
bool asciiDigit(char32_t c) { return c >= U'0' && c <= U'9'; }

}  // namespace

std::string rollOverName(const std::string& companyName) {
    std::u32string s = Utils::toCodePoints(companyName);
    if (s.size() > 60) s.resize(60);
    for (std::size_t at; (at = s.find(U"  ")) != std::u32string::npos;) s.erase(at, 1);
    if (!s.empty() && s.back() == U' ') s.pop_back();
    s = Utils::toCodePoints(Utils::compNameTrim(Utils::fromCodePoints(s)));

    const bool keepsFront = !s.empty() && (asciiLetter(s.front()) || s.front() == U'_');
    std::u32string name = keepsFront ? U"" : U"_";
    for (char32_t c : s) name += asciiLetter(c) || asciiDigit(c) || c == U' ' || c == U'-' || c == U'_' ? c : U'_';
    return Utils::fromCodePoints(name);
}

}  // namespace newyear
