#pragma once

// Every window of the program, made over a company database with a payer and one
// recipient of each kind selected in the main window, as a table for window tests.

#include <algorithm>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QApplication>
#include <QDir>
#include <QItemSelectionModel>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>

#include "PayerRows.h"
#include "ScriptedUserInterface.h"
#include "ui/UiTestHelpers.h"
#include "TempHome.h"
#include "core/foundation/AppDatabase.h"
#include "core/store/DatabaseHolder.h"
#include "core/foundation/Login_Info.h"
#include "core/foundation/MessageBoxCodes.h"
#include "core/foundation/Session.h"
#include "core/foundation/databaseInfo.h"
#include "core/store/ComapnyInfo.h"
#include "core/store/Company.h"
#include "core/store/CompanyDatabase.h"
#include "core/store/Recipient.h"
#include "core/store/RecipientAdditionalInfo.h"
#include "core/store/RecipientInfo.h"
#include "ui/admin/AdminDialog.h"
#include "ui/admin/CloudBackupController.h"
#include "ui/admin/UserDelete.h"
#include "ui/admin/UserDetailsDialog.h"
#include "ui/company/CompanyController.h"
#include "ui/company/DeleteCompController.h"
#include "ui/company/NewCompanyFrame.h"
#include "ui/database/CommonName.h"
#include "ui/database/CreateDatabaseDialog.h"
#include "ui/database/DatabaseManagerDialog.h"
#include "ui/database/FindDatabase.h"
#include "ui/database/LoginDialog.h"
#include "ui/database/OpenDatabase.h"
#include "ui/efile/AdditionalPayersInformation.h"
#include "ui/efile/EFileFrameController.h"
#include "ui/efile/HowToEFile.h"
#include "ui/efile/HowtoIRIS.h"
#include "ui/entry/DIVFrame.h"
#include "ui/entry/INTFrame.h"
#include "ui/entry/MISCFrame.h"
#include "ui/entry/NECFrame.h"
#include "ui/entry/RFrame.h"
#include "ui/entry/SFrame.h"
#include "ui/import/ConflictWindow.h"
#include "ui/import/Formerrorwindowdlg2.h"
#include "ui/import/ImportCompanyController.h"
#include "ui/import/ImportRecipient.h"
#include "ui/import/ImportRecipientSelController.h"
#include "ui/import/ImportTypeDialog.h"
#include "ui/main/AboutTalvexa1099.h"
#include "ui/main/AppDelegate.h"
#include "ui/main/InformationDialog.h"
#include "ui/newyear/FindPriorYearDatabase.h"
#include "ui/newyear/ImportPriorYear.h"
#include "ui/print/EditPrintformats.h"
#include "ui/print/FormatController.h"
#include "ui/print/MailingLabels.h"
#include "ui/print/PrintAlignmentDialog.h"
#include "ui/print/PrintFormForFiling.h"
#include "ui/print/PrintOptionDialog.h"
#include "ui/records/CopyRecipient.h"
#include "ui/records/DeleteRecipientController.h"
#include "ui/records/RecipientType.h"
#include "ui/setup/Configuration_Setup.h"
#include "ui/setup/WelcomeDialog.h"
#include "ui/support/ElidedLabel.h"
#include "ui/support/FieldsScrollArea.h"
#include "ui/support/FormErrorDialog.h"
#include "ui/support/PrintPreview.h"
#include "ui/support/tvMessageDialog.h"

namespace everywindow {

// The screen the windows must fit, less a title bar and a panel.
constexpr int kScreenWidth = 1366;
constexpr int kScreenHeight = 700;

// A window gone when the test ends: entry and payer windows close themselves (they
// delete themselves on close and tell the main window); the others are deleted.
struct Closer {
    void operator()(QWidget* w) const {
        if (!w) return;
        if (w->testAttribute(Qt::WA_DeleteOnClose)) {
            w->close();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        } else {
            delete w;
        }
    }
};
using WindowPtr = std::unique_ptr<QWidget, Closer>;

struct WindowCase {
    std::string name;
    std::function<WindowPtr()> make;   // null: the main window of the test
};

inline void PrintTo(const WindowCase& c, std::ostream* os) { *os << c.name; }

class EveryWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        resetSession();
        scripted = std::make_unique<ScriptedUserInterface>();
        session().DBH = std::make_shared<DatabaseHolder>();
        ASSERT_TRUE(app()->Init(home.file("Talvexa_1099_2025.db"), false));
        session().appDBReady = true;
        session().loginInfo = std::make_shared<Login_Info>();
        session().loginInfo->setUserType(1);
        main = std::make_unique<AppDelegate>();
        const std::string path = home.file("Acme 2025.db");
        ASSERT_TRUE(cdb()->Init(path, true, true, true, "Acme"));
        ASSERT_TRUE(cdb()->SetName("Acme"));
        ASSERT_TRUE(cdb()->SetYear(2025));
        ASSERT_TRUE(app()->InsertDatabaseInfo(databaseInfo("Acme", path, 2025, false, "")));
        payer = addPayer(widestPayer());
        for (int32_t kind : {1, 2, 3, 4, 5, 7}) addRecipient(kind);
        main->FillCompanyList();
        main->Refresh();
        selectRow("Company_Sel", 0);
        selectRow("Recipient_sel", 0);
    }
    void TearDown() override {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        main.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        if (cdb()->IsReady()) cdb()->Close();
        app()->Close();
        scripted.reset();
        resetSession();
    }

    std::shared_ptr<AppDatabase> app() { return session().DBH->appDatabase(); }
    std::shared_ptr<CompanyDatabase> cdb() { return session().DBH->companyDatabase(); }

    // A payer whose texts take the most room the window gives them.
    static ComapnyInfo widestPayer() {
        ComapnyInfo c;
        c.setName("Birch & Sons Construction and Landscapin");   // 40 characters
        c.setAddress1("1200 Northwest Harborview Boulevard Ste 4");
        c.setCity1("South San Francisco");
        c.setState1("Massachusetts-MA");
        c.setZip1("02101-1234");
        c.setPhone1("617-555-0100");
        c.setTaxID1("31-1234567");
        return c;
    }

    int32_t addRecipient(int32_t kind) {
        RecipientInfo r;
        r.setCompany_FK(payer);
        r.setType(kind);
        r.setFirstName("Maria-Fernanda");
        r.setLastName("Birch & Sons Construction and Landscapin");
        r.setTaxID("123-45-6789");
        r.setAddress("742 Evergreen Terrace");
        r.setCity("Springfield");
        r.setState("Oregon-OR");
        r.setZip("97403");
        r.setCountry("US");
        RecipientAdditionalInfo a;
        a.setCompany_FK(payer);
        a.setType(kind);
        a.setlastname("Garcia de la Vega");
        a.setname_typee("Individual");
        a.settin_type("SSN");
        EXPECT_TRUE(cdb()->insertRecipientInfo(r, a));
        return cdb()->getRecipientPK();
    }

    void selectRow(const char* table, int row) {
        auto* view = main->findChild<QTableView*>(QString::fromLatin1(table));
        ASSERT_NE(view, nullptr);
        ASSERT_GT(view->model()->rowCount(), row);
        view->selectionModel()->select(view->model()->index(row, 0),
                                       QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    }

    TempHome home;
    std::unique_ptr<ScriptedUserInterface> scripted;
    std::unique_ptr<AppDelegate> main;
    int32_t payer = -1;
};

inline std::vector<std::string> manyErrors() {
    std::vector<std::string> errors;
    for (int i = 1; i <= 12; ++i)
        errors.push_back("Box " + std::to_string(i) + ": Must be positive and of form ...X,XXX.XX or ...XXXX.XX.");
    errors.push_back("Recipient Tax Payer ID: Must be of form XXXXXXXXX, XX-XXXXXXX or XXX-XX-XXXX.");
    return errors;
}

template <class T, class... Args>
std::function<WindowPtr()> plain(Args... args) {
    return [=]() { return WindowPtr(new T(args...)); };
}

inline std::vector<WindowCase> windows() {
    std::vector<WindowCase> all = {
        {"AppDelegate", []() { return WindowPtr(nullptr); }},
        // The main window once its database is closed: the context button offers the next step.
        {"AppDelegateClosed",
         []() {
             session().DBH->companyDatabase()->Close();
             for (QWidget* w : QApplication::topLevelWidgets())
                 if (auto* main = qobject_cast<AppDelegate*>(w)) main->Refresh();
             return WindowPtr(nullptr);
         }},
        {"MISCFrame", []() { return WindowPtr(MISCFrame::create()); }},
        {"NECFrame", []() { return WindowPtr(NECFrame::create()); }},
        {"INTFrame", []() { return WindowPtr(INTFrame::create()); }},
        {"DIVFrame", []() { return WindowPtr(DIVFrame::create()); }},
        {"RFrame", []() { return WindowPtr(RFrame::create()); }},
        {"SFrame", []() { return WindowPtr(SFrame::create()); }},
        {"CompanyController", []() { return WindowPtr(CompanyController::create()); }},
        {"NewCompanyFrame", plain<NewCompanyFrame>()},
        {"DeleteCompController", plain<DeleteCompController>()},
        {"AdminDialog", plain<AdminDialog>()},
        {"CloudBackupController", plain<CloudBackupController>()},
        {"UserDelete", plain<UserDelete>(1)},
        {"UserDetailsDialog", plain<UserDetailsDialog>(UserDetailsDialog::kAddMode, -1)},
        {"CommonName", plain<CommonName>()},
        {"CreateDatabaseDialog", plain<CreateDatabaseDialog>()},
        {"DatabaseManagerDialog", plain<DatabaseManagerDialog>()},
        {"FindDatabase", plain<FindDatabase>()},
        {"LoginDialog", plain<LoginDialog>()},
        {"OpenDatabase", plain<OpenDatabase>()},
        {"AdditionalPayersInformation", plain<AdditionalPayersInformation>()},
        {"EFileFrameController", plain<EFileFrameController>()},
        {"HowToEFile", plain<HowToEFile>()},
        {"HowtoIRIS", plain<HowtoIRIS>()},
        {"ConflictWindow",
         []() {
             auto* w = new ConflictWindow;
             w->geterrors({"Garcia de la Vega, Maria-Fernanda 123-45-6789", "Birch & Sons Construction and Landscapin"});
             return WindowPtr(w);
         }},
        {"Formerrorwindowdlg2",
         []() {
             auto* w = new Formerrorwindowdlg2;
             w->geterrors(manyErrors());
             return WindowPtr(w);
         }},
        {"ImportCompanyController", plain<ImportCompanyController>()},
        {"ImportRecipient", plain<ImportRecipient>()},
        {"ImportRecipientSelController", plain<ImportRecipientSelController>()},
        {"ImportTypeDialog", plain<ImportTypeDialog>()},
        {"AboutTalvexa1099", plain<AboutTalvexa1099>()},
        {"InformationDialog", plain<InformationDialog>()},
        {"FindPriorYearDatabase", plain<FindPriorYearDatabase>()},
        {"ImportPriorYear", plain<ImportPriorYear>()},
        {"EditPrintformats", plain<EditPrintformats>()},
        {"FormatController", plain<FormatController>(1, true)},
        {"MailingLabels", plain<MailingLabels>()},
        {"PrintAlignmentDialog", plain<PrintAlignmentDialog>()},
        {"PrintFormForFiling", plain<PrintFormForFiling>()},
        {"CopyRecipient", plain<CopyRecipient>()},
        {"DeleteRecipientController", plain<DeleteRecipientController>()},
        {"RecipientType", plain<RecipientType>()},
        {"Configuration_Setup", plain<Configuration_Setup>()},
        {"WelcomeDialog", plain<WelcomeDialog>()},
        {"FormErrorDialog",
         []() {
             auto* w = new FormErrorDialog;
             w->geterrors(manyErrors());
             return WindowPtr(w);
         }},
        {"PrintPreview", plain<PrintPreview>()},
        {"tvMessageDialog",
         []() {
             auto* w = new tvMessageDialog;
             w->setTitle("Company Database Error!");
             w->setCaptionInfo(
                 "Unable to add the user. The company database could not be written: the file is read-only or the "
                 "disk is full.");
             w->setDetails("database is locked\n/home/user/Documents/Talvexa 1099/2025/Birch & Sons Construction "
                           "2025.db\nClose the other program that has the file open and try again.");
             w->setstyle(kMessageStyleYesNoCancel, true);
             w->setImage(kMessageImageError);
             return WindowPtr(w);
         }},
    };
    for (int32_t kind : {1, 3, 7})
        for (bool filing : {false, true})
            all.push_back({std::string(filing ? "PrintFilingOptions" : "PrintRecipientOptions") + std::to_string(kind),
                           [=]() { return WindowPtr(PrintOptionDialog::make(kind, filing, nullptr).release()); }});
    return all;
}

}  // namespace everywindow
