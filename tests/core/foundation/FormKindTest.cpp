// The one table of form kinds: codes, names and the answers for a code no kind has.

#include <gtest/gtest.h>

#include <string>

#include "core/foundation/FormKind.h"

namespace {

TEST(FormKind, NamesEveryKindByItsCode) {
    struct Case {
        int32_t code;
        std::string form;
        std::string word;
    };
    const Case cases[] = {
        {1, "1099-MISC", "MISC"}, {2, "1099-DIV", "DIV"}, {3, "1099-INT", "INT"},
        {4, "1099-R", "R"},       {5, "1099-S", "S"},     {7, "1099-NEC", "NEC"},
        // No kind: code 6 was never used, and codes outside the range.
        {0, "", ""},              {6, "", ""},            {8, "", ""},            {-1, "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        EXPECT_EQ(FormKind::formName(c.code), c.form);
        EXPECT_EQ(FormKind::shortName(c.code), c.word);
        EXPECT_EQ(FormKind::isKnown(c.code), !c.form.empty());
    }
    EXPECT_EQ(FormKind::kNec, 7);
}

TEST(FormKind, ListsEachKindOnceInCodeOrder) {
    int32_t previous = 0;
    for (const FormKind& k : FormKind::all()) {
        EXPECT_GT(k.code, previous);
        EXPECT_EQ(FormKind::of(k.code), &k);
        previous = k.code;
    }
    EXPECT_EQ(FormKind::all().size(), 6u);
}

}  // namespace
