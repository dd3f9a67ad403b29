// Whole imports from the main window's Import command through the real windows: the
// responder picks the columns, answers the file chooser with a file the test wrote, and
// answers the error and conflict lists.

#include "ImportWindowFixture.h"
#include "core/import/ImportCatalogues.h"
#include "core/import/ImportColumnChoices.h"
#include "ui/database/DatabaseManagerDialog.h"
#include "ui/import/ImportTypeDialog.h"
#include "ui/main/AppDelegate.h"
#include "ui/support/HandOffs.h"

namespace {

const std::vector<std::string> kRecipientColumns = {"Recipient Tax Payer ID", "Business Name", "Address Line 1",
                                                    "City",                   "State",         "ZIP Code",
                                                    "Box 1: Rents"};

std::string line(const std::vector<std::string>& fields, char separator = '\t') {
    std::string out;
    for (size_t i = 0; i < fields.size(); ++i) out += (i ? std::string(1, separator) : "") + fields[i];
    return out + "\n";
}

int rowOf(const std::vector<std::string>& names, const std::string& name) {
    const auto it = std::find(names.begin(), names.end(), name);
    EXPECT_NE(it, names.end()) << name;
    return static_cast<int>(it - names.begin());
}

}  // namespace

class WholeImport : public ImportWindowTest {
protected:
    void SetUp() override {
        ImportWindowTest::SetUp();
        handOffs().runImportDialog = &ImportTypeDialog::runFromMainWindow;
    }
    void TearDown() override {
        handOffs().runImportDialog = nullptr;
        main.reset();
        ImportWindowTest::TearDown();
    }

    void showMainWindow() {
        main = std::make_unique<AppDelegate>();
        main->FillCompanyList();
        main->Refresh();
    }

    // The windows of a 1099-MISC recipient import into the payer in the given row of the
    // target window, with kRecipientColumns, from the file at path.
    void expectRecipientImport(int payerRow, const std::string& path) {
        script.expect("ImportTypeDialog", [](QWidget& win) {
            check(win, "Recip_Data");
            uitest::press(win, "TypeOk");
        });
        script.expect("ImportRecipientSelController", [payerRow](QWidget& win) {
            select(table(win, "Companysel"), {payerRow});
            uitest::press(win, "OK_IMportRecip");
        });
        script.expect("ImportRecipient", [](QWidget& win) {
            const std::vector<std::string> names = imports::AvaillistValue(1);
            for (const std::string& name : kRecipientColumns) doubleClick(table(win, "Recip_AvalList"), rowOf(names, name));
            uitest::press(win, "ImportTXT");
        });
        script.expect("OpenChooser", answer::chooseFile(path));
    }

    std::vector<std::string> recipientNames(int32_t payer) {
        std::vector<std::string> out;
        for (const RecipientInfo& r : cdb()->getRecipients(payer, 1)) out.push_back(r.getLastName());
        return out;
    }

    static constexpr int kComplete = kMessageAnswerOkYes;
    std::unique_ptr<AppDelegate> main;
};

TEST_F(WholeImport, ARecipientTextFileIntoTheSecondPayerIsListedInTheMainWindow) {
    openCompany("Acme", {"First Payer", "Second Payer"});
    showMainWindow();
    select(main->findChild<QTableView*>("Company_Sel"), {1});
    // A line of one character is no record, but a line of the file all the same.
    const std::string path =
        writeFile("recipients.txt", line({"11-1111111", "North & Sons", "1 Main St", "Austin", "TX", "78701", "100.00"}) +
                                        "x\n" + line({"22-2222222", "South Supply", "", "", "", "", "50.00"}) +
                                        line({"33-3333333", "West & Co", "2 Elm St", "Austin", "TX", "7870", "abc"}));
    expectRecipientImport(1, path);
    script.expect("Formerrorwindowdlg2", [](QWidget& win) {
        // Each entry names the line of the file and the columns that failed.
        EXPECT_EQ(w<QPlainTextEdit>(win, "ErrorView")->toPlainText().toStdString(),
                  "South Supply (recipients.txt, line 3: 'Address Line 1' (column 3), 'City' (column 4) are not "
                  "valid)\n"
                  "West & Co (recipients.txt, line 4: 'ZIP Code' (column 6), 'Box 1: Rents' (column 7) are not "
                  "valid)\n");
        uitest::press(win, "Errorok");
    });
    seam->answerBox(kComplete);

    main->Import();

    ASSERT_EQ(seam->boxes().size(), 1u);
    EXPECT_EQ(seam->boxes()[0].title, "Import Complete");
    // The completion names the main window's button as the window shows it.
    const std::string editButton =
        main->findChild<QPushButton*>("UpdateRecipient_Button")->text().remove(QLatin1Char('&')).toStdString();
    EXPECT_NE(seam->boxes()[0].details.find("using the '" + editButton + "' button"), std::string::npos)
        << seam->boxes()[0].details;
    ASSERT_EQ(seam->openFileRequests.size(), 1u);
    EXPECT_EQ(seam->openFileRequests[0].fileType, "txt");
    EXPECT_EQ(recipientNames(1), (std::vector<std::string>{"North & Sons", "South Supply", "West & Co"}));
    EXPECT_TRUE(recipientNames(0).empty());
    const std::vector<std::string> listed = main->Recvec();
    ASSERT_EQ(listed.size(), 3u);
    EXPECT_NE(listed[0].find("North & Sons"), std::string::npos) << listed[0];
    EXPECT_NE(listed[1].find("South Supply"), std::string::npos) << listed[1];
    EXPECT_NE(listed[2].find("West & Co"), std::string::npos) << listed[2];
    EXPECT_EQ(imports::loadRecipientColumns(*cdb(), 1), kRecipientColumns);
    EXPECT_TRUE(main->findChild<QAction*>("import")->isEnabled());
}

TEST_F(WholeImport, APayerCsvFileEndsWithNewListedDatabasesAndNoneOpen) {
    openCompany("Acme", {"Old Payer"});
    showMainWindow();
    const std::string path = writeFile("payers.csv", line({"Beta Co", "12-3456789", "1 Main St"}, ',') +
                                                         line({"Gamma & Sons", "98-7654321", "2 Oak Ave"}, ','));
    script.expect("ImportTypeDialog", [](QWidget& win) {
        check(win, "Comp_Data");
        uitest::press(win, "TypeOk");
    });
    script.expect("ImportCompanyController", [](QWidget& win) {
        const auto& names = imports::AvailFieldValue();
        for (const char* name : {"Payer's Name", "Payer's Federal ID", "Payer Address Line1"})
            doubleClick(table(win, "availablefields"), rowOf(names, name));
        uitest::press(win, "ImportCSV_btn");
    });
    script.expect("OpenChooser", answer::chooseFile(path));
    seam->answerBox(kComplete);

    main->Import();

    ASSERT_EQ(seam->boxes().size(), 1u);
    EXPECT_EQ(seam->boxes()[0].title, "Import Complete");
    EXPECT_EQ(seam->openFileRequests.at(0).fileType, "csv");
    EXPECT_FALSE(cdb()->IsReady());
    EXPECT_TRUE(main->CompanyVec().empty());
    for (const char* file : {"Beta Co 2025.db", "Gamma _ Sons 2025.db"})
        EXPECT_TRUE(platform::fileExists(yearFolder() + file)) << file;

    DatabaseManagerDialog manager;
    script.expect("DatabaseManagerDialog", [](QWidget& win) {
        EXPECT_EQ(rowsOf(table(win, "DbList")), (std::vector<std::string>{"Acme", "Beta Co", "Gamma _ Sons"}));
        uitest::press(win, "CloseDB_Button");
    });
    runModal(&manager);
}

TEST_F(WholeImport, CancelInTheErrorListWritesNothing) {
    openCompany("Acme", {"First Payer", "Second Payer"});
    const std::string path = writeFile("bad.txt", line({"11-1111111", "No Address", "", "", "", "", "1.00"}));
    expectRecipientImport(0, path);
    script.expect("Formerrorwindowdlg2", [](QWidget& win) { uitest::press(win, "ErrorCancel"); });

    EXPECT_NE(ImportTypeDialog::runFromMainWindow(nullptr), imports::kImportCompletedCode);
    EXPECT_TRUE(seam->boxes().empty());
    EXPECT_TRUE(recipientNames(0).empty());
    EXPECT_TRUE(recipientNames(1).empty());
}

TEST_F(WholeImport, TheConflictListOverwritesExactlyTheChosenRecipientsAndCancelNone) {
    for (const bool ok : {true, false}) {
        SCOPED_TRACE(ok ? "OK" : "Cancel");
        openCompany(ok ? "Chosen" : "Cancelled", {"Payer"});
        storeRecipient(0, 1, "Alpha", "111-11-1111");
        storeRecipient(0, 1, "Bravo", "222-22-2222");
        storeRecipient(0, 1, "Charlie", "333-33-3333");
        const auto address = std::vector<std::string>{"1 Main St", "Austin", "TX", "78701", "1.00"};
        std::string text;
        for (const auto& [tin, name] : std::vector<std::pair<std::string, std::string>>{
                 {"111111111", "Alpha New"}, {"222-22-2222", "Bravo New"}, {"333-33-3333", "Charlie New"},
                 {"444-44-4444", "Delta"}}) {
            std::vector<std::string> fields = {tin, name};
            fields.insert(fields.end(), address.begin(), address.end());
            text += line(fields);
        }
        expectRecipientImport(0, writeFile("conflicts.txt", text));
        script.expect("ConflictWindow", [ok](QWidget& win) {
            EXPECT_EQ(rowsOf(table(win, "ConflictView")),
                      (std::vector<std::string>{"Alpha New", "Bravo New", "Charlie New"}));
            select(table(win, "ConflictView"), {2, 0});
            uitest::press(win, ok ? "OK_btn" : "Cancel_btn");
        });
        seam->answerBox(kComplete);

        EXPECT_EQ(ImportTypeDialog::runFromMainWindow(nullptr), imports::kImportCompletedCode);
        // Cancel replaces none of the payer's recipients; the file's new one is added either way.
        if (ok)
            EXPECT_EQ(recipientNames(0), (std::vector<std::string>{"Alpha New", "Bravo", "Charlie New", "Delta"}));
        else
            EXPECT_EQ(recipientNames(0), (std::vector<std::string>{"Alpha", "Bravo", "Charlie", "Delta"}));
        cdb()->Close();
    }
}
