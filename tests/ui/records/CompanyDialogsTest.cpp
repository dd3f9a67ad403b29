// The new company dialog (the name of the payer a new database is made with) and the
// delete company dialog behind Delete Company.

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QPointer>

#include "RecordsFixture.h"
#include "core/foundation/MessageBoxCodes.h"
#include "ui/company/CompanyController.h"
#include "ui/company/DeleteCompController.h"
#include "ui/company/NewCompanyFrame.h"

namespace {

class NewCompanyDialog : public RecordsTest {
protected:
    // Runs the dialog with the responder; the end code and the name it gives.
    std::pair<int, std::string> run(std::function<void(QWidget&)> answer) {
        auto responder = respond(std::move(answer));
        NewCompanyFrame dialog(main.get());
        const int code = runModal(&dialog);
        return {code, dialog.GetName()};
    }
    static QLineEdit* name(QWidget& w) { return uitest::child<QLineEdit>(&w, "Comp_Name"); }
    static QPushButton* ok(QWidget& w) { return uitest::child<QPushButton>(&w, "CompName_OK"); }
};

TEST_F(NewCompanyDialog, OkIsOfferedOnlyForANameThatIsNotBlank) {
    const auto [code, given] = run([](QWidget& w) {
        EXPECT_FALSE(ok(w)->isEnabled());
        EXPECT_EQ(uitest::child<QLabel>(&w, "Newcompanyoutlet")->text().toStdString(),
                  "Warning: Please ensure that the entered Company Name is correct. Once you save \nthis "
                  "information, It cannot be modified. Proceed with caution!");
        typeText(name(w), QStringLiteral(" \t "));
        EXPECT_FALSE(ok(w)->isEnabled());
        typeText(name(w), QStringLiteral("Acme"));
        EXPECT_TRUE(ok(w)->isEnabled());
        name(w)->clear();
        EXPECT_FALSE(ok(w)->isEnabled());
        // A 41st typed character is taken back at once.
        typeText(name(w), QString(40, QLatin1Char('a')));
        typeText(name(w), QStringLiteral("b"));
        EXPECT_EQ(name(w)->text(), QString(40, QLatin1Char('a')));
        // Inside the name too: the character before the cursor goes.
        name(w)->setFocus();
        name(w)->setCursorPosition(5);
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QStringLiteral("X"));
        QApplication::sendEvent(name(w), &press);
        EXPECT_EQ(name(w)->text(), QString(40, QLatin1Char('a')));
        click(&w, "CompName_OK");
    });
    EXPECT_EQ(code, NewCompanyFrame::kOKCode);
    EXPECT_EQ(given, std::string(40, 'a'));
}

TEST_F(NewCompanyDialog, OkTrimsTheNameAndCutsItToFortyCharacters) {
    const auto [code, given] = run([](QWidget& w) {
        name(w)->setFocus();
        QApplication::clipboard()->setText(QStringLiteral("  Harbor View Dental LLC\t\n"));
        name(w)->paste();
        EXPECT_TRUE(ok(w)->isEnabled());
        click(&w, "CompName_OK");
    });
    EXPECT_EQ(code, 1000);
    EXPECT_EQ(given, "Harbor View Dental LLC");

    const auto [longCode, longName] = run([](QWidget& w) {
        name(w)->setText(QStringLiteral(" ") + QString(45, QLatin1Char('z')));
        click(&w, "CompName_OK");
        EXPECT_EQ(name(w)->text(), QString(40, QLatin1Char('z')));
    });
    EXPECT_EQ(longCode, 1000);
    EXPECT_EQ(longName, std::string(40, 'z'));

    // Leaving the field trims blanks and tabs; the federal ID is kept as typed, trimmed.
    const auto [idCode, idName] = run([](QWidget& w) {
        retype(name(w), QStringLiteral("  Acme\t"));
        EXPECT_EQ(name(w)->text(), QStringLiteral("Acme"));
        retype(uitest::child<QLineEdit>(&w, "Fed_Id"), QStringLiteral(" 12-3456789 "));
        EXPECT_EQ(static_cast<NewCompanyFrame&>(w).GetFedId(), "12-3456789");
        click(&w, "CompName_OK");
    });
    EXPECT_EQ(idName, "Acme");
}

TEST_F(NewCompanyDialog, CancelAndTheCloseBoxEndWithCancelsCode) {
    const int32_t payer = addPayer("Harbor View Dental LLC");
    selectPayer(payer);
    main->UpdateCompany();
    ASSERT_NE(main->companycontrol(), nullptr);
    QPointer<CompanyController> payerWindow = main->companycontrol();

    for (auto close : std::vector<std::function<void(QWidget&)>>{
             [](QWidget& w) { click(&w, "Cancel_Button"); }, [](QWidget& w) { w.close(); },
             [](QWidget& w) { escape(&w); }}) {
        const auto [code, given] = run([&](QWidget& w) {
            typeText(name(w), QStringLiteral("Acme"));
            close(w);
        });
        EXPECT_EQ(code, NewCompanyFrame::kCancelCode);
        EXPECT_EQ(given, "");
    }
    // The dialog lets go of the main window's payer window reference.
    EXPECT_EQ(main->companycontrol(), nullptr);
    ASSERT_TRUE(payerWindow);
    payerWindow->close();
    settle();

    auto responder = respond([](QWidget& w) {
        typeText(name(w), QStringLiteral("Acme"));
        click(&w, "CompName_OK");
    });
    EXPECT_EQ(NewCompanyFrame::askCompanyName(main.get()), std::optional<std::string>("Acme"));
    auto cancelling = respond([](QWidget& w) { click(&w, "Cancel_Button"); });
    EXPECT_EQ(NewCompanyFrame::askCompanyName(main.get()), std::nullopt);
}

class DeleteCompany : public RecordsTest {
protected:
    std::vector<std::string> listedPayers() const { return main->CompanyVec(); }
    std::vector<int32_t> selectedPayers() const { return session().comp_details->selectedCompanies(); }
};

TEST_F(DeleteCompany, APayerWithoutRecipientsGoesAndOneWithRecipientsStays) {
    const int32_t kept = addPayer("Acme Holdings");
    const int32_t gone = addPayer("Beta Traders");
    addRecipient(kept, 7, "Ann", "Lee");
    selectPayer(gone);
    ASSERT_TRUE(mainButton("DeleteCompany_Button")->isEnabled());

    std::string shown;
    auto responder = respond([&](QWidget& w) {
        shown = uitest::child<QLineEdit>(&w, "Deletecompanytext")->text().toStdString();
        EXPECT_TRUE(uitest::child<QPushButton>(&w, "Confirm_button")->isDefault());
        click(&w, "Confirm_button");
    });
    mainButton("DeleteCompany_Button")->click();
    EXPECT_EQ(shown, "Beta Traders");
    EXPECT_TRUE(session().CompanyDeleted);
    EXPECT_EQ(listedPayers(), std::vector<std::string>{"Acme Holdings"});
    EXPECT_TRUE(selectedPayers().empty());
    EXPECT_EQ(cdb()->getCompanyInfo1(gone).getPK(), -1);

    // The store refuses a payer that still has recipients; the dialog ends the same way.
    selectPayer(kept);
    scripted->answerBox(kMessageAnswerOkYes);
    mainButton("DeleteCompany_Button")->click();
    EXPECT_EQ(shown, "Acme Holdings");
    ASSERT_EQ(scripted->boxes().size(), 1u);
    EXPECT_EQ(scripted->boxes()[0].title, "Company Delete Error");
    EXPECT_FALSE(session().CompanyDeleted);
    EXPECT_EQ(listedPayers(), std::vector<std::string>{"Acme Holdings"});
    EXPECT_EQ(selectedPayers(), std::vector<int32_t>{kept});
    EXPECT_TRUE(mainButton("DeleteCompany_Button")->isEnabled());
    EXPECT_EQ(main->Recvec().size(), 1u);
}

TEST_F(DeleteCompany, CancelAndTheCloseBoxLeaveListAndSelection) {
    addPayer("Acme Holdings");
    const int32_t payer = addPayer("Beta Traders");
    selectPayer(payer);
    for (auto close : std::vector<std::function<void(QWidget&)>>{
             [](QWidget& w) { click(&w, "Cancel_button"); }, [](QWidget& w) { w.close(); },
             [](QWidget& w) { escape(&w); }}) {
        int selection = -1;
        auto responder = respond([&](QWidget& w) {
            close(w);
            selection = static_cast<DeleteCompController&>(w).buttonSelection();
        });
        mainButton("DeleteCompany_Button")->click();
        EXPECT_EQ(selection, 0);
        EXPECT_EQ(listedPayers(), (std::vector<std::string>{"Acme Holdings", "Beta Traders"}));
        EXPECT_EQ(selectedPayers(), std::vector<int32_t>{payer});
        EXPECT_TRUE(mainButton("DeleteCompany_Button")->isEnabled());
        EXPECT_TRUE(mainButton("UpdateCompany_B")->isEnabled());
    }
    EXPECT_EQ(modalWindows.size(), 3u);
}

TEST_F(DeleteCompany, ConfirmDeletesEverySelectedPayerWithoutRecipients) {
    const int32_t a = addPayer("Acme Holdings");
    const int32_t b = addPayer("Beta Traders");
    const int32_t c = addPayer("Cedar Farms");
    addRecipient(c, 1, "Ann", "Lee");
    selectPayers({a, b, c});
    auto responder = respond([](QWidget& w) { click(&w, "Confirm_button"); });
    scripted->answerBox(kMessageAnswerOkYes);   // Cedar Farms still has a recipient
    DeleteCompController dialog(main.get());
    dialog.Getstring("Acme Holdings");
    EXPECT_EQ(runModal(&dialog), DeleteCompController::kConfirmCode);
    EXPECT_EQ(dialog.buttonSelection(), 1);
    EXPECT_EQ(cdb()->getCompanyInfo1(a).getPK(), -1);
    EXPECT_EQ(cdb()->getCompanyInfo1(b).getPK(), -1);
    EXPECT_EQ(cdb()->getCompanyInfo1(c).getPK(), c);
    EXPECT_FALSE(session().CompanyDeleted);   // it tells of the last one asked
}

}  // namespace
