// Opening the payer window and the entry windows from the main window: each form kind
// opens its own window, once; an open window comes forward as it is; a closed one is
// made afresh; codes of no form kind open nothing; Edit Recipient opens the window of
// the recipient's kind.

#include <ostream>

#include <QLabel>
#include <QLineEdit>
#include <QPointer>

#include "RecordsFixture.h"
#include "ui/company/CompanyController.h"
#include "ui/entry/DIVFrame.h"
#include "ui/entry/INTFrame.h"
#include "ui/entry/MISCFrame.h"
#include "ui/entry/NECFrame.h"
#include "ui/entry/RFrame.h"
#include "ui/entry/SFrame.h"

namespace {

struct Kind {
    int32_t code;
    const char* window;      // the entry window's name, or null
};
void PrintTo(const Kind& k, std::ostream* os) { *os << "kind " << k.code; }

QWidget* keptWindow(AppDelegate& m, int32_t kind) {
    switch (kind) {
        case 1: return m.Miscframe();
        case 2: return m.Div();
        case 3: return m.Int();
        case 4: return m.Rframe();
        case 5: return m.Sframe();
        case 7: return m.NECframe();
        default: return nullptr;
    }
}

class OpenEachKind : public RecordsTest, public ::testing::WithParamInterface<Kind> {};

TEST_P(OpenEachKind, OpensItsWindowOnce) {
    const Kind k = GetParam();
    const int32_t payer = addPayer("Harbor View Dental LLC");
    selectPayer(payer);
    session().recp_details->setModeToNew();
    // A recipient stored behind the list's back shows once the lists are refilled.
    const int32_t late = addRecipient(payer, 1, "Late", "Comer");
    ASSERT_TRUE(listedRecipients().empty());

    main->Open1099Dialog(2, k.code);
    EXPECT_EQ(listedRecipients(), std::vector<int32_t>{late});
    EXPECT_TRUE(scripted->boxes().empty());
    if (!k.window) {
        EXPECT_EQ(main->Miscframe(), nullptr);
        EXPECT_EQ(main->Int(), nullptr);
        EXPECT_EQ(main->NECframe(), nullptr);
        EXPECT_EQ(main->Div(), nullptr);
        EXPECT_EQ(main->Rframe(), nullptr);
        EXPECT_EQ(main->Sframe(), nullptr);
        return;
    }
    QPointer<QWidget> first = keptWindow(*main, k.code);
    ASSERT_TRUE(first);
    EXPECT_EQ(first->objectName().toStdString(), k.window);
    EXPECT_TRUE(first->isVisible());

    // Again: the same window, brought forward as it stands.
    auto* typed = first->findChild<QLineEdit*>();
    ASSERT_NE(typed, nullptr);
    const QString opened = typed->text();
    typed->setText(QStringLiteral("kept as typed"));
    first->hide();
    main->Open1099Dialog(2, k.code);
    EXPECT_EQ(keptWindow(*main, k.code), first.data());
    EXPECT_TRUE(first->isVisible());
    EXPECT_EQ(typed->text(), QStringLiteral("kept as typed"));

    // Closed with its fields as it opened, it goes without a question; the next opening
    // makes a new one.
    typed->setText(opened);
    first->close();
    settle();
    EXPECT_TRUE(first.isNull());
    EXPECT_EQ(keptWindow(*main, k.code), nullptr);
    main->Open1099Dialog(2, k.code);
    EXPECT_NE(keptWindow(*main, k.code), nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, OpenEachKind,
    ::testing::Values(Kind{1, "MISCFrame"}, Kind{3, "INTFrame"}, Kind{7, "NECFrame"}, Kind{2, "DIVFrame"},
                      Kind{4, "RFrame"}, Kind{5, "SFrame"},
                      // No form kind: only the lists are refilled.
                      Kind{6, nullptr}, Kind{0, nullptr}, Kind{9, nullptr}),
    [](const ::testing::TestParamInfo<Kind>& p) { return "Kind" + std::to_string(p.param.code); });

TEST_F(RecordsTest, ThePayerWindowOpensOnceAndAfreshAfterClosing) {
    const int32_t payer = addPayer("Harbor View Dental LLC");
    selectPayer(payer);
    const int32_t late = addRecipient(payer, 1, "Late", "Comer");

    // Mode 1 with another kind does nothing at all, not even a refill.
    main->Open1099Dialog(1, 2);
    EXPECT_EQ(main->companycontrol(), nullptr);
    EXPECT_TRUE(listedRecipients().empty());

    session().comp_details->setModeToEdit();
    main->Open1099Dialog(1, 1);
    QPointer<CompanyController> first = main->companycontrol();
    ASSERT_TRUE(first);
    EXPECT_TRUE(first->isVisible());
    EXPECT_EQ(first->theCompanyInfo().getPK(), payer);
    EXPECT_TRUE(listedRecipients().empty());   // mode 1 refills nothing

    main->Open1099Dialog(1, 1);
    EXPECT_EQ(main->companycontrol(), first.data());

    // Closed through Cancel with nothing changed.
    click(first, "Cancel_btnProperty");
    settle();
    EXPECT_TRUE(first.isNull());
    EXPECT_EQ(main->companycontrol(), nullptr);
    EXPECT_EQ(listedRecipients(), std::vector<int32_t>{late});   // Cancel refreshes the main window
    main->UpdateCompany();
    EXPECT_NE(main->companycontrol(), nullptr);
}

TEST_F(RecordsTest, EditRecipientOpensTheWindowOfTheRecipientsKind) {
    const int32_t payer = addPayer("Harbor View Dental LLC");
    const int32_t misc = addRecipient(payer, 1, "Ann", "Lee", "111-22-3333");
    const int32_t nec = addRecipient(payer, 7, "Bo", "Ng", "222-33-4444");
    selectPayer(payer);
    selectRecipients({nec});

    main->UpdateRecipient_Action();
    ASSERT_NE(main->NECframe(), nullptr);
    EXPECT_EQ(main->Miscframe(), nullptr);
    EXPECT_TRUE(main->NECframe()->isEditMode());
    EXPECT_EQ(main->NECframe()->theRecipientInfo().getPK(), nec);
    EXPECT_EQ(selectedRecipientRows(), std::vector<int32_t>{nec});

    EXPECT_EQ(main->listedRecipientKind(nec), 7);
    EXPECT_EQ(main->listedRecipientKind(misc), 1);
    // A recipient no row lists is taken as 1099-MISC.
    EXPECT_EQ(main->listedRecipientKind(12345), 1);

    // Without a selected recipient nothing opens.
    main->NECframe()->close();
    settle();
    userSelect(recipients(), {});
    main->UpdateRecipient_Action();
    EXPECT_EQ(main->NECframe(), nullptr);
    EXPECT_EQ(main->Miscframe(), nullptr);
}

// Individuals are stored as the entry window and the import store them: the surname in its
// own column, the name line holding the payer's name. A surname filter lists them by that
// column, while the list's count matches the name lines only; Edit and Copy, which refill
// the list before they look at the selection, still act on the clicked recipient.
TEST_F(RecordsTest, EditAndCopyActOnTheRecipientClickedInAListFilteredBySurname) {
    const int32_t harbor = addPayer("Harbor View Dental LLC");
    const int32_t birch = addPayer("Birch & Sons");
    addRecipient(harbor, 1, "Ann", "Smith1", "111-22-3331");
    const int32_t bo = addRecipient(harbor, 1, "Bo", "Smith10", "111-22-3332");
    const int32_t cy = addRecipient(birch, 1, "Cy", "Smith12", "111-22-3333");
    addRecipient(harbor, 1, "Di", "Lee", "111-22-3334");
    const struct {
        const char* filter;
        std::vector<int32_t> payers;
        size_t listed;
        int32_t clicked;
        const char* first;
        const char* surname;
    } cases[] = {
        {"Smith1*", {harbor}, 2, bo, "Bo", "Smith10"},
        {"Smith10", {harbor}, 1, bo, "Bo", "Smith10"},
        {"Smith1*", {harbor, birch}, 3, cy, "Cy", "Smith12"},
        {"Smith12", {harbor, birch}, 1, cy, "Cy", "Smith12"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.filter) + ", payers: " + std::to_string(c.payers.size()));
        selectPayers(c.payers);
        main->findChild<QLineEdit*>(QStringLiteral("RecipientFilter_Text"))->setText(QString::fromUtf8(c.filter));
        mainButton("Recipientfilter_Button")->click();
        ASSERT_EQ(listedRecipients().size(), c.listed);
        selectRecipients({c.clicked});
        ASSERT_TRUE(mainButton("UpdateRecipient_Button")->isEnabled());

        mainButton("UpdateRecipient_Button")->click();
        ASSERT_NE(main->Miscframe(), nullptr);
        EXPECT_TRUE(main->Miscframe()->isEditMode());
        EXPECT_EQ(main->Miscframe()->theRecipientInfo().getPK(), c.clicked);
        EXPECT_EQ(uitest::child<QLineEdit>(main->Miscframe(), "FirstName_Text")->text().toStdString(), c.first);
        EXPECT_EQ(uitest::child<QLineEdit>(main->Miscframe(), "Last_Name")->text().toStdString(), c.surname);
        EXPECT_EQ(selectedRecipientRows(), std::vector<int32_t>{c.clicked});
        main->Miscframe()->close();
        settle();

        modalWindows.clear();
        std::string named;
        {
            auto responder = respond([&](QWidget& w) {
                named = uitest::child<QLabel>(&w, "CompanyName_Text")->text().toStdString();
                click(&w, "Cancel_Button");
            });
            mainButton("CopyRecipient_Button")->click();
        }
        EXPECT_EQ(modalWindows, std::vector<std::string>{"CopyRecipient"});
        EXPECT_EQ(named, std::string(c.first) + " " + c.surname + " to.");
        EXPECT_EQ(selectedRecipientRows(), std::vector<int32_t>{c.clicked});
    }
}

}  // namespace
