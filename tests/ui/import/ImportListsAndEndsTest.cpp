// How each import window ends, the type dialog's hand-over, and the two lists the
// import shows: the error list and the conflict list.

#include <QCheckBox>

#include "ImportWindowFixture.h"
#include "core/import/ImportColumnChoices.h"
#include "platform/SystemLog.h"
#include "ui/import/ConflictWindow.h"
#include "ui/import/Formerrorwindowdlg2.h"
#include "ui/import/ImportCompanyController.h"
#include "ui/import/ImportRecipient.h"
#include "ui/import/ImportRecipientSelController.h"
#include "ui/import/ImportTypeDialog.h"

namespace {

struct EndCase {
    const char* name;
    std::function<std::unique_ptr<QWidget>()> make;
    int code;
};
void PrintTo(const EndCase& c, std::ostream* os) { *os << c.name; }

template <class T>
std::function<std::unique_ptr<QWidget>()> maker() {
    return [] { return std::make_unique<T>(); };
}

}  // namespace

class WindowEnds : public ImportWindowTest, public ::testing::WithParamInterface<EndCase> {};

TEST_P(WindowEnds, TheCloseBoxAndEscapeEndTheRun) {
    openCompany("Acme", {"Payer"});
    session()._type = 7;
    for (const char* how : {"close box", "Escape"}) {
        SCOPED_TRACE(how);
        std::unique_ptr<QWidget> window = GetParam().make();
        script.expect(window->objectName().toStdString(), [&](QWidget& win) {
            if (std::string(how) == "Escape")
                uitest::key(win, Qt::Key_Escape);
            else
                win.close();
            EXPECT_FALSE(isRunningModal(&win));
        });
        EXPECT_EQ(runModal(window.get()), GetParam().code);
    }
}

INSTANTIATE_TEST_SUITE_P(Import, WindowEnds,
                         ::testing::Values(EndCase{"TypeDialog", maker<ImportTypeDialog>(), 10000},
                                           EndCase{"Target", maker<ImportRecipientSelController>(), 10000},
                                           EndCase{"PayerColumns", maker<ImportCompanyController>(), 10000},
                                           EndCase{"RecipientColumns", maker<ImportRecipient>(), 10000},
                                           EndCase{"ErrorList", maker<Formerrorwindowdlg2>(), 1000},
                                           EndCase{"ConflictList", maker<ConflictWindow>(), 1000}),
                         [](const ::testing::TestParamInfo<EndCase>& p) { return std::string(p.param.name); });

TEST_F(ImportWindowTest, ColumnChoosersSaveTheirChoiceWhenClosed) {
    openCompany("Acme", {"Payer"});
    session()._type = 7;
    {
        ImportRecipient chooser;
        script.expect("ImportRecipient", [&](QWidget& win) {
            doubleClick(table(win, "Recip_AvalList"), 3);
            uitest::key(win, Qt::Key_Escape);
        });
        runModal(&chooser);
    }
    EXPECT_EQ(imports::loadRecipientColumns(*cdb(), 7), std::vector<std::string>{"Business Name"});
    {
        ImportCompanyController payers;
        script.expect("ImportCompanyController", [&](QWidget& win) {
            doubleClick(table(win, "availablefields"), 3);
            win.close();
        });
        runModal(&payers);
    }
    EXPECT_EQ(imports::loadPayerColumns(*cdb()), std::vector<std::string>{"Payer's Name"});
}

TEST_F(ImportWindowTest, TheTypeDialogNeedsAChoiceAndPassesItsWindowsCodeOn) {
    openCompany("Acme", {"Payer"});
    {
        ImportTypeDialog dialog;
        script.expect("ImportTypeDialog", [&](QWidget& win) {
            uitest::press(win, "TypeOk");   // neither chosen: stays open
            EXPECT_TRUE(isRunningModal(&win));
            check(win, "Comp_Data");
            check(win, "Recip_Data");
            EXPECT_FALSE(w<QRadioButton>(win, "Comp_Data")->isChecked());
            uitest::press(win, "TypeOk");
        });
        // The target's Cancel code reaches the main window, which then refills its lists.
        script.expect("ImportRecipientSelController", [&](QWidget& win) { uitest::press(win, "Cancel_IMportRecip"); });
        EXPECT_EQ(dialog.run(), ImportRecipientSelController::kCancelCode);
    }
    {
        ImportTypeDialog dialog;
        script.expect("ImportTypeDialog", [&](QWidget& win) {
            check(win, "Comp_Data");
            uitest::press(win, "TypeOk");
        });
        script.expect("ImportCompanyController", [&](QWidget& win) { win.close(); });
        EXPECT_EQ(dialog.run(), ImportCompanyController::kCancelCode);
    }
    {
        ImportTypeDialog dialog;
        script.expect("ImportTypeDialog", [&](QWidget& win) { uitest::press(win, "TypeCancel"); });
        EXPECT_EQ(dialog.run(), ImportTypeDialog::kCancelCode);
    }
}

TEST_F(ImportWindowTest, TheErrorListShowsEachTextOnItsLineAndAnswersItsButton) {
    for (const char* button : {"Errorok", "ErrorCancel"}) {
        SCOPED_TRACE(button);
        script.expect("Formerrorwindowdlg2", [&](QWidget& win) {
            EXPECT_EQ(w<QPlainTextEdit>(win, "ErrorView")->toPlainText().toStdString(), "Smith, John\nAcme & Sons\n");
            uitest::press(win, button);
        });
        const int code = seam->importErrors({"Smith, John", "Acme & Sons"});
        EXPECT_EQ(code, std::string(button) == "Errorok" ? kImportErrorsOKCode : kImportErrorsCancelCode);
    }
}

namespace {

struct ConflictCase {
    const char* name;
    std::vector<std::vector<int>> selections;   // made one after the other
    const char* button;
    int code;
    std::vector<int> chosen;
    std::vector<std::string> log;
};
void PrintTo(const ConflictCase& c, std::ostream* os) { *os << c.name; }

}  // namespace

class ConflictChoices : public ImportWindowTest, public ::testing::WithParamInterface<ConflictCase> {};

TEST_P(ConflictChoices, OKAnswersTheRowsSelectedThen) {
    const ConflictCase c = GetParam();
    std::vector<std::string> logged;
    platform::setLogSink([&](const std::string& line) { logged.push_back(line); });
    script.expect("ConflictWindow", [&](QWidget& win) {
        EXPECT_EQ(w<QCheckBox>(win, "checkbox_btn")->text().toStdString(),
                  "       Alpha\n       Bravo && Co\n       Charlie, Carl\n");
        EXPECT_EQ(rowsOf(table(win, "ConflictView")), (std::vector<std::string>{"Alpha", "Bravo & Co", "Charlie, Carl"}));
        for (const auto& rows : c.selections) select(table(win, "ConflictView"), rows);
        uitest::press(win, c.button);
    });
    std::vector<int> chosen = {99};
    EXPECT_EQ(seam->importConflicts({"Alpha", "Bravo & Co", "Charlie, Carl"}, chosen), c.code);
    platform::setLogSink({});
    EXPECT_EQ(chosen, c.chosen);
    EXPECT_EQ(logged, c.log);
}

INSTANTIATE_TEST_SUITE_P(
    Import, ConflictChoices,
    ::testing::Values(ConflictCase{"TwoRowsInAnyOrder", {{2, 0}}, "OK_btn", 1234, {0, 2}, {"Selected Indexes: (0, 2)"}},
                      ConflictCase{"SelectionClearedBeforeOK",
                                   {{1}, {}},
                                   "OK_btn",
                                   1234,
                                   {},
                                   {"Selected Indexes: (1)", "No rows selected"}},
                      ConflictCase{"NeverSelected", {}, "OK_btn", 1234, {}, {}},
                      ConflictCase{"Cancel", {{0, 1}}, "Cancel_btn", 1000, {}, {"Selected Indexes: (0, 1)"}}),
    [](const ::testing::TestParamInfo<ConflictCase>& p) { return std::string(p.param.name); });
