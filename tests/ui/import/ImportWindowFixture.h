#pragma once

// The import windows over a company database in this year's folder. The lists,
// choosers and alerts are the real windows, answered by a responder (ModalScript);
// message boxes are answered by the scripted seam, which records their texts.

#include <algorithm>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <QItemSelectionModel>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>

#include "ScriptedUserInterface.h"
#include "TempHome.h"
#include "TestConfiguration.h"
#include "core/foundation/AppDatabase.h"
#include "core/foundation/Login_Info.h"
#include "core/foundation/Session.h"
#include "core/foundation/TalvexaDir.h"
#include "core/foundation/databaseInfo.h"
#include "core/store/ComapnyInfo.h"
#include "core/store/CompanyDatabase.h"
#include "core/store/DatabaseHolder.h"
#include "core/store/RecipientAdditionalInfo.h"
#include "core/store/RecipientInfo.h"
#include "platform/FileSystem.h"
#include "ui/UiTestHelpers.h"
#include "ui/database/DatabaseFixture.h"
#include "ui/support/ModalLoop.h"
#include "ui/support/QtUserInterface.h"

// Message boxes scripted; the windows that a user answers with more than a button are
// the program's own.
class WindowedSeam : public ScriptedUserInterface {
public:
    std::optional<std::string> chooseOpenFile(const OpenFileRequest& request) override {
        openFileRequests.push_back(request);
        return real.chooseOpenFile(request);
    }
    bool formErrors(const std::vector<std::string>& errors) override { return real.formErrors(errors); }
    int importErrors(const std::vector<std::string>& errors) override { return real.importErrors(errors); }
    int importConflicts(const std::vector<std::string>& names, std::vector<int>& rows) override {
        return real.importConflicts(names, rows);
    }
    int alert(const AlertRequest& request) override { return real.alert(request); }
    bool closeDatabase(bool offerBackup, bool automatic) override { return real.closeDatabase(offerBackup, automatic); }
    bool openRecentDatabase() override { return real.openRecentDatabase(); }

    std::vector<OpenFileRequest> openFileRequests;

private:
    QtUserInterface real;
};

class ImportWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        resetSession();
        seam = std::make_unique<WindowedSeam>();
        const auto dir = openTestConfiguration(home.path());
        ASSERT_TRUE(dir);
        for (const std::string& folder : {dir->GetAutoBackupsDir(), dir->GetReportsDir()})
            ASSERT_TRUE(platform::createDirectories(folder));
        Session& s = session();
        s.loginInfo = std::make_shared<Login_Info>();
        s.loginInfo->setUserType(1);
    }

    void TearDown() override {
        if (cdb()->IsReady()) cdb()->Close();
        app()->Close();
        EXPECT_TRUE(seam->allAnswersUsed()) << "message box answers left over";
        EXPECT_TRUE(script.allUsed()) << "window answers left over";
        seam.reset();
        resetSession();
    }

    std::shared_ptr<AppDatabase> app() { return session().DBH->appDatabase(); }
    std::shared_ptr<CompanyDatabase> cdb() { return session().DBH->companyDatabase(); }
    std::string yearFolder() const { return session().configDir->GetDir(); }

    // Makes, lists and opens a company database with the given payers (keys 0, 1, ...),
    // recorded as the recent one; its path.
    std::string openCompany(const std::string& name, const std::vector<std::string>& payers) {
        const std::string path = yearFolder() + name + " 2025.db";
        EXPECT_TRUE(cdb()->Init(path, true, true, true, name));
        EXPECT_TRUE(cdb()->SetName(name));
        EXPECT_TRUE(cdb()->SetYear(2025));
        for (const std::string& payer : payers) {
            ComapnyInfo c;
            c.setName(payer);
            EXPECT_TRUE(cdb()->insertCompanyInfo(c));
        }
        const databaseInfo entry(name, path, 2025, false, name);
        EXPECT_TRUE(app()->InsertDatabaseInfo(entry));
        EXPECT_TRUE(app()->SetRecentDatabaseInfo(entry));
        return path;
    }

    // A recipient of the payer, as the entry windows store it; its key.
    int32_t storeRecipient(int32_t payer, int32_t kind, const std::string& business, const std::string& tin) {
        RecipientInfo r;
        r.setCompany_FK(payer);
        r.setType(kind);
        r.setLastName(business);
        r.setTaxID(tin);
        r.setValidated(true);
        RecipientAdditionalInfo a;
        a.setCompany_FK(payer);
        a.setType(kind);
        a.setname_typee("Business Name");
        EXPECT_TRUE(cdb()->insertRecipientInfo(r, a));
        return cdb()->getRecipientPK();
    }

    // Writes an import file into the home folder; its path.
    std::string writeFile(const std::string& name, const std::string& text) {
        const std::string path = home.file(name);
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }

    // ---- driving the windows as a user does ----
    template <class T = QWidget>
    static T* w(QWidget& window, const char* name) {
        return uitest::child<T>(window, name);
    }
    static QTableView* table(QWidget& window, const char* name) { return w<QTableView>(window, name); }
    static bool enabled(QWidget& window, const char* name) { return w(window, name)->isEnabled(); }

    // Selects rows as clicks with the command key do (none: clears the selection).
    static void select(QTableView* view, const std::vector<int>& rows) {
        QItemSelection selection;
        for (int row : rows) selection.select(view->model()->index(row, 0), view->model()->index(row, 0));
        view->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    }
    static void doubleClick(QTableView* view, int row) { emit view->doubleClicked(view->model()->index(row, 0)); }
    static std::vector<int> selectedRows(QTableView* view) {
        std::vector<int> rows;
        for (const QModelIndex& i : view->selectionModel()->selectedRows()) rows.push_back(i.row());
        std::sort(rows.begin(), rows.end());
        return rows;
    }
    static std::vector<std::string> rowsOf(QTableView* view) {
        std::vector<std::string> out;
        for (int row = 0; row < view->model()->rowCount(); ++row)
            out.push_back(view->model()->index(row, 0).data().toString().toStdString());
        return out;
    }
    static void check(QWidget& window, const char* radio) { w<QRadioButton>(window, radio)->click(); }

    TempHome home;
    std::unique_ptr<WindowedSeam> seam;
    ModalScript script;
};
