// The target window and the two column choosers: what they list, how the lists are
// edited, which buttons each state enables, and the choice kept per company database.

#include "ImportWindowFixture.h"
#include "core/import/ImportCatalogues.h"
#include "core/import/ImportColumnChoices.h"
#include "ui/import/ImportCompanyController.h"
#include "ui/import/ImportRecipient.h"
#include "ui/import/ImportRecipientSelController.h"

namespace {

struct KindCase {
    const char* name;
    const char* radio;
    int32_t kind;
    size_t available;
    const char* firstOwn;   // the first name of the kind's own range
};
void PrintTo(const KindCase& c, std::ostream* os) { *os << c.name; }

}  // namespace

class TargetKinds : public ImportWindowTest, public ::testing::WithParamInterface<KindCase> {};

TEST_P(TargetKinds, TheFormKindChosenInTheTargetDecidesTheChoosersList) {
    const KindCase c = GetParam();
    openCompany("Acme", {"Zeta Payer", "alpha payer", "Mid Payer"});
    session()._type = 4;   // a kind left from an earlier import

    ImportRecipientSelController target;
    script.expect("ImportRecipientSelController", [&](QWidget& win) {
        // It opens on 1099-MISC with the payers by name, ignoring case, and the first selected.
        EXPECT_EQ(target.getradiotype(), 1);
        EXPECT_TRUE(w<QRadioButton>(win, "Misc_Sel")->isChecked());
        EXPECT_EQ(rowsOf(table(win, "Companysel")), (std::vector<std::string>{"alpha payer", "Mid Payer", "Zeta Payer"}));
        EXPECT_EQ(selectedRows(table(win, "Companysel")), std::vector<int>{0});
        check(win, c.radio);
        uitest::press(win, "OK_IMportRecip");
    });
    script.expect("ImportRecipient", [&](QWidget& win) {
        const std::vector<std::string> names = rowsOf(table(win, "Recip_AvalList"));
        EXPECT_EQ(names.size(), c.available);
        EXPECT_EQ(names, imports::AvaillistValue(c.kind));
        EXPECT_NE(std::find(names.begin(), names.end(), c.firstOwn), names.end());
        uitest::press(win, "Cancelbtn");
    });

    EXPECT_EQ(target.run(), ImportRecipient::kCancelCode);
    EXPECT_EQ(session()._type, c.kind);
    // OK without a click imports into the first payer of the list.
    EXPECT_EQ(session().CPK, 1);
    EXPECT_EQ(target.CompanyPK(), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Import, TargetKinds,
    ::testing::Values(KindCase{"MISC", "Misc_Sel", 1, 46, "Box 1: Rents"},
                      KindCase{"DIV", "Div_sel", 2, 51, "Box 1a: Total ordinary dividends"},
                      KindCase{"INT", "INT_Sel", 3, 48, "Payer's RTN"},
                      KindCase{"R", "R_Sel", 4, 57, "Box 1: Gross distribution"},
                      KindCase{"S", "S_Sel", 5, 28, "Box 1: Date of closing"},
                      KindCase{"NEC", "NEC_Sel", 7, 36, "Box 1: Nonemployee compensation"}),
    [](const ::testing::TestParamInfo<KindCase>& p) { return std::string(p.param.name); });

TEST_F(ImportWindowTest, TheTargetTakesTheClickedPayerAndDoesNothingWithoutOne) {
    openCompany("Acme", {"Alpha Payer", "Beta Payer"});
    ImportRecipientSelController target;
    script.expect("ImportRecipientSelController", [&](QWidget& win) {
        select(table(win, "Companysel"), {1});
        EXPECT_EQ(session().CPK, 1);
        select(table(win, "Companysel"), {});
        uitest::press(win, "OK_IMportRecip");   // nothing selected: stays open
        EXPECT_TRUE(isRunningModal(&win));
        select(table(win, "Companysel"), {0});
        uitest::press(win, "OK_IMportRecip");
    });
    script.expect("ImportRecipient", [&](QWidget& win) { uitest::press(win, "Cancelbtn"); });
    EXPECT_EQ(target.run(), ImportRecipient::kCancelCode);
    EXPECT_EQ(session().CPK, 0);
}

TEST_F(ImportWindowTest, ATargetWithoutPayersListsNoneAndOnlyItsCancelEndsIt) {
    openCompany("Empty", {});
    ImportRecipientSelController target;
    script.expect("ImportRecipientSelController", [&](QWidget& win) {
        EXPECT_TRUE(rowsOf(table(win, "Companysel")).empty());
        uitest::press(win, "OK_IMportRecip");
        EXPECT_TRUE(isRunningModal(&win));
        uitest::press(win, "Cancel_IMportRecip");
    });
    EXPECT_EQ(target.run(), ImportRecipientSelController::kCancelCode);
}

TEST_F(ImportWindowTest, RecipientColumnsAreAddedAndRemovedByButtonsAndDoubleClicks) {
    openCompany("Acme", {"Payer"});
    session()._type = 7;
    ImportRecipient chooser;
    QTableView* avail = table(chooser, "Recip_AvalList");
    QTableView* chosen = table(chooser, "Recip_SelList");
    const std::vector<std::string> names = imports::AvaillistValue(7);
    const char* const rowButtons[] = {"ImportTXT", "ImportCSV", "Removefield", "Removeallfields"};
    const auto buttonsOn = [&](bool on) {
        for (const char* b : rowButtons) EXPECT_EQ(enabled(chooser, b), on) << b;
        EXPECT_TRUE(enabled(chooser, "Addfield"));
        EXPECT_TRUE(enabled(chooser, "AddAllfields"));
        EXPECT_TRUE(enabled(chooser, "Importfrompayroll"));
    };
    // A kind without a saved choice opens with none.
    EXPECT_TRUE(rowsOf(chosen).empty());
    buttonsOn(false);

    // Add takes the selected rows in list order, each name once.
    select(avail, {3, 1});
    uitest::press(chooser, "Addfield");
    EXPECT_EQ(rowsOf(chosen), (std::vector<std::string>{names[1], names[3]}));
    buttonsOn(true);
    select(avail, {0, 1});
    uitest::press(chooser, "Addfield");
    doubleClick(avail, 3);
    doubleClick(avail, 5);
    EXPECT_EQ(rowsOf(chosen), (std::vector<std::string>{names[1], names[3], names[0], names[5]}));

    // Add all keeps the chosen ones first and appends the rest in list order.
    uitest::press(chooser, "AddAllfields");
    std::vector<std::string> all = {names[1], names[3], names[0], names[5]};
    for (size_t i = 0; i < names.size(); ++i)
        if (i != 0 && i != 1 && i != 3 && i != 5) all.push_back(names[i]);
    EXPECT_EQ(rowsOf(chosen), all);

    // Remove takes the selected row and clears the selection; without one it does nothing.
    select(chosen, {1});
    uitest::press(chooser, "Removefield");
    all.erase(all.begin() + 1);
    EXPECT_EQ(rowsOf(chosen), all);
    EXPECT_TRUE(selectedRows(chosen).empty());
    uitest::press(chooser, "Removefield");
    doubleClick(chosen, 0);
    all.erase(all.begin());
    EXPECT_EQ(rowsOf(chosen), all);
    EXPECT_EQ(chooser.SelectedrecpFieldValue(), all);

    uitest::press(chooser, "Removeallfields");
    EXPECT_TRUE(rowsOf(chosen).empty());
    buttonsOn(false);
}

TEST_F(ImportWindowTest, PayerColumnButtonsFollowTheListsAndTheSelection) {
    openCompany("Acme", {"Payer"});
    ImportCompanyController payers;
    QTableView* avail = table(payers, "availablefields");
    QTableView* chosen = table(payers, "Selectedfields");
    const auto& names = imports::AvailFieldValue();
    EXPECT_EQ(rowsOf(avail), names);
    EXPECT_EQ(payers.findChild<QLabel*>("StaticText")->text().toStdString(),
              "Note: Before importing the data,Please verify that your text/CSV file has all of the Selected fields.");
    const char* const rowButtons[] = {"ImportText_btn", "ImportCSV_btn", "Removefield_btn", "RemoveallFields_btn"};
    const auto rowButtonsOn = [&](bool on) {
        for (const char* b : rowButtons) EXPECT_EQ(enabled(payers, b), on) << b;
    };
    rowButtonsOn(false);
    EXPECT_FALSE(enabled(payers, "Addfiels_btn"));   // no row selected yet
    EXPECT_TRUE(enabled(payers, "Addallfields_btn"));

    select(avail, {11, 3});
    EXPECT_TRUE(enabled(payers, "Addfiels_btn"));
    uitest::press(payers, "Addfiels_btn");
    EXPECT_EQ(rowsOf(chosen), (std::vector<std::string>{names[3], names[11]}));
    rowButtonsOn(true);
    // A click into the empty part of a table gives its last row back.
    select(avail, {11});
    select(avail, {});
    EXPECT_EQ(selectedRows(avail), std::vector<int>{11});
    doubleClick(avail, 13);
    doubleClick(avail, 3);
    EXPECT_EQ(rowsOf(chosen), (std::vector<std::string>{names[3], names[11], names[13]}));

    uitest::press(payers, "Addallfields_btn");
    EXPECT_EQ(rowsOf(chosen).size(), names.size());
    EXPECT_EQ(rowsOf(chosen)[2], names[13]);
    EXPECT_FALSE(enabled(payers, "Addfiels_btn"));
    EXPECT_FALSE(enabled(payers, "Addallfields_btn"));

    doubleClick(chosen, 0);
    select(chosen, {0});
    uitest::press(payers, "Removefield_btn");
    EXPECT_EQ(rowsOf(chosen).size(), names.size() - 2);
    EXPECT_EQ(rowsOf(chosen)[0], names[13]);

    uitest::press(payers, "RemoveallFields_btn");
    EXPECT_TRUE(rowsOf(chosen).empty());
    rowButtonsOn(false);
    EXPECT_TRUE(enabled(payers, "Addfiels_btn"));
    EXPECT_TRUE(enabled(payers, "Addallfields_btn"));
}

TEST_F(ImportWindowTest, AChoiceEndedByCancelComesBackPerFormKindAndForPayers) {
    openCompany("Acme", {"Payer"});
    const auto recipientChoice = [&](int32_t kind, const std::vector<int>& rows, const char* end) {
        session()._type = kind;
        ImportRecipient chooser;
        std::vector<std::string> before = rowsOf(table(chooser, "Recip_SelList"));
        script.expect("ImportRecipient", [&](QWidget& win) {
            for (int row : rows) doubleClick(table(win, "Recip_AvalList"), row);
            if (std::string(end) == "close box")
                win.close();
            else
                uitest::press(win, "Cancelbtn");
        });
        EXPECT_EQ(runModal(&chooser), ImportRecipient::kCancelCode);
        return before;
    };
    recipientChoice(7, {9, 2, 15}, "Cancel");
    recipientChoice(1, {4}, "close box");
    const auto nec = imports::AvaillistValue(7);
    EXPECT_EQ(recipientChoice(7, {}, "Cancel"), (std::vector<std::string>{nec[9], nec[2], nec[15]}));
    EXPECT_EQ(recipientChoice(1, {}, "Cancel"), std::vector<std::string>{imports::AvaillistValue(1)[4]});
    EXPECT_TRUE(recipientChoice(3, {}, "Cancel").empty());

    const auto& payerNames = imports::AvailFieldValue();
    for (const char* end : {"Cancel", "close box"}) {
        SCOPED_TRACE(end);
        {
            ImportCompanyController payers;
            script.expect("ImportCompanyController", [&](QWidget& win) {
                uitest::press(win, "RemoveallFields_btn");
                for (int row : {3, 11, 13}) doubleClick(table(win, "availablefields"), row);
                if (std::string(end) == "close box")
                    win.close();
                else
                    uitest::press(win, "Cancel_btn");
            });
            EXPECT_EQ(runModal(&payers), ImportCompanyController::kCancelCode);
        }
        ImportCompanyController again;
        EXPECT_EQ(rowsOf(table(again, "Selectedfields")),
                  (std::vector<std::string>{payerNames[3], payerNames[11], payerNames[13]}));
    }
}
