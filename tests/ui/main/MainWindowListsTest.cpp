#include <QDir>
#include <QPixmap>

#include "MainWindowFixture.h"

using Strings = std::vector<std::string>;

// Three payers; the middle one (by name) has recipients of several kinds and states.
class MainWindowLists : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        openDatabase();
        zeta = addPayer("Zeta Holdings");
        acme = addPayer("acme Supply");
        birch = addPayer("Birch & Sons");
        ASSERT_EQ(acme, 1);
        addRecipient(acme, {1, "Ann", "Ann Smith", "Smith"}, {.printed = true});
        addRecipient(acme, {7, "Bo", "Bo Jones", "Jones"}, {.completed = true, .validated = true});
        addRecipient(acme, {7, "", "Jones Plumbing LLC", "", true}, {.voided = true});
        addRecipient(acme, {3, "Cy", "Cy O'Brien", "O'Brien"}, {.corrected = true});
        addRecipient(acme, {2, "Di", "Di Adams", "Adams"}, {.printed = true, .completed = true});
        addRecipient(birch, {1, "Ed", "Ed Birch", "Birch"});
        showDatabase();
    }

    // Selects the acme payer as a click does.
    void selectAcme() { userSelect(companies(), {0}); }

    int32_t zeta = -1, acme = -1, birch = -1;
};

TEST_F(MainWindowLists, ListsThePayersByNameAndTheSelectedPayersRecipients) {
    EXPECT_EQ(companyRows(), (Strings{"acme Supply", "Birch & Sons", "Zeta Holdings"}));
    EXPECT_EQ(companies()->model()->rowCount(), 3);
    EXPECT_EQ(recipientRows(), Strings{});
    EXPECT_EQ(countLine(), "Recipient  0 of 0 ");

    selectAcme();
    // A business is listed under its name alone; a person as surname, first name. The
    // list is ordered by surname, which a business leaves empty.
    EXPECT_EQ(recipientRows(),
              (Strings{"Jones Plumbing LLC", "Adams, Di", "Jones, Bo", "O'Brien, Cy", "Smith, Ann"}));
    EXPECT_EQ(recipients()->model()->rowCount(), 5);
    EXPECT_EQ(countLine(), "Recipient  5 of 5 ");
    EXPECT_EQ(session().comp_details->selectedCompanies(), std::vector<int32_t>{acme});
    EXPECT_EQ(session().comp_details->selectedType(), std::vector<int32_t>{1});
    EXPECT_EQ(session().numberSelections, 1);
    EXPECT_EQ(session().Sel_Rowcomprow, 0);
}

TEST_F(MainWindowLists, TwoSelectedPayersListTheRecipientsOfBoth) {
    userSelect(companies(), {0, 1});
    EXPECT_EQ(session().comp_details->selectedCompanies(), (std::vector<int32_t>{acme, birch}));
    EXPECT_EQ(session().comp_details->selectedType(), (std::vector<int32_t>{1, 1}));
    EXPECT_EQ(recipientRows().size(), 6u);
    EXPECT_EQ(countLine(), "Recipient  6 of 6 ");

    userSelect(companies(), {});
    EXPECT_EQ(session().comp_details->selectedCompanies(), std::vector<int32_t>{});
    EXPECT_EQ(recipientRows(), Strings{});
    EXPECT_EQ(countLine(), "Recipient  0 of 0 ");
}

TEST_F(MainWindowLists, FormFilterShowsOneKindAndSetsTheKindForNewRecipients) {
    selectAcme();
    struct Case {
        int index;
        int32_t type;
        Strings rows;
    };
    const Case cases[] = {
        {1, 1, {"Smith, Ann"}},
        {2, 2, {"Adams, Di"}},
        {3, 3, {"O'Brien, Cy"}},
        {4, 4, {}},
        {5, 5, {}},
        {6, 7, {"Jones Plumbing LLC", "Jones, Bo"}},
        {0, 0, {"Jones Plumbing LLC", "Adams, Di", "Jones, Bo", "O'Brien, Cy", "Smith, Ann"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.index);
        choose(w<QComboBox>("AllForms"), c.index);
        EXPECT_EQ(recipientRows(), c.rows);
        EXPECT_EQ(session().type, c.type);
        EXPECT_EQ(session().recp_details->getType(), c.type);
        EXPECT_EQ(countLine(), "Recipient  " + std::to_string(c.rows.size()) + " of 5 ");
    }
}

TEST_F(MainWindowLists, StatusFilterShowsEachFilingState) {
    selectAcme();
    const std::vector<Strings> expected = {
        {"Jones Plumbing LLC", "Adams, Di", "Jones, Bo", "O'Brien, Cy", "Smith, Ann"},  // all
        {"Jones Plumbing LLC", "Jones, Bo", "O'Brien, Cy"},                               // not printed
        {"Adams, Di", "Smith, Ann"},                                                      // printed
        {"Jones Plumbing LLC", "O'Brien, Cy", "Smith, Ann"},                              // not completed
        {"Adams, Di", "Jones, Bo"},                                                       // completed
        {"Jones Plumbing LLC", "Adams, Di", "O'Brien, Cy", "Smith, Ann"},                 // not validated
        {"Jones, Bo"},                                                                    // validated
        {"Adams, Di", "Jones, Bo", "O'Brien, Cy", "Smith, Ann"},                          // not void
        {"Jones Plumbing LLC"},                                                           // void
        {"Jones Plumbing LLC", "Adams, Di", "Jones, Bo", "Smith, Ann"},                   // not corrected
        {"O'Brien, Cy"},                                                                  // corrected
    };
    for (int index = 0; index <= 10; ++index) {
        SCOPED_TRACE(index);
        choose(w<QComboBox>("AllStatus"), index);
        EXPECT_EQ(recipientRows(), expected[static_cast<size_t>(index)]);
        EXPECT_EQ(session().recp_details->getFilingState(), index);
    }
}

TEST_F(MainWindowLists, NameFilterMatchesPartsOfNamesAndTakesQuotesAsText) {
    selectAcme();
    struct Case {
        const char* filter;
        Strings rows;
    };
    const Case cases[] = {
        {"O'Br", {"O'Brien, Cy"}},
        {"jones", {"Jones Plumbing LLC", "Jones, Bo"}},
        {"J*s", {"Jones, Bo"}},            // with a wildcard the whole name must match
        {"'; drop table recipients; --", {}},
        {"", {"Jones Plumbing LLC", "Adams, Di", "Jones, Bo", "O'Brien, Cy", "Smith, Ann"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.filter);
        w<QLineEdit>("RecipientFilter_Text")->setText(QString::fromUtf8(c.filter));
        button("Recipientfilter_Button")->click();
        EXPECT_EQ(recipientRows(), c.rows);
        EXPECT_EQ(session()._RecipientFilterString, c.filter);
        EXPECT_EQ(countLine(), "Recipient  " + std::to_string(c.rows.size()) + " of 5 ");
    }
}

TEST_F(MainWindowLists, SortOrdersTurnBothListsAroundAndAreKeptForTheUser) {
    selectAcme();
    window->RecipientDescending_Action();
    EXPECT_EQ(recipientRows(),
              (Strings{"Smith, Ann", "O'Brien, Cy", "Jones, Bo", "Adams, Di", "Jones Plumbing LLC"}));
    EXPECT_TRUE(item("RecipientDescending")->isChecked());
    EXPECT_FALSE(item("RecipientAscending")->isChecked());
    EXPECT_EQ(session().loginInfo->getRecipientSort(), 1);

    window->CompanyDescending_ACtion();
    EXPECT_EQ(companyRows(), (Strings{"Zeta Holdings", "Birch & Sons", "acme Supply"}));
    EXPECT_EQ(session().loginInfo->getCompanySort(), 1);
    // The selected payer stays selected on its new row.
    EXPECT_EQ(selectedRows(companies()), std::vector<int>{2});
    EXPECT_EQ(session().comp_details->selectedCompanies(), std::vector<int32_t>{acme});

    window->Sortcomapyascending();
    window->RecipientAscending_Action();
    EXPECT_EQ(companyRows(), (Strings{"acme Supply", "Birch & Sons", "Zeta Holdings"}));
    EXPECT_EQ(recipientRows().front(), "Jones Plumbing LLC");
    EXPECT_TRUE(item("companyascending")->isChecked());
    EXPECT_FALSE(item("CompanyDescending")->isChecked());
    EXPECT_EQ(session().loginInfo->getCompanySort(), 0);
    EXPECT_EQ(session().loginInfo->getRecipientSort(), 0);
}

TEST_F(MainWindowLists, SelectedRecipientsReachTheSelectionHolderInRowOrder) {
    selectAcme();
    userSelect(recipients(), {3, 2});   // O'Brien (INT), Jones Bo (NEC)
    const auto& held = *session().recp_details;
    ASSERT_EQ(held.selectedRecipients().size(), 2u);
    EXPECT_EQ(held.selectedType(), (std::vector<int32_t>{7, 3}));
    EXPECT_EQ(window->Recipient_PTL()[2].recipientPK(), held.selectedRecipients()[0]);
    EXPECT_EQ(window->Recipient_PTL()[3].recipientPK(), held.selectedRecipients()[1]);
    EXPECT_EQ(session().numberSelectionsrec, 2);

    // Choosing another payer starts the recipients afresh.
    userSelect(companies(), {0, 1});
    EXPECT_EQ(selectedRows(recipients()), std::vector<int>{});
    EXPECT_TRUE(session().recp_details->selectedRecipients().empty());
}

TEST_F(MainWindowLists, RefillKeepsOrClearsTheSelectionAndReselectsTheLastRecipient) {
    selectAcme();
    userSelect(recipients(), {0, 2});   // both Jones rows

    // The filter keeps both rows but changes the count: the selection is cleared and the
    // last selected recipient is selected again, alone.
    w<QLineEdit>("RecipientFilter_Text")->setText(QStringLiteral("Jones"));
    button("Recipientfilter_Button")->click();
    EXPECT_EQ(recipientRows(), (Strings{"Jones Plumbing LLC", "Jones, Bo"}));
    EXPECT_EQ(selectedRows(recipients()), std::vector<int>{1});
    ASSERT_EQ(session().recp_details->selectedRecipients().size(), 1u);
    EXPECT_EQ(session().recp_details->selectedRecipients()[0], window->Recipient_PTL()[1].recipientPK());

    // A refill to the same count leaves the selected row alone.
    window->FillRecipientList(session().type, 0);
    EXPECT_EQ(selectedRows(recipients()), std::vector<int>{1});
}

// A picture of the window as a user sees it with a few payers and recipients.
TEST_F(MainWindowTest, ScreenImageWithPayersAndRecipients) {
    openDatabase("Riverside Bookkeeping");
    for (const char* name : {"Birch & Sons Construction", "Contoso Consulting Group", "Northwind Traders Inc"})
        addPayer(name);
    const int32_t dental = addPayer("Harbor View Dental LLC");
    const Person people[] = {
        {7, "Maria", "Maria Garcia", "Garcia"},           {7, "Wei", "Wei Chen", "Chen"},
        {1, "", "Lakeside Landscaping Inc", "", true},     {7, "James", "James O'Connor", "O'Connor"},
        {3, "Priya", "Priya Patel", "Patel"},              {1, "", "Summit Office Cleaning", "", true},
        {7, "Daniel", "Daniel Brooks", "Brooks"},          {2, "Olivia", "Olivia Nguyen", "Nguyen"},
    };
    for (const Person& p : people) addRecipient(dental, p);
    showDatabase();
    window->resize(1040, 760);
    window->show();
    userSelect(companies(), {2});
    userSelect(recipients(), {3});
    window->Refresh();
    ASSERT_EQ(session().comp_details->selectedCompanies(), std::vector<int32_t>{dental});
    uitest::saveImage(*window, QStringLiteral("AppDelegate"));
}
