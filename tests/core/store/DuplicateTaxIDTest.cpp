#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/store/DuplicateTaxID.h"
#include "core/store/RecipientInfo.h"

namespace {

RecipientInfo stored(int32_t key, int32_t payer, int32_t kind, const std::string& tin) {
    RecipientInfo r;
    r.setPK(key);
    r.setCompany_FK(payer);
    r.setType(kind);
    r.setTaxID(tin);
    return r;
}

TEST(DuplicateTaxID, DuplicateTaxpayerNumbers) {
    const std::vector<StoredTaxID> file{{4, 1, 1, "123456789"}, {5, 1, 1, ""}, {6, 2, 1, "987654321"},
                                        {7, 1, 7, "111-22-3333"}, {8, 1, 4, "12-3456"}};
    struct Case {
        const char* what;
        RecipientInfo candidate;
        bool duplicate;
    };
    const Case cases[] = {
        {"same digits typed with dashes", stored(-1, 1, 1, "123-45-6789"), true},
        {"same digits in the other dash form", stored(-1, 1, 1, "12-3456789"), true},
        {"another number", stored(-1, 1, 1, "123456780"), false},
        {"an empty number", stored(-1, 1, 1, ""), false},
        {"dashes alone", stored(-1, 1, 1, "--"), false},
        {"another payer's number", stored(-1, 1, 1, "987654321"), false},
        {"another form kind's number", stored(-1, 1, 1, "111223333"), false},
        {"the same kind's number", stored(-1, 1, 7, "111223333"), true},
        {"the recipient's own number on update", stored(4, 1, 1, "123-45-6789"), false},
        {"another recipient's number on update", stored(5, 1, 1, "123456789"), true},
        {"a stored number that begins the candidate's", stored(-1, 1, 4, "12-34567"), false},
        {"a stored number that the candidate's begins", stored(-1, 1, 4, "123-45"), false},
        {"the stored number's digits in another dash form", stored(-1, 1, 4, "1-2-3-4-5-6"), true},
    };
    for (const Case& c : cases) EXPECT_EQ(isDuplicateTaxID(c.candidate, file), c.duplicate) << c.what;
}

}  // namespace
