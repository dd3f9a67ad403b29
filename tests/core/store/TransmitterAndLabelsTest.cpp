#include "CompanyRowsFixture.h"
#include "core/store/E_FileInfo.h"
#include "core/store/MailingLabelInfo.h"

using TransmitterAndLabels = CompanyRowsTest;

TEST_F(TransmitterAndLabels, TheTransmitterRowIsInsertedOnceAndThenUpdated) {
    E_FileInfo none = cdb.getEFileInfo(1);
    EXPECT_EQ(none.getPK(), -1);
    EXPECT_EQ(none.getTCC(), "");

    E_FileInfo t;
    t.setTCC("12ABC");
    t.setTIN("12-3456789");
    t.setName("Tess");
    t.setCompany("Transmit Co");
    t.setAddress("2 Side St");
    t.setCity("Salem");
    t.setState("Oregon-OR");
    t.setZip("97301");
    t.setContact("Tess T");
    t.setPhone("503-555-0000");
    t.setEmail("t@example.com");
    t.setTest(true);
    t.setCombinedFedState(true);
    t.setNECState("Oregon-OR");
    ASSERT_TRUE(cdb.updateEFileInfo(t));
    EXPECT_EQ(t.getPK(), 1);

    t.setCompany("Renamed Co");
    ASSERT_TRUE(cdb.updateEFileInfo(t));
    EXPECT_EQ(count("select count(*) from transmitter"), 1);

    const E_FileInfo back = cdb.getEFileInfo(1);
    EXPECT_EQ(back.getPK(), 1);
    EXPECT_EQ(back.getTCC(), "12ABC");
    EXPECT_EQ(back.getTIN(), "12-3456789");
    EXPECT_EQ(back.getName(), "Tess");
    EXPECT_EQ(back.getCompany(), "Renamed Co");
    EXPECT_EQ(back.getAddress(), "2 Side St");
    EXPECT_EQ(back.getCity(), "Salem");
    EXPECT_EQ(back.getState(), "Oregon-OR");
    EXPECT_EQ(back.getZip(), "97301");
    EXPECT_EQ(back.getContact(), "Tess T");
    EXPECT_EQ(back.getPhone(), "503-555-0000");
    EXPECT_EQ(back.getEmail(), "t@example.com");
    EXPECT_TRUE(back.getTest());
    EXPECT_TRUE(back.getCombinedFedState());
    EXPECT_EQ(back.getNECState(), "Oregon-OR");
    EXPECT_EQ(single("select tin from transmitter"), "12-3456789");  // stored as entered
}

TEST_F(TransmitterAndLabels, AFreshRecordChangesNothingUntilItHasTheRowsKey) {
    E_FileInfo first;
    first.setName("First");
    ASSERT_TRUE(cdb.updateEFileInfo(first));

    E_FileInfo fresh;
    fresh.setName("Fresh");
    ASSERT_TRUE(cdb.updateEFileInfo(fresh));
    EXPECT_EQ(fresh.getPK(), 1);
    EXPECT_EQ(cdb.getEFileInfo(1).getName(), "First");
    ASSERT_TRUE(cdb.updateEFileInfo(fresh));
    EXPECT_EQ(cdb.getEFileInfo(1).getName(), "Fresh");

    for (const auto& [stored, expected] : std::vector<std::pair<std::string, bool>>{
             {"2", true}, {"0", false}, {"NULL", false}}) {
        exec("update transmitter set testFile = " + stored + ";");
        EXPECT_EQ(cdb.getEFileInfo(1).getTest(), expected) << stored;
    }
}

TEST_F(TransmitterAndLabels, LabelRowsTakeTheLargestKeyPlusOne) {
    EXPECT_EQ(cdb.getMailingPK(), 0);
    MailingLabelInfo label;
    label.setCompanyFK(3);
    ASSERT_TRUE(cdb.insertMailingLabelInfo(label));
    label.setCompanyFK(5);
    ASSERT_TRUE(cdb.insertMailingLabelInfo(label));
    label.setCompanyFK(7);
    ASSERT_TRUE(cdb.insertMailingLabelInfo(label));
    EXPECT_EQ(cdb.SelectMailingLabelInfo(7).getPK(), 3);
    EXPECT_EQ(label.getPK(), -1);

    const MailingLabelInfo none = cdb.SelectMailingLabelInfo(9);
    EXPECT_EQ(none.getPK(), -1);
    EXPECT_EQ(none.getCompanyFK(), -1);
    EXPECT_EQ(none.getLeft(), "0.30");
    EXPECT_EQ(none.getTop(), "0.20");
    EXPECT_EQ(none.getWidth(), "3.00");
    EXPECT_EQ(none.getHeight(), "1.00");
    EXPECT_EQ(none.getAcross(), 1);
    EXPECT_EQ(none.getRepeat(), 1);
}

TEST_F(TransmitterAndLabels, LabelSettingsAreSavedAsGivenForTheirOwnRowOnly) {
    MailingLabelInfo label;
    label.setCompanyFK(2);
    ASSERT_TRUE(cdb.insertMailingLabelInfo(label));

    MailingLabelInfo stored = cdb.SelectMailingLabelInfo(2);
    stored.setLeft("0.5'");
    stored.setTop("1.25");
    stored.setWidth("2.63");
    stored.setHeight("1'; delete from mailinglabel; --");
    stored.setAcross(3);
    stored.setRepeat(2);
    ASSERT_TRUE(cdb.updateMailingLabelInfo(stored));

    const MailingLabelInfo back = cdb.SelectMailingLabelInfo(2);
    EXPECT_EQ(back.getLeft(), "0.5'");
    EXPECT_EQ(back.getTop(), "1.25");
    EXPECT_EQ(back.getWidth(), "2.63");
    EXPECT_EQ(back.getHeight(), "1'; delete from mailinglabel; --");
    EXPECT_EQ(back.getAcross(), 3);
    EXPECT_EQ(back.getRepeat(), 2);

    MailingLabelInfo unread;  // pk -1: no row
    unread.setCompanyFK(2);
    unread.setLeft("9.99");
    ASSERT_TRUE(cdb.updateMailingLabelInfo(unread));
    EXPECT_EQ(cdb.SelectMailingLabelInfo(2).getLeft(), "0.5'");
}

TEST_F(TransmitterAndLabels, AFailedSaveIsReported) {
    block("insert", "transmitter");
    expectFailureBox();
    E_FileInfo t;
    EXPECT_FALSE(cdb.updateEFileInfo(t));
    EXPECT_EQ(t.getPK(), -1);
    EXPECT_EQ(count("select count(*) from transmitter"), 0);
}
