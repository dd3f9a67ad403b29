#include <QDir>

#include "MainWindowFixture.h"
#include "core/foundation/MessageBoxCodes.h"
#include "ui/support/DesktopServices.h"

namespace {

databaseInfo listed(const std::string& path, const std::string& name, int year) {
    databaseInfo info;
    info.setPath(path);
    info.setName(name);
    info.setYear(year);
    return info;
}

}  // namespace

TEST_F(MainWindowTest, EveryControlCarriesItsOutletName) {
    for (const char* name :
         {"Company_Sel", "Recipient_sel", "CompanyFilter_Text", "RecipientFilter_Text", "CompanyFilter_Button",
          "Recipientfilter_Button", "AllForms", "AllStatus", "RecipientsOf", "NewCompany_Button", "UpdateCompany_B",
          "DeleteCompany_Button", "NewRecipient_Button", "UpdateRecipient_Button", "DeleteRecipient_Button",
          "CopyRecipient_Button", "Context_B", "Db_name", "Db_Path", "addRecipientButton", "addCompanyButton",
          "printRecipientButton", "printCompanyButton", "File_Menu", "Edit_Menu", "View_Menu", "Tool_Menu",
          "Sort_Menu", "Window_Menu", "Help_Menu"})
        EXPECT_NE(window->findChild<QWidget*>(QString::fromLatin1(name)), nullptr) << name;
    for (const char* name :
         {"OpenDb_TextFilemenu", "Createdatabase", "DatabaseManager", "Closedb", "import", "importprioryear",
          "prntformforRec", "printformforFilling", "SummaryReport", "Mailinglabel", "Efile", "IRIS_Outlet", "Admin",
          "Backupdatabase", "restoredb", "DownloadBackup", "Editprintforms", "Editpage", "close_btn",
          "companyascending", "CompanyDescending", "RecipientAscending", "RecipientDescending", "QuitTalvexa1099",
          "HideTalvexa1099"})
        EXPECT_NE(window->findChild<QAction*>(QString::fromLatin1(name)), nullptr) << name;

    // Without an application menu, quit and hide stand in the File menu.
    const auto fileItems = w<QMenu>("File_Menu")->actions();
    EXPECT_TRUE(fileItems.contains(item("QuitTalvexa1099")));
    EXPECT_TRUE(fileItems.contains(item("HideTalvexa1099")));
    EXPECT_EQ(item("QuitTalvexa1099")->text().toStdString(), "Quit Talvexa 1099 E-File ");
    EXPECT_EQ(item("HideTalvexa1099")->text().toStdString(), "Hide Talvexa 1099 E-File ");
    EXPECT_EQ(window->windowTitle().toStdString(), "Talvexa 1099 E-File 2025");
    EXPECT_EQ(company_Refer, window.get());
}

// Which commands are offered with no database, with one open for an administrator and
// with one open for an ordinary user.
TEST_F(MainWindowTest, MenuStatesFollowTheDatabaseAndTheUser) {
    struct Row {
        const char* name;
        bool closed, administrator, ordinary;
    };
    const Row rows[] = {
        {"OpenDb_TextFilemenu", true, false, false},
        {"Closedb", false, true, true},
        {"DatabaseManager", true, true, true},
        {"Createdatabase", true, true, true},
        {"import", true, true, true},
        {"importprioryear", true, true, true},
        {"Efile", false, true, true},
        {"IRIS_Outlet", false, true, true},
        {"SummaryReport", false, true, true},
        {"Mailinglabel", false, true, true},
        {"printformforFilling", false, true, true},
        {"prntformforRec", false, false, false},   // until a recipient is selected
        {"Editprintforms", false, true, true},
        {"DownloadBackup", false, false, false},   // no cloud backup chosen
        {"Admin", true, true, false},
        {"Backupdatabase", true, true, false},
        {"restoredb", true, true, false},
    };
    const char* const controls[] = {"Company_Sel", "Recipient_sel", "RecipientFilter_Text", "Recipientfilter_Button",
                                    "AllForms", "AllStatus"};

    window->Refresh();
    for (const Row& r : rows) EXPECT_EQ(item(r.name)->isEnabled(), r.closed) << "closed: " << r.name;
    for (const char* c : controls) EXPECT_FALSE(w(c)->isEnabled()) << "closed: " << c;
    EXPECT_FALSE(w("CompanyFilter_Text")->isEnabled());
    EXPECT_FALSE(w("CompanyFilter_Button")->isEnabled());

    openDatabase();
    window->Refresh();
    for (const Row& r : rows) EXPECT_EQ(item(r.name)->isEnabled(), r.administrator) << "administrator: " << r.name;
    for (const char* c : controls) EXPECT_TRUE(w(c)->isEnabled()) << "open: " << c;
    EXPECT_FALSE(w("CompanyFilter_Text")->isEnabled());

    // An ordinary user keeps administration, backup and restore off, also after another
    // window switched them on.
    session().loginInfo->setUserType(0);
    window->toolsandsort();
    window->Refresh();
    for (const Row& r : rows) EXPECT_EQ(item(r.name)->isEnabled(), r.ordinary) << "ordinary: " << r.name;
}

TEST_F(MainWindowTest, DownloadBackupNeedsCloudBackupAndAnOpenDatabase) {
    databaseInfo cloud;
    cloud.setCloudCheck(1);
    cloud.setCustomerId("C-1");
    cloud.setEmailaddress("owner@example.com");
    ASSERT_TRUE(app()->InsertCloudBackupInfo(cloud));
    window->Refresh();
    EXPECT_FALSE(item("DownloadBackup")->isEnabled());
    openDatabase();
    window->Refresh();
    EXPECT_TRUE(item("DownloadBackup")->isEnabled());
}

TEST_F(MainWindowTest, MenusSwitchOnAndOffAsAWhole) {
    window->EnableMenus(false);
    for (const char* menu : {"File_Menu", "Edit_Menu", "View_Menu", "Tool_Menu", "Sort_Menu", "Help_Menu"})
        EXPECT_FALSE(w<QMenu>(menu)->menuAction()->isEnabled()) << menu;
    EXPECT_TRUE(w<QMenu>("Window_Menu")->menuAction()->isEnabled());
    EXPECT_FALSE(item("QuitTalvexa1099")->isEnabled());

    window->EnableMenus(true);
    for (const char* menu : {"File_Menu", "Edit_Menu", "View_Menu", "Tool_Menu", "Sort_Menu", "Help_Menu"})
        EXPECT_TRUE(w<QMenu>(menu)->menuAction()->isEnabled()) << menu;
    EXPECT_TRUE(item("QuitTalvexa1099")->isEnabled());
}

TEST_F(MainWindowTest, SavedMenuItemsComeBackExactlyAsTheyWere) {
    openDatabase();
    window->Refresh();   // Efile on, OpenDb_TextFilemenu off, prntformforRec off
    const char* const names[] = {"Createdatabase", "import", "importprioryear", "DatabaseManager", "Closedb",
                                 "OpenDb_TextFilemenu", "Efile", "IRIS_Outlet", "SummaryReport", "Mailinglabel",
                                 "prntformforRec", "printformforFilling"};
    std::vector<bool> before;
    for (const char* n : names) before.push_back(item(n)->isEnabled());

    window->DisableMenuButtons();
    for (const char* n : names) EXPECT_FALSE(item(n)->isEnabled()) << n;
    window->EnableMenuButtons();
    for (size_t i = 0; i < std::size(names); ++i) EXPECT_EQ(item(names[i])->isEnabled(), before[i]) << names[i];
}

TEST_F(MainWindowTest, SavedDashboardComesBackWithTheNewWorkButtonsOff) {
    openDatabase();
    const int32_t payer = addPayer("Acme Supply");
    addRecipient(payer, {1, "Ann", "Ann Smith", "Smith"});
    showDatabase();
    userSelect(companies(), {0});
    userSelect(recipients(), {0});
    ASSERT_TRUE(button("DeleteCompany_Button")->isEnabled());

    window->DisabledashBoardButtons();
    for (const char* c : {"UpdateCompany_B", "Context_B", "DeleteCompany_Button", "UpdateRecipient_Button",
                          "NewRecipient_Button", "Company_Sel", "Recipient_sel", "AllForms"})
        EXPECT_FALSE(w(c)->isEnabled()) << c;

    window->EnableDashboardButtons();
    for (const char* c : {"UpdateCompany_B", "UpdateRecipient_Button", "NewRecipient_Button", "DeleteRecipient_Button",
                          "CopyRecipient_Button", "Company_Sel", "AllForms", "AllStatus"})
        EXPECT_TRUE(w(c)->isEnabled()) << c;
    EXPECT_FALSE(button("DeleteCompany_Button")->isEnabled());
    EXPECT_FALSE(button("Context_B")->isEnabled());       // was off while open
    EXPECT_FALSE(w("Recipient_sel")->isEnabled());         // left to the next refresh
}

// A filing run prints one payer's forms and its 1096: with two payers selected the
// command stays off through a refresh, and comes back with one.
TEST_F(MainWindowTest, PrintFilingCopiesStaysOffOverTwoPayersAlsoAfterARefresh) {
    openDatabase();
    addPayer("Acme Supply");
    addPayer("Birch & Sons");
    showDatabase();
    userSelect(companies(), {0, 1});
    EXPECT_FALSE(item("printformforFilling")->isEnabled());
    window->Refresh();
    EXPECT_FALSE(item("printformforFilling")->isEnabled());
    EXPECT_FALSE(window->printCompanyButton()->isEnabled());
    userSelect(companies(), {1});
    window->Refresh();
    EXPECT_TRUE(item("printformforFilling")->isEnabled());
    EXPECT_TRUE(window->printCompanyButton()->isEnabled());
}

// The dashboard by the number of selected payers and recipients.
TEST_F(MainWindowTest, DashboardFollowsTheSelectionCounts) {
    openDatabase();
    const int32_t a = addPayer("Acme Supply");
    addPayer("Birch & Sons");
    for (const char* first : {"Ann", "Bo", "Cy"}) addRecipient(a, {1, first, first, std::string(first) + "son"});
    showDatabase();

    struct CompanyCase {
        std::vector<int> rows;
        bool newRecipient, editCompany, deleteCompany, printFiling, filing, addRecipient;
    };
    const CompanyCase companyCases[] = {
        {{0}, true, true, true, true, true, true},
        {{0, 1}, false, false, false, false, true, false},
        {{}, false, false, false, false, false, false},
    };
    for (const CompanyCase& c : companyCases) {
        SCOPED_TRACE(c.rows.size());
        userSelect(companies(), c.rows);
        EXPECT_EQ(button("NewRecipient_Button")->isEnabled(), c.newRecipient);
        EXPECT_EQ(button("UpdateCompany_B")->isEnabled(), c.editCompany);
        EXPECT_EQ(button("DeleteCompany_Button")->isEnabled(), c.deleteCompany);
        EXPECT_EQ(item("printformforFilling")->isEnabled(), c.printFiling);
        for (const char* n : {"Mailinglabel", "SummaryReport"}) EXPECT_EQ(item(n)->isEnabled(), c.filing) << n;
        // Taken off with the payers, and put back by the recipient selection that follows.
        EXPECT_TRUE(item("Efile")->isEnabled());
        EXPECT_TRUE(item("IRIS_Outlet")->isEnabled());
        EXPECT_FALSE(button("UpdateRecipient_Button")->isEnabled());
        EXPECT_FALSE(button("DeleteRecipient_Button")->isEnabled());
        EXPECT_FALSE(button("CopyRecipient_Button")->isEnabled());
        EXPECT_FALSE(button("NewCompany_Button")->isEnabled());
        EXPECT_TRUE(window->addCompanyButton()->isEnabled());
        EXPECT_EQ(window->addRecipientButton()->isEnabled(), c.addRecipient);
    }

    userSelect(companies(), {0});
    struct RecipientCase {
        std::vector<int> rows;
        bool edit, remove, copy, printRecipients;
    };
    const RecipientCase recipientCases[] = {
        {{1}, true, true, true, true},
        {{0, 2}, false, true, false, true},
        {{}, false, false, false, false},
    };
    for (const RecipientCase& c : recipientCases) {
        SCOPED_TRACE(c.rows.size());
        userSelect(recipients(), c.rows);
        EXPECT_EQ(button("UpdateRecipient_Button")->isEnabled(), c.edit);
        EXPECT_EQ(button("DeleteRecipient_Button")->isEnabled(), c.remove);
        EXPECT_EQ(button("CopyRecipient_Button")->isEnabled(), c.copy);
        EXPECT_EQ(item("prntformforRec")->isEnabled(), c.printRecipients);
        EXPECT_TRUE(item("Efile")->isEnabled());
        EXPECT_TRUE(item("IRIS_Outlet")->isEnabled());
    }

    // Printing recipient copies waits for a selection after a refresh too.
    window->Refresh();
    EXPECT_FALSE(item("prntformforRec")->isEnabled());
    userSelect(recipients(), {0});
    EXPECT_TRUE(item("prntformforRec")->isEnabled());
    window->Refresh();
    EXPECT_TRUE(item("prntformforRec")->isEnabled());
}

// The toolbar's Add Recipient goes with New Recipient: on only while one payer of an
// open database is chosen.
TEST_F(MainWindowTest, AddRecipientIsOfferedOnlyForOneChosenPayer) {
    auto expectAddRecipient = [&](bool on, const char* when) {
        EXPECT_EQ(window->addRecipientButton()->isEnabled(), on) << when;
        EXPECT_EQ(button("NewRecipient_Button")->isEnabled(), on) << when;
    };
    window->Refresh();
    expectAddRecipient(false, "no database open");

    openDatabase();
    addPayer("Acme Supply");
    showDatabase();
    expectAddRecipient(false, "no payer chosen");
    userSelect(companies(), {0});
    expectAddRecipient(true, "one payer chosen");

    ASSERT_TRUE(window->CloseDatabase(false, false));
    window->Refresh();
    expectAddRecipient(false, "database closed");
}

TEST_F(MainWindowTest, ContextButtonOffersTheNextStep) {
    QPushButton* context = button("Context_B");

    window->Refresh();   // nothing listed, nothing from last year
    EXPECT_EQ(context->text().toStdString(), "New Company");
    EXPECT_EQ(window->context(), 2);
    EXPECT_TRUE(context->isEnabled());
    EXPECT_TRUE(context->isDefault());
    EXPECT_FALSE(context->isHidden());
    EXPECT_EQ(text("Db_name"), "Not Open");
    EXPECT_EQ(text("Db_Path"), "");

    ASSERT_TRUE(app()->InsertPriorYearInfo(listed(home.file("Acme 2024.db"), "Acme", 2024)));
    window->Refresh();
    EXPECT_EQ(context->text().toStdString(), "Start New Year 2025 (Import Prior Year)");
    EXPECT_EQ(window->context(), 1);
    EXPECT_TRUE(context->isEnabled());

    ASSERT_TRUE(app()->InsertDatabaseInfo(listed(home.file("Acme 2025.db"), "Acme", 2025)));
    window->Refresh();
    EXPECT_EQ(context->text().toStdString(), "Open Database");
    EXPECT_EQ(window->context(), 3);
    EXPECT_TRUE(context->isEnabled());

    openDatabase();
    window->Refresh();
    EXPECT_EQ(context->text().toStdString(), "Open Database");
    EXPECT_FALSE(context->isEnabled());
    EXPECT_FALSE(context->isHidden());
}

TEST_F(MainWindowTest, InformationLineNamesTheOpenDatabase) {
    openDatabase("Smith & Jones");
    window->Refresh();
    EXPECT_EQ(text("Db_name"), "Smith & Jones - 1099 Year 2025");
    EXPECT_EQ(text("Db_Path"), home.file("Smith & Jones 2025.db"));
}

TEST_F(MainWindowTest, InformationLineShortensLongPaths) {
    // A folder that makes the database's path exactly 129 characters long.
    const std::string fileName = "/Acme 2025.db";
    const std::string base = home.path() + "/";
    const std::string folder = base + std::string(129 - base.size() - fileName.size(), 'x');
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(folder)));
    const std::string path = folder + fileName;
    ASSERT_EQ(path.size(), 129u);
    openDatabase("Acme", path);
    window->Refresh();
    EXPECT_EQ(text("Db_Path"), path.substr(0, 128) + "...");
}

// The first-run welcome: the guide only with the flag, then the box whose steps suit a
// user of an earlier year or a new one.
TEST_F(MainWindowTest, FirstRunOpensTheGuideAndShowsTheQuickStartSteps) {
    struct Case {
        bool flag, existingUser;
    };
    for (const Case c : {Case{true, false}, Case{true, true}, Case{false, false}, Case{false, true}}) {
        SCOPED_TRACE(testing::Message() << "flag " << c.flag << ", existing user " << c.existingUser);
        std::vector<std::string> opened;
        setAddressOpener([&](const std::string& address) {
            opened.push_back(address);
            return true;
        });
        session().isExistingUser = c.existingUser;
        const size_t before = scripted->boxes().size();
        scripted->answerBox(kMessageAnswerOkYes);
        window->DoFirstRun(c.flag);
        setAddressOpener({});

        EXPECT_EQ(opened, c.flag ? std::vector<std::string>{"https://docs.talvexa.com/1099/2025/QuickStart.pdf"}
                                 : std::vector<std::string>{});
        ASSERT_EQ(scripted->boxes().size(), before + 1);
        const MessageBoxRequest box = scripted->boxes().back();
        EXPECT_EQ(box.caption, "Quick Start");
        EXPECT_EQ(box.title, "Talvexa 1099");
        EXPECT_EQ(box.style, kMessageStyleOK);
        EXPECT_EQ(box.image, kMessageImageMessage);
        EXPECT_EQ(box.details.rfind("If you're having trouble getting started, or get stuck along the way, be sure "
                                    "to check out the 'Help' menu for helpful links and downloads such as the Quick "
                                    "Start Guide and 1099 Manual.\n\n1. ",
                                    0),
                  0u);
        size_t at = 0;
        for (const char* step : {"\n2. ", "\n3. ", "\n4. ", "\n5. "}) {
            at = box.details.find(step, at);
            EXPECT_NE(at, std::string::npos) << step;
        }
        EXPECT_EQ(box.details.find("\n6. "), std::string::npos);
        EXPECT_EQ(box.details.find("Start New Year") != std::string::npos, c.existingUser);
        EXPECT_EQ(box.details.find("'New Company'") != std::string::npos, !c.existingUser);
        // The program has no conversion wizard, so no step sends the user to one.
        EXPECT_EQ(box.details.find("wizard"), std::string::npos);
        EXPECT_NE(box.details.find("\n\nTip: "), std::string::npos);
    }
}
