// Deleting a selection of recipients: every row of both tables goes, or, when one
// deletion fails part-way, none does and the user is told once.

#include <gtest/gtest.h>

#include "core/store/CompanyRowsFixture.h"
#include "core/records/RecipientDeletion.h"
#include "core/store/RecipientAdditionalInfo.h"
#include "core/store/RecipientInfo.h"

namespace {

class RecipientDeletion : public CompanyRowsTest {
protected:
    int32_t addRecipient(const std::string& first) {
        RecipientInfo r;
        r.setType(1);
        r.setFirstName(first);
        RecipientAdditionalInfo a;
        a.setType(1);
        EXPECT_TRUE(cdb.insertRecipientInfo(r, a));
        return r.getPK();
    }
    int rows() { return count("select count(*) from recipients") + count("select count(*) from recipients_additionalinfo"); }
};

TEST_F(RecipientDeletion, TheListedKeysGoFromBothTablesAndTheOthersStay) {
    const int32_t a = addRecipient("Ann"), b = addRecipient("Bo"), c = addRecipient("Cy");
    ASSERT_TRUE(records::deleteRecipients(cdb, {a, c, 999}));
    EXPECT_EQ(rows(), 2);
    EXPECT_EQ(cdb.getRecipientInfo(b).getFirstName(), "Bo");
    EXPECT_EQ(cdb.getRecipientAdditionalInfo(b).getPK(), b);
    EXPECT_TRUE(records::deleteRecipients(cdb, {}));
    EXPECT_EQ(rows(), 2);
}

TEST_F(RecipientDeletion, AFailurePartWayLeavesEveryRowAndIsReportedOnce) {
    const int32_t a = addRecipient("Ann"), b = addRecipient("Bo"), c = addRecipient("Cy");
    // The additional row of the second key is deleted, then its recipient row is refused.
    exec("create trigger refuse_bo before delete on recipients when old.firstName = 'Bo' "
         "begin select raise(abort, 'blocked by test'); end;");
    expectFailureBox();
    EXPECT_FALSE(records::deleteRecipients(cdb, {a, b, c}));
    EXPECT_EQ(rows(), 6);
    ASSERT_EQ(ui.boxes().size(), 1u);
    EXPECT_EQ(ui.boxes()[0].details, "Unable to delete recipient info. \n\nblocked by test");
}

}  // namespace
