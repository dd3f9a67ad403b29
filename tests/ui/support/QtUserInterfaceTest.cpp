#include <gtest/gtest.h>

#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

#include "TempHome.h"
#include "core/foundation/AppDatabase.h"
#include "core/foundation/Session.h"
#include "core/store/CompanyDatabase.h"
#include "core/store/DatabaseHolder.h"
#include "ui/UiTestHelpers.h"
#include "ui/support/DatabaseAlert.h"
#include "ui/support/FileChoosers.h"
#include "ui/support/ModalLoop.h"
#include "ui/support/QtUserInterface.h"

namespace {

QPushButton* buttonTitled(QWidget& w, const QString& title) {
    for (auto* b : w.findChildren<QPushButton*>())
        if (b->text() == title) return b;
    ADD_FAILURE() << "no button " << title.toStdString();
    return nullptr;
}

AlertRequest yearWarning() {
    AlertRequest alert;
    alert.icon = AlertIcon::Prompt;
    alert.title = "Start New Year";
    alert.message = "The year is not 2024.";
    alert.informative = "Go on anyway?";
    alert.buttons = {"Yes", "No"};
    return alert;
}

TEST(SeamAlert, ShowsTheRequestAndAnswersWithTheButtonsPosition) {
    QtUserInterface ui;
    for (int pressed : {0, 1}) {
        ScopedModalResponder responder([&](QWidget& w) {
            auto* box = qobject_cast<QMessageBox*>(&w);
            ASSERT_NE(box, nullptr);
            EXPECT_EQ(w.objectName().toStdString(), kDatabaseAlertName);
            EXPECT_EQ(box->windowTitle(), "Start New Year");
            EXPECT_EQ(box->text(), "The year is not 2024.");
            EXPECT_EQ(box->informativeText(), "Go on anyway?");
            EXPECT_EQ(box->defaultButton(), buttonTitled(w, "Yes"));
            buttonTitled(w, pressed == 0 ? "Yes" : "No")->click();
        });
        EXPECT_EQ(ui.alert(yearWarning()), kAlertFirstButtonCode + pressed);
    }
    EXPECT_EQ(kAlertSecondButtonCode, kAlertFirstButtonCode + 1);
}

TEST(SeamAlert, TheReturnKeyPressesTheButtonTheCallerNames) {
    QtUserInterface ui;
    AlertRequest alert = yearWarning();
    alert.returnButton = 1;
    ScopedModalResponder responder([&](QWidget& w) {
        EXPECT_EQ(static_cast<QMessageBox&>(w).defaultButton(), buttonTitled(w, "No"));
        uitest::key(w, Qt::Key_Return);
    });
    EXPECT_EQ(ui.alert(alert), kAlertSecondButtonCode);
}

TEST(SeamOpenFile, OffersOneTypeAndAnswersALocalPath) {
    TempHome home;
    QtUserInterface ui;
    const std::string path = home.file("Payers %20 & Co.txt");
    ScopedModalResponder responder([&](QWidget& w) {
        auto* dialog = qobject_cast<QFileDialog*>(&w);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(w.objectName().toStdString(), kOpenChooserName);
        EXPECT_EQ(dialog->windowTitle(), "Choose the file to import");
        EXPECT_EQ(dialog->nameFilters(), QStringList{"Text File (*.csv)"});
        EXPECT_EQ(dialog->fileMode(), QFileDialog::ExistingFile);
        answerFileChooser(w, path);
    });
    EXPECT_EQ(ui.chooseOpenFile(OpenFileRequest{"Choose the file to import", "csv", "Text File", {}}), path);
}

TEST(SeamOpenFile, CancelAnswersNothing) {
    QtUserInterface ui;
    ScopedModalResponder responder([](QWidget& w) {
        EXPECT_EQ(static_cast<QFileDialog&>(w).nameFilters(), QStringList{"*.db"});
        cancelFileChooser(w);
    });
    EXPECT_EQ(ui.chooseOpenFile(OpenFileRequest{"Locate", "db", "", {}}), std::nullopt);
}

TEST(SeamMainWindowHooks, WithoutAMainWindowTheDatabaseIsClosedAndNothingReopened) {
    TempHome home;
    resetSession();
    session().DBH = std::make_shared<DatabaseHolder>();
    auto company = session().DBH->companyDatabase();
    ASSERT_TRUE(company->Init(home.file("Acme 2025.db"), true, true, true, "Acme"));
    QtUserInterface ui;
    EXPECT_TRUE(ui.closeDatabase(false, false));
    EXPECT_FALSE(company->IsReady());
    EXPECT_FALSE(ui.openRecentDatabase());
    resetSession();
}

}  // namespace
