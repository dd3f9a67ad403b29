#pragma once

// The main window over a company database that each test fills, and the IRIS payer
// window opened on its selection. Message boxes and the error list are answered by the
// scripted seam; the save panels and the help window by the modal responder.

#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

#include "IrisCsv.h"
#include "PayerRows.h"
#include "ScriptedUserInterface.h"
#include "ui/UiTestHelpers.h"
#include "TempHome.h"
#include "core/foundation/AppDatabase.h"
#include "core/foundation/Login_Info.h"
#include "core/foundation/MessageBoxCodes.h"
#include "core/foundation/Session.h"
#include "core/store/ComapnyInfo.h"
#include "core/store/Company.h"
#include "core/store/CompanyDatabase.h"
#include "core/store/DatabaseHolder.h"
#include "core/store/Recipient.h"
#include "core/store/RecipientAdditionalInfo.h"
#include "core/store/RecipientInfo.h"
#include "ui/efile/AdditionalPayersInformation.h"
#include "ui/main/AppDelegate.h"
#include "ui/support/FileChoosers.h"
#include "ui/support/HandOffs.h"
#include "ui/support/ModalLoop.h"

using Window = AdditionalPayersInformation;

class IrisWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        resetSession();
        scripted = std::make_unique<ScriptedUserInterface>();
        session().DBH = std::make_shared<DatabaseHolder>();
        ASSERT_TRUE(session().DBH->appDatabase()->Init(home.file("Talvexa_1099_2025.db"), false));
        session().loginInfo = std::make_shared<Login_Info>();
        session().loginInfo->setUserType(1);
        main = std::make_unique<AppDelegate>();
        ASSERT_TRUE(cdb()->Init(home.file("Acme 2025.db"), true, true, true, "Acme"));
        handOffs() = HandOffs{};
        handOffs().runIrisWindow = &Window::runFromMainWindow;
        responder = std::make_unique<ScopedModalResponder>([this](QWidget& w) { respond(w); });
        exportFolder = home.file("Documents/IRIS");
        QDir().mkpath(QString::fromStdString(exportFolder));
    }
    void TearDown() override {
        responder.reset();
        handOffs() = HandOffs{};
        main.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        if (cdb()->IsReady()) cdb()->Close();
        session().DBH->appDatabase()->Close();
        EXPECT_TRUE(scripted->allAnswersUsed());
        EXPECT_TRUE(saveAnswers.empty()) << "save panels expected but not shown: " << saveAnswers.size();
        scripted.reset();
        resetSession();
    }

    std::shared_ptr<CompanyDatabase> cdb() { return session().DBH->companyDatabase(); }

    // A payer whose IRIS data pass every check (an individual).
    static ComapnyInfo validPayer(const std::string& name) {
        ComapnyInfo c;
        c.setName(name);
        c.setTaxID1("123-45-6789");
        c.setAddress1("500 Commerce Way");
        c.setCity1("Columbus");
        c.setState1("Ohio-OH");
        c.setZip1("43215");
        c.setPhone1("6145550100");
        c.setPayernametype("Individual");
        c.setPayertintype("SSN");
        c.setPayerfirstname("Ann");
        c.setPayerlastname("Lee");
        c.setPayerbussinessadd2("Suite 100");
        c.setpayercountry("United States");
        c.setPayerphone_type("Domestic");
        for (auto set : {&ComapnyInfo::setmisctype, &ComapnyInfo::setdivtype, &ComapnyInfo::setinttype,
                         &ComapnyInfo::setrtype, &ComapnyInfo::setstype, &ComapnyInfo::setnectype})
            (c.*set)("IRIS");
        return c;
    }

    int32_t addRecipient(int32_t payer, int32_t kind, const std::string& surname, const std::string& amount = "100.00") {
        RecipientInfo r;
        r.setCompany_FK(payer);
        r.setType(kind);
        r.setFirstName("Pat");
        r.setLastName("Name line");
        r.setTaxID("987-65-4321");
        r.setAddress("1 Main St");
        r.setCity("Springfield");
        r.setState("Illinois-IL");
        r.setZip("62701");
        r.setCountry("US");
        r.setLine1_NEC(amount);
        r.setLine1_Misc(amount);
        RecipientAdditionalInfo a;
        a.setCompany_FK(payer);
        a.setType(kind);
        a.setlastname(surname);
        a.setname_typee("Individual");
        a.settin_type("SSN");
        EXPECT_TRUE(cdb()->insertRecipientInfo(r, a));
        return r.getPK();
    }

    // The main window shows the payers with the given keys selected, the form filter on
    // the kind (AllForms index: 1 to 5 for kinds 1 to 5, 6 for 1099-NEC) and every
    // listed recipient selected, as the user selects them.
    void selectInMainWindow(const std::vector<int32_t>& payers, int formIndex = 6) {
        main->FillCompanyList();
        main->Refresh();
        auto* companies = main->findChild<QTableView*>(QStringLiteral("Company_Sel"));
        std::vector<int> rows;
        for (size_t row = 0; row < main->Company_PTL().size(); ++row)
            for (int32_t key : payers)
                if (main->Company_PTL()[row].companyPK() == key) rows.push_back(static_cast<int>(row));
        userSelect(companies, rows);
        auto* forms = main->findChild<QComboBox*>(QStringLiteral("AllForms"));
        forms->setCurrentIndex(formIndex);
        emit forms->activated(formIndex);
        std::vector<int> all(main->Recipient_PTL().size());
        for (size_t i = 0; i < all.size(); ++i) all[i] = static_cast<int>(i);
        userSelect(main->findChild<QTableView*>(QStringLiteral("Recipient_sel")), all);
        main->Refresh();
    }

    static void userSelect(QTableView* table, const std::vector<int>& rows) {
        QItemSelection selection;
        for (int row : rows) selection.select(table->model()->index(row, 0), table->model()->index(row, 0));
        table->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    }

    // ---- running the window ----

    // Runs the payer window modally; act drives it and must end its run. Returns the
    // run's end code.
    int run(std::function<void(Window&)> act) {
        Window window(main.get());
        windowAct = std::move(act);
        const int code = runModal(&window);
        windowAct = {};
        return code;
    }

    void respond(QWidget& w) {
        const QString name = w.objectName();
        if (name == QLatin1String("AdditionalPayersInformation") && windowAct) {
            auto act = std::move(windowAct);
            windowAct = {};
            act(static_cast<Window&>(w));
        } else if (name == QLatin1String(kSaveChooserName)) {
            auto* dialog = qobject_cast<QFileDialog*>(&w);
            const QStringList selected = dialog ? dialog->selectedFiles() : QStringList();
            proposedNames.push_back(selected.isEmpty() ? std::string() : QFileInfo(selected.first()).fileName().toStdString());
            panelFolders.push_back(dialog ? dialog->directory().absolutePath().toStdString() : std::string());
            if (saveAnswers.empty()) {
                ADD_FAILURE() << "unexpected save panel";
                cancelFileChooser(w);
                return;
            }
            const std::optional<std::string> answer = saveAnswers.front();
            saveAnswers.pop_front();
            if (answer)
                answerFileChooser(w, *answer);
            else
                cancelFileChooser(w);
        } else if (name == QLatin1String("HowtoIRIS") && helpAct) {
            helpAct(w);
        } else {
            ADD_FAILURE() << "unexpected window " << name.toStdString();
        }
    }

    // The next save panel is answered with the path (in the export folder unless
    // absolute), or cancelled.
    void saveAs(const std::string& name) { saveAnswers.push_back(name.front() == '/' ? name : exportFolder + "/" + name); }
    void cancelPanel() { saveAnswers.push_back(std::nullopt); }

    // ---- the window's controls ----
    static QLineEdit* edit(QWidget& w, const char* name) { return uitest::child<QLineEdit>(w, name); }
    static QPushButton* button(QWidget& w, const char* name) { return uitest::child<QPushButton>(w, name); }
    static QComboBox* popUp(QWidget& w, const char* name) { return uitest::child<QComboBox>(w, name); }
    static bool isInvalid(QWidget* w) { return w->property("invalid").toBool(); }

    static void keystrokes(QLineEdit* e, const QString& text) {
        for (QChar c : text) {
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
            QApplication::sendEvent(e, &press);
            QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
            QApplication::sendEvent(e, &release);
        }
    }
    // Types after what the field holds.
    static void typeText(QLineEdit* e, const QString& text) {
        e->setFocus();
        e->end(false);
        keystrokes(e, text);
    }
    // Replaces the field's text as the user does (select all, type) and ends the editing.
    static void retype(QLineEdit* e, const QString& text) {
        e->setFocus();
        e->selectAll();
        if (text.isEmpty()) {
            QKeyEvent del(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier);
            QApplication::sendEvent(e, &del);
        } else {
            keystrokes(e, text);
        }
        emit e->editingFinished();
    }
    static void backspace(QLineEdit* e) {
        e->setFocus();
        e->end(false);
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier);
        QApplication::sendEvent(e, &press);
    }
    // A key pressed in the window's focus widget (or the window).
    static void key(QWidget& w, Qt::Key k) {
        QWidget* target = w.focusWidget() ? w.focusWidget() : &w;
        QKeyEvent press(QEvent::KeyPress, k, Qt::NoModifier);
        QApplication::sendEvent(target, &press);
    }
    static void paste(QLineEdit* e, const QString& text) {
        QApplication::clipboard()->setText(text);
        e->setFocus();
        e->end(false);
        e->paste();
    }
    static void choose(QComboBox* box, const QString& title) {
        const int index = box->findText(title);
        ASSERT_GE(index, 0) << title.toStdString();
        box->setCurrentIndex(index);
        emit box->activated(index);
    }


    // The message boxes shown so far, as caption / details / title.
    std::vector<MessageBoxRequest> boxes() const { return scripted->boxes(); }

    // Keeps a file the export wrote under test-output/iris/<Suite.Test>/.
    static std::string keep(const std::string& path) {
        const std::string bytes = iristest::readBytes(path);
        iristest::keepCsv(QFileInfo(QString::fromStdString(path)).fileName().toStdString(), bytes);
        return bytes;
    }

    TempHome home;
    std::unique_ptr<ScriptedUserInterface> scripted;
    std::unique_ptr<AppDelegate> main;
    std::unique_ptr<ScopedModalResponder> responder;
    std::function<void(Window&)> windowAct;
    std::function<void(QWidget&)> helpAct;
    std::deque<std::optional<std::string>> saveAnswers;
    std::vector<std::string> proposedNames;
    std::vector<std::string> panelFolders;
    std::string exportFolder;
};
