// Saving both records of a recipient: the new key handed back, both rows or neither,
// and an update of a recipient that is gone reported as what it is.

#include <gtest/gtest.h>

#include "core/store/CompanyRowsFixture.h"
#include "core/entry/RecipientRecordWrites.h"
#include "core/store/RecipientAdditionalInfo.h"
#include "core/store/RecipientInfo.h"

namespace {

class RecipientRecordWrites : public CompanyRowsTest {
protected:
    // A stored recipient of payer 0; returns its key.
    int32_t addRecipient(const std::string& first, const std::string& surname) {
        RecipientInfo r;
        r.setType(1);
        r.setFirstName(first);
        RecipientAdditionalInfo a;
        a.setType(1);
        a.setlastname(surname);
        EXPECT_TRUE(cdb.insertRecipientInfo(r, a));
        EXPECT_EQ(r.getPK(), a.getPK());
        return r.getPK();
    }
};

TEST_F(RecipientRecordWrites, TheCombinedInsertHandsBackTheKeyItUsed) {
    EXPECT_EQ(addRecipient("Ann", "Lee"), 0);
    // A stray additional row pushes the next key past it.
    exec("insert into recipients_additionalinfo (pk, company_FK, type) values (7, 0, 1);");
    const int32_t key = addRecipient("Bo", "Ng");
    EXPECT_EQ(key, 8);
    EXPECT_EQ(cdb.getRecipientInfo(key).getFirstName(), "Bo");
    EXPECT_EQ(cdb.getRecipientAdditionalInfo(key).getlastname(), "Ng");
}

TEST_F(RecipientRecordWrites, BothRowsAreStoredTogether) {
    const int32_t key = addRecipient("Ann", "Lee");
    RecipientInfo r = cdb.getRecipientInfo(key);
    RecipientAdditionalInfo a = cdb.getRecipientAdditionalInfo(key);
    r.setFirstName("Anna");
    a.setlastname("Leigh");
    ASSERT_TRUE(entry::updateRecipientRecords(cdb, r, a));
    EXPECT_EQ(cdb.getRecipientInfo(key).getFirstName(), "Anna");
    EXPECT_EQ(cdb.getRecipientAdditionalInfo(key).getlastname(), "Leigh");

    // The second row refused: the first is not kept either, and the one box names the cause.
    block("update", "recipients_additionalinfo");
    expectFailureBox();
    r.setFirstName("Changed");
    a.setlastname("Changed");
    EXPECT_FALSE(entry::updateRecipientRecords(cdb, r, a));
    EXPECT_EQ(cdb.getRecipientInfo(key).getFirstName(), "Anna");
    EXPECT_EQ(cdb.getRecipientAdditionalInfo(key).getlastname(), "Leigh");
    ASSERT_EQ(ui.boxes().size(), 1u);
    EXPECT_EQ(ui.boxes()[0].details, "Unable to update recipient info. \n\nblocked by test");
}

TEST_F(RecipientRecordWrites, UpdatingARecipientThatIsGoneFailsAndSaysSo) {
    const int32_t key = addRecipient("Ann", "Lee");
    RecipientInfo r = cdb.getRecipientInfo(key);
    RecipientAdditionalInfo a = cdb.getRecipientAdditionalInfo(key);
    ASSERT_TRUE(cdb.deleteRecipient(r));

    expectFailureBox();
    EXPECT_FALSE(entry::updateRecipientRecords(cdb, r, a));
    expectFailureBox();
    EXPECT_FALSE(cdb.updateRecipientInfo(r));
    expectFailureBox();
    EXPECT_FALSE(cdb.updateAdditionalRecipientInfo(a));
    EXPECT_EQ(count("select count(*) from recipients"), 0);
    EXPECT_EQ(count("select count(*) from recipients_additionalinfo"), 0);

    ASSERT_EQ(ui.boxes().size(), 3u);
    for (const auto& box : ui.boxes())
        EXPECT_EQ(box.details,
                  "Unable to update recipient info. \n\nThe recipient no longer exists in this company database.");
}

}  // namespace
