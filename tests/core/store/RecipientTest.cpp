#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/foundation/Session.h"
#include "core/store/Recipient.h"

namespace {

class RecipientTest : public ::testing::Test {
protected:
    void SetUp() override { resetSession(); }
};

TEST_F(RecipientTest, NewHolderHasNoKindAndIsInNewMode) {
    Recipient r;
    EXPECT_EQ(r.getType(), 0);
    EXPECT_EQ(r.getTypeString(), "");
    EXPECT_TRUE(r.ModeIsNew());
    EXPECT_EQ(r.getFilingState(), 0);
    EXPECT_TRUE(r.selectedRecipients().empty());
    EXPECT_TRUE(r.getSelectedType().empty());
}

TEST_F(RecipientTest, TypeStringNamesEachFormKind) {
    const struct {
        int32_t type;
        std::string name;
    } cases[] = {{0, ""}, {1, "MISC"}, {2, "DIV"}, {3, "INT"}, {4, "R"}, {5, "S"},
                 {6, ""}, {7, "NEC"}, {8, ""}, {-1, ""}};
    Recipient r;
    for (const auto& c : cases) {
        r.setType(c.type);
        EXPECT_EQ(r.getTypeString(), c.name) << c.type;
    }
}

TEST_F(RecipientTest, ModeSwitchesBetweenNewAndEdit) {
    Recipient r;
    r.setModeToEdit();
    EXPECT_TRUE(r.ModeIsEdit());
    EXPECT_EQ(r.getMode(), 0);
    r.setModeToNew();
    EXPECT_TRUE(r.ModeIsNew());
    EXPECT_EQ(r.getMode(), 1);
}

TEST_F(RecipientTest, SelectionListsStayParallelThroughARewrite) {
    Recipient r;
    r.setSelectedRecipients({1});
    r.setSelectedType({3});

    r.setSelectedRecipients({});
    r.setSelectedType({});
    const struct {
        int32_t key, type;
    } rows[] = {{7, 1}, {3, 7}, {12, 5}};
    for (const auto& row : rows) {
        r.selectedRecipients().push_back(row.key);
        r.selectedType().push_back(row.type);
    }
    EXPECT_EQ(r.selectedRecipients(), (std::vector<int32_t>{7, 3, 12}));
    EXPECT_EQ(r.getSelectedType(), (std::vector<int32_t>{1, 7, 5}));

    r.setSelectedRecipients({});
    r.setSelectedType({});
    EXPECT_EQ(r.selectedRecipients().size(), 0u);
}

}  // namespace
