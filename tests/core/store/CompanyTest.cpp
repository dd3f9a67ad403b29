#include <gtest/gtest.h>

#include <vector>

#include "core/foundation/Session.h"
#include "core/store/Company.h"

namespace {

class CompanyTest : public ::testing::Test {
protected:
    void SetUp() override { resetSession(); }
};

TEST_F(CompanyTest, NewHolderIsInNewModeWithTypeOneAndNoSelection) {
    Company c;
    EXPECT_TRUE(c.ModeIsNew());
    EXPECT_FALSE(c.ModeIsEdit());
    EXPECT_EQ(c.getMode(), 1);
    EXPECT_EQ(c.type(), 1);
    EXPECT_TRUE(c.selectedCompanies().empty());
    EXPECT_TRUE(c.selectedType().empty());
}

TEST_F(CompanyTest, ModeSwitchesBetweenNewAndEdit) {
    Company c;
    c.setModeToEdit();
    EXPECT_TRUE(c.ModeIsEdit());
    EXPECT_FALSE(c.ModeIsNew());
    EXPECT_EQ(c.getMode(), 0);
    c.setModeToNew();
    EXPECT_TRUE(c.ModeIsNew());
    // A mode other than 0 or 1 is neither.
    c.setMode(5);
    EXPECT_FALSE(c.ModeIsNew());
    EXPECT_FALSE(c.ModeIsEdit());
}

TEST_F(CompanyTest, RewritingTheSelectionAppendsToTheNewLists) {
    Company c;
    c.setSelectedCompanies({9, 9});
    c.setSelectedType({1, 1});

    // What the main window does on each selection change.
    c.selectedCompanies().clear();
    c.selectedType().clear();
    c.setSelectedCompanies({});
    c.setSelectedType({});
    for (int key : {4, 2}) {
        c.selectedCompanies().push_back(key);
        c.selectedType().push_back(1);
    }
    EXPECT_EQ(c.getSelectedCompanies(), (std::vector<int32_t>{4, 2}));
    EXPECT_EQ(c.selectedType(), (std::vector<int32_t>{1, 1}));

    c.setSelectedCompanies({});
    c.setSelectedType({});
    EXPECT_EQ(c.selectedCompanies().size(), 0u);
    EXPECT_EQ(c.selectedType().size(), 0u);
}

}  // namespace
