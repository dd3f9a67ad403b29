#pragma once

// The main window over a company database that each test fills, and the recipient
// entry windows opened on its selection as the main window's commands will open them.
// Message boxes and the error list are answered by the scripted seam.

#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTableView>

#include "PayerRows.h"
#include "ScriptedUserInterface.h"
#include "ui/UiTestHelpers.h"
#include "TempHome.h"
#include "core/entry/EntryFormTable.h"
#include "core/foundation/AppDatabase.h"
#include "core/foundation/Login_Info.h"
#include "core/foundation/Session.h"
#include "core/store/ComapnyInfo.h"
#include "core/store/Company.h"
#include "core/store/CompanyDatabase.h"
#include "core/store/DatabaseHolder.h"
#include "core/store/Recipient.h"
#include "core/store/RecipientAdditionalInfo.h"
#include "core/store/RecipientInfo.h"
#include "ui/entry/DIVFrame.h"
#include "ui/entry/INTFrame.h"
#include "ui/entry/MISCFrame.h"
#include "ui/entry/NECFrame.h"
#include "ui/entry/RFrame.h"
#include "ui/entry/SFrame.h"
#include "ui/main/AppDelegate.h"

// One of the six windows, with what a test needs to drive it beyond its form table.
struct EntryForm {
    std::string name;
    const entry::EntryFormTable& (*formTable)();
    std::function<RecipientEntryWindow*()> create;
    std::function<RecipientEntryWindow*(AppDelegate&)> kept;   // the main window's reference
    const char *add, *update, *previous, *next, *cancel;
    const char* amount;                  // a box stored through the amount conversion
    std::function<std::string(const RecipientInfo&)> storedAmount;
    // Boxes that a valid recipient of the form must fill, with a valid text.
    std::vector<std::pair<std::string, std::string>> required = {};
};

inline void PrintTo(const EntryForm& f, std::ostream* os) { *os << f.name; }

// The 1099-S property, given by its legal description.
inline const char* const kLegalDescription = "Lot 7 Block 2 Harbor View";

inline std::vector<EntryForm> entryForms() {
    return {
        {"MISC", entry::miscForm, [] { return static_cast<RecipientEntryWindow*>(MISCFrame::create()); },
         [](AppDelegate& m) { return static_cast<RecipientEntryWindow*>(m.Miscframe()); }, "AddRecipient_Button",
         "UpdateRecipient_Button", "Previous_Button", "NextRecipient_Button", "Cancel_button", "Rents_Text",
         [](const RecipientInfo& r) { return r.getLine1_Misc(); }},
        {"NEC", entry::necForm, [] { return static_cast<RecipientEntryWindow*>(NECFrame::create()); },
         [](AppDelegate& m) { return static_cast<RecipientEntryWindow*>(m.NECframe()); }, "AddRecipient_Button",
         "UpdateRecipient_Button", "Previous_Button", "NextRecipient_Button", "Cancel_button",
         "Nonemployeecompansation", [](const RecipientInfo& r) { return r.getLine1_NEC(); }},
        {"INT", entry::intForm, [] { return static_cast<RecipientEntryWindow*>(INTFrame::create()); },
         [](AppDelegate& m) { return static_cast<RecipientEntryWindow*>(m.Int()); }, "Add_Button", "Update_Button",
         "PreiviousText", "NextRecipient_Button", "Cancel_Buton", "InterestIncomeStaticText",
         [](const RecipientInfo& r) { return r.getInt_Line1(); }},
        {"DIV", entry::divForm, [] { return static_cast<RecipientEntryWindow*>(DIVFrame::create()); },
         [](AppDelegate& m) { return static_cast<RecipientEntryWindow*>(m.Div()); }, "Add_Recipient", "Update",
         "Previous", "NextRecipient", "Cancel_Button", "TotalOrdinaryStaticText",
         [](const RecipientInfo& r) { return r.getDiv_Line1a(); }},
        {"R", entry::rForm, [] { return static_cast<RecipientEntryWindow*>(RFrame::create()); },
         [](AppDelegate& m) { return static_cast<RecipientEntryWindow*>(m.Rframe()); }, "Add_Button",
         "Update_Button", "Previous_button", "NextRecipient_Button", "Cancel_Button", "GrossDistributeStaticText",
         [](const RecipientInfo& r) { return r.getR_Line1(); }},
        {"S", entry::sForm, [] { return static_cast<RecipientEntryWindow*>(SFrame::create()); },
         [](AppDelegate& m) { return static_cast<RecipientEntryWindow*>(m.Sframe()); }, "Add_Button",
         "Update_Button", "Previous_Button", "NextRecipient_Button", "Cancel_Button", "GrossProceedStaticText",
         [](const RecipientInfo& r) { return r.getS_Line2(); }, {{"InfoAddressStaticText", kLegalDescription}}},
    };
}

// A stored recipient as a test writes it.
struct Person {
    std::string first;
    std::string surname;
    std::string taxID;
    bool business = false;
    std::string businessName = {};
};

class EntryWindowTest : public ::testing::Test {
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
    }
    void TearDown() override {
        main.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        if (cdb()->IsReady()) cdb()->Close();
        session().DBH->appDatabase()->Close();
        EXPECT_TRUE(scripted->allAnswersUsed());
        scripted.reset();
        resetSession();
    }

    std::shared_ptr<CompanyDatabase> cdb() { return session().DBH->companyDatabase(); }

    // A valid recipient of the payer, stored as the windows store one.
    int32_t addRecipient(int32_t payer, int32_t kind, const Person& p) {
        RecipientInfo r;
        r.setCompany_FK(payer);
        r.setType(kind);
        r.setFirstName(p.first);
        r.setLastName(p.business ? p.businessName : cdb()->getCompanyInfo1(payer).getName());
        r.setTaxID(p.taxID);
        r.setAddress("1 Main St");
        r.setCity("Springfield");
        r.setState("Illinois-IL");
        r.setZip("62701");
        r.setCountry("US");
        if (kind == 5) r.setS_Address_Line3(kLegalDescription);
        RecipientAdditionalInfo a;
        a.setCompany_FK(payer);
        a.setType(kind);
        a.setlastname(p.surname);
        a.setname_typee(p.business ? "Business Name" : "Individual");
        a.settin_type(p.business ? "EIN" : "SSN");
        EXPECT_TRUE(cdb()->insertRecipientInfo(r, a));
        return r.getPK();
    }

    // The payers listed and the given one selected in the main window, as a click does.
    void selectPayer(int32_t payer) {
        main->FillCompanyList();
        main->Refresh();
        auto* table = main->findChild<QTableView*>(QStringLiteral("Company_Sel"));
        for (size_t row = 0; row < main->Company_PTL().size(); ++row)
            if (main->Company_PTL()[row].companyPK() == payer) userSelect(table, static_cast<int>(row));
        ASSERT_EQ(session().comp_details->selectedCompanies(), std::vector<int32_t>{payer});
    }

    // The payer and one of its recipients selected, in edit mode.
    void selectRecipient(int32_t payer, int32_t key) {
        selectPayer(payer);
        auto* table = main->findChild<QTableView*>(QStringLiteral("Recipient_sel"));
        for (size_t row = 0; row < main->Recipient_PTL().size(); ++row)
            if (main->Recipient_PTL()[row].recipientPK() == key) userSelect(table, static_cast<int>(row));
        session().recp_details->setModeToEdit();
        ASSERT_EQ(session().recp_details->selectedRecipients(), std::vector<int32_t>{key});
    }

    void newMode() { session().recp_details->setModeToNew(); }

    static void userSelect(QTableView* table, int row) {
        const QModelIndex index = table->model()->index(row, 0);
        table->selectionModel()->select(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    }

    // The main window's selected recipient rows, as keys.
    std::vector<int32_t> mainWindowSelection() const {
        std::vector<int32_t> keys;
        auto* table = main->findChild<QTableView*>(QStringLiteral("Recipient_sel"));
        for (const QModelIndex& i : table->selectionModel()->selectedRows())
            keys.push_back(main->Recipient_PTL()[static_cast<size_t>(i.row())].recipientPK());
        return keys;
    }

    // Lets windows closed with WA_DeleteOnClose go.
    static void settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    // ---- the window's controls ----
    static QLineEdit* field(RecipientEntryWindow* w, entry::Role role) {
        return qobject_cast<QLineEdit*>(w->control(w->formTable().fields[w->formTable().indexOf(role)].outlet));
    }
    static QLineEdit* field(RecipientEntryWindow* w, const std::string& outlet) {
        return qobject_cast<QLineEdit*>(w->control(outlet));
    }
    template <class T>
    static T* role(RecipientEntryWindow* w, entry::Role r) {
        return qobject_cast<T*>(w->control(w->formTable().fields[w->formTable().indexOf(r)].outlet));
    }

    // Types the text into the field as keystrokes, after what it holds.
    static void typeText(QLineEdit* edit, const QString& text) {
        edit->setFocus();
        edit->end(false);
        keystrokes(edit, text);
    }
    static void keystrokes(QLineEdit* edit, const QString& text) {
        for (QChar c : text) {
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
            QApplication::sendEvent(edit, &press);
            QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
            QApplication::sendEvent(edit, &release);
        }
    }
    // Replaces the field's text as the user does: select all, type.
    static void retype(QLineEdit* edit, const QString& text) {
        edit->setFocus();
        edit->selectAll();
        if (text.isEmpty()) {
            QKeyEvent del(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier);
            QApplication::sendEvent(edit, &del);
        } else {
            keystrokes(edit, text);
        }
        emit edit->editingFinished();
    }
    static void paste(QLineEdit* edit, const QString& text) {
        QApplication::clipboard()->setText(text);
        edit->setFocus();
        edit->end(false);
        edit->paste();
    }
    static void choose(QComboBox* box, int index) {
        box->setCurrentIndex(index);
        emit box->activated(index);
    }
    static void choose(QComboBox* box, const QString& title) { choose(box, box->findText(title)); }
    static void press(QWidget* target, Qt::Key k, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QKeyEvent press(QEvent::KeyPress, k, modifiers);
        QApplication::sendEvent(target, &press);
    }

    // Fills the identity and address of a new individual recipient.
    static void enterIndividual(RecipientEntryWindow* w, const QString& first, const QString& surname,
                                const QString& taxID) {
        using entry::Role;
        retype(field(w, Role::FirstName), first);
        retype(field(w, Role::Surname), surname);
        retype(field(w, Role::TaxID), taxID);
        retype(field(w, Role::Address), QStringLiteral("742 Evergreen Terrace"));
        retype(field(w, Role::City), QStringLiteral("Springfield"));
        choose(role<QComboBox>(w, Role::AddressState), QStringLiteral("Oregon-OR"));
        const auto& formTable = w->formTable();
        for (size_t i = 0; i < formTable.fields.size(); ++i) {
            const entry::Check check = formTable.fields[i].check;
            if (check == entry::Check::Zip || check == entry::Check::ZipEvenForeign)
                retype(field(w, formTable.fields[i].outlet), "97403");
            if (check == entry::Check::Country) retype(field(w, formTable.fields[i].outlet), "United States");
        }
        for (const EntryForm& form : entryForms())
            if (form.formTable().kind == formTable.kind)
                for (const auto& [outlet, text] : form.required) retype(field(w, outlet), QString::fromStdString(text));
    }

    static bool isInvalid(QWidget* w) { return w->property("invalid").toBool(); }


    // Expects the next message box; answers it with code.
    void answer(int code = 2) { scripted->answerBox(code); }
    std::vector<std::string> boxTexts() const {
        std::vector<std::string> texts;
        for (const auto& b : scripted->boxes()) texts.push_back(b.details);
        return texts;
    }

    TempHome home;
    std::unique_ptr<ScriptedUserInterface> scripted;
    std::unique_ptr<AppDelegate> main;
};

// The same test for each of the six windows.
class EveryEntryWindow : public EntryWindowTest, public ::testing::WithParamInterface<EntryForm> {
protected:
    RecipientEntryWindow* open() {
        RecipientEntryWindow* w = GetParam().create();
        if (w) w->show();
        return w;
    }
    QPushButton* button(RecipientEntryWindow* w, const char* name) { return uitest::child<QPushButton>(w, name); }
    QPushButton* addButton(RecipientEntryWindow* w) { return button(w, GetParam().add); }
    QPushButton* updateButton(RecipientEntryWindow* w) { return button(w, GetParam().update); }
    QPushButton* previousButton(RecipientEntryWindow* w) { return button(w, GetParam().previous); }
    QPushButton* nextButton(RecipientEntryWindow* w) { return button(w, GetParam().next); }
    int32_t kind() const { return GetParam().formTable().kind; }
};
