#pragma once

// A main window over a company database that each test fills itself.

#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QToolButton>

#include <algorithm>

#include "PayerRows.h"
#include "ScriptedUserInterface.h"
#include "ui/UiTestHelpers.h"
#include "TempHome.h"
#include "core/foundation/AppDatabase.h"
#include "core/foundation/Login_Info.h"
#include "core/foundation/Session.h"
#include "core/foundation/databaseInfo.h"
#include "core/store/ComapnyInfo.h"
#include "core/store/Company.h"
#include "core/store/CompanyDatabase.h"
#include "core/store/DatabaseHolder.h"
#include "core/store/Recipient.h"
#include "core/store/RecipientAdditionalInfo.h"
#include "core/store/RecipientInfo.h"
#include "ui/main/AppDelegate.h"

// One recipient as the test writes it: kind code, first name, name line (the business
// name of a business), surname, and whether it is a business.
struct Person {
    int32_t kind;
    std::string first;
    std::string nameLine;
    std::string surname;
    bool business = false;
};

// Status flags of a recipient written by the test.
struct Flags {
    bool printed = false, completed = false, validated = false, voided = false, corrected = false;
};

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        resetSession();
        scripted = std::make_unique<ScriptedUserInterface>();
        session().DBH = std::make_shared<DatabaseHolder>();
        ASSERT_TRUE(app()->Init(home.file("Talvexa_1099_2025.db"), false));
        session().loginInfo = std::make_shared<Login_Info>();
        session().loginInfo->setUserType(1);
        window = std::make_unique<AppDelegate>();
    }
    void TearDown() override {
        window.reset();
        if (cdb()->IsReady()) cdb()->Close();
        app()->Close();
        EXPECT_TRUE(scripted->allAnswersUsed());
        scripted.reset();
        resetSession();
    }

    std::shared_ptr<AppDatabase> app() { return session().DBH->appDatabase(); }
    std::shared_ptr<CompanyDatabase> cdb() { return session().DBH->companyDatabase(); }

    // Opens (creating) a company database file and shows it in the window.
    void openDatabase(const std::string& name = "Acme", const std::string& file = "") {
        const std::string path = file.empty() ? home.file(name + " 2025.db") : file;
        ASSERT_TRUE(cdb()->Init(path, true, true, true, name));
        ASSERT_TRUE(cdb()->SetName(name));
        ASSERT_TRUE(cdb()->SetYear(2025));
    }

    int32_t addRecipient(int32_t payer, const Person& p, Flags flags = {}) {
        RecipientInfo r;
        r.setCompany_FK(payer);
        r.setType(p.kind);
        r.setFirstName(p.first);
        r.setLastName(p.nameLine);
        RecipientAdditionalInfo a;
        a.setCompany_FK(payer);
        a.setType(p.kind);
        a.setlastname(p.surname);
        a.setname_typee(p.business ? "Business Name" : "Individual");
        r.setPrinted(flags.printed);
        r.setCompleted(flags.completed);
        r.setValidated(flags.validated);
        r.setVoided(flags.voided);
        r.setCorrected(flags.corrected);
        a.setPrinted(flags.printed);
        a.setCompleted(flags.completed);
        a.setValidated(flags.validated);
        a.setVoided(flags.voided);
        a.setCorrected(flags.corrected);
        EXPECT_TRUE(cdb()->insertRecipientInfo(r, a));
        return cdb()->getRecipientPK();
    }

    // Fills the company list and shows the open state, as opening a database does.
    void showDatabase() {
        window->FillCompanyList();
        window->Refresh();
    }

    // Selects rows as a click would: the table's own selection signal reaches the window.
    static void userSelect(QTableView* table, const std::vector<int>& rows) {
        QItemSelection selection;
        for (int row : rows) selection.select(table->model()->index(row, 0), table->model()->index(row, 0));
        table->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    }

    // Chooses an item of a pop-up list as the user does.
    static void choose(QComboBox* box, int index) {
        box->setCurrentIndex(index);
        emit box->activated(index);
    }

    std::vector<std::string> companyRows() const { return window->CompanyVec(); }
    std::vector<std::string> recipientRows() const { return window->Recvec(); }
    // The window's controls by object name.
    template <class T = QWidget>
    T* w(const char* name) const {
        return uitest::child<T>(window.get(), name);
    }
    QAction* item(const char* name) const { return w<QAction>(name); }
    QPushButton* button(const char* name) const { return w<QPushButton>(name); }
    QTableView* companies() const { return w<QTableView>("Company_Sel"); }
    QTableView* recipients() const { return w<QTableView>("Recipient_sel"); }
    std::string text(const char* name) const {
        if (auto* label = window->findChild<QLabel*>(QString::fromLatin1(name))) return label->text().toStdString();
        return w<QAbstractButton>(name)->text().toStdString();
    }
    std::string countLine() const { return text("RecipientsOf"); }
    std::vector<int> selectedRows(QTableView* table) const {
        std::vector<int> rows;
        for (const QModelIndex& i : table->selectionModel()->selectedRows()) rows.push_back(i.row());
        std::sort(rows.begin(), rows.end());
        return rows;
    }

    TempHome home;
    std::unique_ptr<ScriptedUserInterface> scripted;
    std::unique_ptr<AppDelegate> window;
};
