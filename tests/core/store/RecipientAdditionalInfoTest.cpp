#include <gtest/gtest.h>

#include "core/foundation/Session.h"
#include "core/store/RecipientAdditionalInfo.h"

namespace {

class RecipientAdditionalInfoTest : public ::testing::Test {
protected:
    void SetUp() override { resetSession(); }
};

TEST_F(RecipientAdditionalInfoTest, NewRecordIsUnstoredMiscWithEmptyFields) {
    RecipientAdditionalInfo a;
    EXPECT_EQ(a.getPK(), -1);
    EXPECT_EQ(a.getType(), 1);
    EXPECT_EQ(a.getCompany_FK(), 0);
    EXPECT_FALSE(a.getVoided() || a.getCorrected() || a.getValidated() || a.getPrinted() || a.getCompleted());
    EXPECT_EQ(a.getname_type(), "");
    // The second-state boxes are empty text, as the row writers store them.
    EXPECT_EQ(a.getInt_StateINCM_1(), "");
    EXPECT_EQ(a.getTopState_R(), "");
    EXPECT_EQ(a.getBottomState_NEC(), "");
}

TEST_F(RecipientAdditionalInfoTest, OddlyNamedPairsReachTheirFields) {
    RecipientAdditionalInfo a;
    a.setBottomState_M("Ohio-OH");
    EXPECT_EQ(a.line22_2_Misc(), "Ohio-OH");
    EXPECT_EQ(a.getBottomState(), "Ohio-OH");

    a.setname_typee("Business");
    EXPECT_EQ(a.name_type(), "Business");

    a.setLine22_1_Misc("Iowa-IA");
    EXPECT_EQ(a.getTopState_M(), "Iowa-IA");

    a.setStateINC2_R("10.00");
    EXPECT_EQ(a.r_line21_2(), "10.00");

    a.setDiv_StateINC_1("5.00");
    EXPECT_EQ(a.div_line17_1(), "5.00");
}

}  // namespace
