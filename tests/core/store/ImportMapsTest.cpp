#include "CompanyRowsFixture.h"

using ImportMaps = CompanyRowsTest;

TEST_F(ImportMaps, ARecipientMapComesBackInItsOrderAndOtherKindsAreUntouched) {
    ASSERT_TRUE(cdb.InsertImportList({5, 6}, 1));
    const std::vector<int32_t> map = {3, 1, 4, 1, 5, 9, 2, 6, -1, 70000};
    ASSERT_TRUE(cdb.InsertImportList(map, 7));

    std::vector<int32_t> restored(10, -1);
    EXPECT_EQ(cdb.SelectImportList(restored, 7), 1);
    std::vector<int32_t> expected = map;
    expected[9] = static_cast<int16_t>(70000);  // kept as 16-bit numbers
    EXPECT_EQ(restored, expected);

    std::vector<int32_t> misc(3, -1);
    EXPECT_EQ(cdb.SelectImportList(misc, 1), 1);
    EXPECT_EQ(misc, (std::vector<int32_t>{5, 6, -1}));

    ASSERT_TRUE(cdb.InsertImportList({}, 7));
    std::vector<int32_t> none(2, -1);
    EXPECT_EQ(cdb.SelectImportList(none, 7), 1);
    EXPECT_EQ(none, (std::vector<int32_t>{-1, -1}));

    std::vector<int32_t> tooShort(1, -1);
    EXPECT_EQ(cdb.SelectImportList(tooShort, 1), -1);
}

TEST_F(ImportMaps, APayerMapMarksTheChosenFields) {
    ASSERT_TRUE(cdb.UpdateCompImportList({5, 2}));
    std::vector<int32_t> marks(8, -1);
    cdb.SelectCompImportList(marks);
    EXPECT_EQ(marks, (std::vector<int32_t>{-1, -1, 2, -1, -1, 5, -1, -1}));

    // Saving through the plain insert adds to what is there.
    ASSERT_TRUE(cdb.InsertCompImportList({7}));
    std::vector<int32_t> more(8, -1);
    cdb.SelectCompImportList(more);
    EXPECT_EQ(more, (std::vector<int32_t>{-1, -1, 2, -1, -1, 5, -1, 7}));

    ASSERT_TRUE(cdb.UpdateCompImportList({-1, 3}));
    std::vector<int32_t> nothing(8, -1);
    cdb.SelectCompImportList(nothing);
    EXPECT_EQ(nothing, std::vector<int32_t>(8, -1));
}

TEST_F(ImportMaps, AFailedSaveKeepsThePreviousMap) {
    ASSERT_TRUE(cdb.InsertImportList({1, 2, 3}, 2));
    exec("create trigger block_third before insert on importFields when new.fieldIndex = 2 "
         "begin select raise(abort, 'blocked by test'); end;");
    expectFailureBox();
    EXPECT_FALSE(cdb.InsertImportList({7, 8, 9}, 2));
    std::vector<int32_t> map(3, -1);
    EXPECT_EQ(cdb.SelectImportList(map, 2), 1);
    EXPECT_EQ(map, (std::vector<int32_t>{1, 2, 3}));
}
