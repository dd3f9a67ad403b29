#pragma once

// The main window over a company database "Acme" (listed in the configuration
// database) that each test fills, and the means to drive the record commands: rows
// selected as a click selects them, modal dialogs answered by a responder, message
// boxes and the error list by the scripted seam.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

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
#include "ui/support/ModalLoop.h"

class RecordsTest : public ::testing::Test {
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
        path = home.file("Acme 2025.db");
        ASSERT_TRUE(cdb()->Init(path, true, true, true, "Acme"));
        ASSERT_TRUE(cdb()->SetName("Acme"));
        ASSERT_TRUE(cdb()->SetYear(2025));
        ASSERT_TRUE(app()->InsertDatabaseInfo(databaseInfo("Acme", path, 2025, false, "")));
    }
    void TearDown() override {
        main.reset();
        settle();
        if (cdb()->IsReady()) cdb()->Close();
        app()->Close();
        EXPECT_TRUE(scripted->allAnswersUsed());
        scripted.reset();
        resetSession();
    }

    std::shared_ptr<AppDatabase> app() { return session().DBH->appDatabase(); }
    std::shared_ptr<CompanyDatabase> cdb() { return session().DBH->companyDatabase(); }

    int32_t addRecipient(int32_t payer, int32_t kind, const std::string& first, const std::string& surname,
                         const std::string& taxID = "") {
        return addRecipientTo(*cdb(), payer, kind, first, surname, taxID);
    }
    static int32_t addRecipientTo(CompanyDatabase& db, int32_t payer, int32_t kind, const std::string& first,
                                  const std::string& surname, const std::string& taxID) {
        RecipientInfo r;
        r.setCompany_FK(payer);
        r.setType(kind);
        r.setFirstName(first);
        r.setLastName(db.getCompanyInfo1(payer).getName());
        r.setTaxID(taxID);
        r.setAddress("1 Main St");
        r.setCity("Springfield");
        r.setState("Illinois-IL");
        r.setZip("62701");
        RecipientAdditionalInfo a;
        a.setCompany_FK(payer);
        a.setType(kind);
        a.setlastname(surname);
        a.setname_typee("Individual");
        a.settin_type("SSN");
        EXPECT_TRUE(db.insertRecipientInfo(r, a));
        return r.getPK();
    }

    // ---- the main window ----
    QTableView* companies() const { return main->findChild<QTableView*>(QStringLiteral("Company_Sel")); }
    QTableView* recipients() const { return main->findChild<QTableView*>(QStringLiteral("Recipient_sel")); }
    QPushButton* mainButton(const char* name) const {
        auto* b = main->findChild<QPushButton*>(QString::fromLatin1(name));
        EXPECT_NE(b, nullptr) << name;
        return b;
    }

    // Lists the payers and selects the given ones as a click does.
    void selectPayers(const std::vector<int32_t>& keys) {
        main->FillCompanyList();
        main->Refresh();
        userSelect(companies(), [&] {
            std::vector<int> rows;
            for (size_t row = 0; row < main->Company_PTL().size(); ++row)
                for (int32_t key : keys)
                    if (main->Company_PTL()[row].companyPK() == key) rows.push_back(static_cast<int>(row));
            return rows;
        }());
        ASSERT_EQ(session().comp_details->selectedCompanies().size(), keys.size());
    }
    void selectPayer(int32_t key) { selectPayers({key}); }

    // Selects the listed recipients of the given keys as a click does.
    void selectRecipients(const std::vector<int32_t>& keys) {
        std::vector<int> rows;
        for (size_t row = 0; row < main->Recipient_PTL().size(); ++row)
            for (int32_t key : keys)
                if (main->Recipient_PTL()[row].recipientPK() == key) rows.push_back(static_cast<int>(row));
        userSelect(recipients(), rows);
        ASSERT_EQ(session().recp_details->selectedRecipients().size(), keys.size());
    }

    static void userSelect(QTableView* table, const std::vector<int>& rows) {
        QItemSelection selection;
        for (int row : rows) selection.select(table->model()->index(row, 0), table->model()->index(row, 0));
        table->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    }

    // The listed recipients' keys, in list order.
    std::vector<int32_t> listedRecipients() const {
        std::vector<int32_t> keys;
        for (const auto& row : main->Recipient_PTL()) keys.push_back(row.recipientPK());
        return keys;
    }
    std::vector<int32_t> selectedRecipientRows() const {
        std::vector<int32_t> keys;
        for (const QModelIndex& i : recipients()->selectionModel()->selectedRows())
            keys.push_back(main->Recipient_PTL()[static_cast<size_t>(i.row())].recipientPK());
        return keys;
    }

    // ---- windows ----
    static void click(QWidget* w, const char* button) { uitest::press(*w, button); }
    // Escape, or the window's close box.
    static void escape(QWidget* w) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(w, &press);
    }

    // Types text into the field as keystrokes, after what it holds.
    static void typeText(QLineEdit* edit, const QString& text) {
        edit->setFocus();
        edit->end(false);
        for (QChar c : text) {
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
            QApplication::sendEvent(edit, &press);
        }
    }
    // Replaces the field's text as the user does: select all, type, leave the field.
    static void retype(QLineEdit* edit, const QString& text) {
        edit->setFocus();
        edit->selectAll();
        if (text.isEmpty()) {
            QKeyEvent del(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier);
            QApplication::sendEvent(edit, &del);
        } else {
            for (QChar c : text) {
                QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
                QApplication::sendEvent(edit, &press);
            }
        }
        emit edit->editingFinished();
    }
    static void choose(QComboBox* box, const QString& title) {
        const int index = box->findText(title);
        ASSERT_GE(index, 0) << title.toStdString();
        box->setCurrentIndex(index);
        emit box->activated(index);
    }

    // Lets windows closed with WA_DeleteOnClose go.
    static void settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }


    static bool isInvalid(QWidget* w) { return w->property("invalid").toBool(); }

    // The message boxes shown so far, as their details texts.
    std::vector<std::string> boxTexts() const {
        std::vector<std::string> texts;
        for (const auto& b : scripted->boxes()) texts.push_back(b.details);
        return texts;
    }
    // The names of the modal windows a responder has seen.
    std::vector<std::string> modalWindows;
    // Installs a responder that notes each window and hands it to `answer`.
    std::unique_ptr<ScopedModalResponder> respond(std::function<void(QWidget&)> answer) {
        return std::make_unique<ScopedModalResponder>([this, answer](QWidget& w) {
            modalWindows.push_back(w.objectName().toStdString());
            answer(w);
        });
    }

    TempHome home;
    std::unique_ptr<ScriptedUserInterface> scripted;
    std::unique_ptr<AppDelegate> main;
    std::string path;
};
