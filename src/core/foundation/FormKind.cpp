#include "core/foundation/FormKind.h"

namespace {

constexpr std::array<FormKind, 6> kKinds{{
    {FormKind::kMisc, "1099-MISC", "MISC"},
    {FormKind::kDiv, "1099-DIV", "DIV"},
    {FormKind::kInt, "1099-INT", "INT"},
    {FormKind::kR, "1099-R", "R"},
    {FormKind::kS, "1099-S", "S"},
    {FormKind::kNec, "1099-NEC", "NEC"},
}};

}  // namespace

const std::array<FormKind, 6>& FormKind::all() { return kKinds; }

const FormKind* FormKind::of(int32_t code) {
    for (const FormKind& k : kKinds)
        if (k.code == code) return &k;
    return nullptr;
}

std::string FormKind::formName(int32_t code) {
    const FormKind* k = of(code);
    return k ? k->form : "";
}

std::string FormKind::shortName(int32_t code) {
    const FormKind* k = of(code);
    return k ? k->word : "";
}
