// Every window of the program at its smallest size: it fits a 1366×768 screen with room
// for a title bar and a panel, and no label or button in it is cut. A picture of each
// window at that size is kept under test-output/windows/<Suite.Test>/.

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

#include "ScriptedUserInterface.h"
#include "TempHome.h"
#include "core/foundation/AppDatabase.h"
#include "core/foundation/Login_Info.h"
#include "core/foundation/MessageBoxCodes.h"
#include "core/foundation/Session.h"
#include "core/foundation/databaseInfo.h"
#include "core/store/ComapnyInfo.h"
#include "core/store/Company.h"
#include "core/store/CompanyDatabase.h"
#include "core/store/DatabaseHolder.h"
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

namespace {

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

void PrintTo(const WindowCase& c, std::ostream* os) { *os << c.name; }

class WindowSizes : public ::testing::TestWithParam<WindowCase> {
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
        payer = addPayer();
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
    int32_t addPayer() {
        ComapnyInfo c;
        c.setName("Birch & Sons Construction and Landscapin");   // 40 characters
        c.setAddress1("1200 Northwest Harborview Boulevard Ste 4");
        c.setCity1("South San Francisco");
        c.setState1("Massachusetts-MA");
        c.setZip1("02101-1234");
        c.setPhone1("617-555-0100");
        c.setTaxID1("31-1234567");
        EXPECT_TRUE(cdb()->insertCompanyInfo(c));
        return cdb()->getCompanyPK();
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

std::vector<std::string> manyErrors() {
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

std::vector<WindowCase> windows() {
    std::vector<WindowCase> all = {
        {"AppDelegate", []() { return WindowPtr(nullptr); }},
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

// Where a control is drawn cut: the room it has against the room its text needs.
std::vector<std::string> cutControls(QWidget& window) {
    std::vector<std::string> cut;
    auto describe = [](QWidget* w, QSize has, QSize needs) {
        QString text;
        if (auto* l = qobject_cast<QLabel*>(w)) text = l->text();
        if (auto* b = qobject_cast<QAbstractButton*>(w)) text = b->text();
        return w->objectName().toStdString() + " \"" + text.left(40).toStdString() + "\" has " +
               std::to_string(has.width()) + "x" + std::to_string(has.height()) + ", needs " +
               std::to_string(needs.width()) + "x" + std::to_string(needs.height());
    };
    for (QLabel* label : window.findChildren<QLabel*>()) {
        if (!label->isVisibleTo(&window) || (label->text().isEmpty() && label->pixmap().isNull())) continue;
        if (qobject_cast<ElidedLabel*>(label)) continue;   // draws its text elided on purpose
        if (label->hasScaledContents()) continue;          // a picture drawn at the label's size
        QSize needs = label->sizeHint();
        if (label->wordWrap()) needs = {label->minimumSizeHint().width(), label->heightForWidth(label->width())};
        const QSize has = label->size();
        if (has.width() < needs.width() || has.height() < needs.height()) cut.push_back(describe(label, has, needs));
    }
    for (QAbstractButton* button : window.findChildren<QAbstractButton*>()) {
        if (!button->isVisibleTo(&window)) continue;
        const QSize needs = button->minimumSizeHint();
        const QSize has = button->size();
        if (has.width() < needs.width() || has.height() < needs.height()) cut.push_back(describe(button, has, needs));
    }
    return cut;
}

// Text fields too narrow to show eight characters (an amount such as 9,999.99).
std::vector<std::string> narrowFields(QWidget& window) {
    std::vector<std::string> narrow;
    for (QLineEdit* field : window.findChildren<QLineEdit*>()) {
        if (!field->isVisibleTo(&window) || qobject_cast<QComboBox*>(field->parentWidget())) continue;
        const int needs = field->fontMetrics().horizontalAdvance(QStringLiteral("9,999.99")) + 8;
        if (field->width() < needs)
            narrow.push_back(field->objectName().toStdString() + " is " + std::to_string(field->width()) + " wide, needs " +
                             std::to_string(needs));
    }
    return narrow;
}

// Push buttons that the user cannot see at once: outside the window or scrolled away.
std::vector<std::string> hiddenButtons(QWidget& window) {
    std::vector<std::string> hidden;
    for (QPushButton* button : window.findChildren<QPushButton*>()) {
        if (!button->isVisibleTo(&window)) continue;
        bool scrolled = false;
        for (QWidget* p = button->parentWidget(); p && p != &window; p = p->parentWidget())
            if (qobject_cast<QAbstractScrollArea*>(p)) scrolled = true;
        const QRect where(button->mapTo(&window, QPoint(0, 0)), button->size());
        if (scrolled || !window.rect().contains(where))
            hidden.push_back(button->objectName().toStdString() + " \"" + button->text().toStdString() + "\"");
    }
    return hidden;
}

// A picture of the window under test-output/windows/<Suite.Test>/.
void saveImage(QWidget& w, const QString& name) {
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    QString test = QString::fromUtf8(info->test_suite_name()) + QLatin1Char('.') + QString::fromUtf8(info->name());
    test.replace(QLatin1Char('/'), QLatin1Char('_'));
    const QString folder = QString::fromUtf8(TALVEXA_TEST_OUTPUT_DIR) + QStringLiteral("/windows/") + test;
    QDir().mkpath(folder);
    EXPECT_TRUE(w.grab().save(folder + QLatin1Char('/') + name + QStringLiteral(".png"), "PNG"));
}

TEST_P(WindowSizes, FitsTheScreenAndCutsNothingAtItsSmallestSize) {
    WindowPtr made = GetParam().make();
    QWidget* window = made ? made.get() : main.get();
    ASSERT_NE(window, nullptr);
    EXPECT_NE(window->layout(), nullptr) << "a window without a layout cannot reflow";
    window->show();
    QCoreApplication::processEvents();
    if (window->layout()) window->layout()->activate();
    const QSize smallest = window->minimumSize().expandedTo(window->minimumSizeHint());
    // The windows open at a size that fits as well.
    EXPECT_LE(window->width(), kScreenWidth);
    EXPECT_LE(window->height(), kScreenHeight);
    EXPECT_LE(smallest.width(), kScreenWidth);
    EXPECT_LE(smallest.height(), kScreenHeight);
    window->resize(smallest);
    QCoreApplication::processEvents();
    // Fields that scroll do so up and down only: none is hidden at the side.
    for (FieldsScrollArea* area : window->findChildren<FieldsScrollArea*>())
        EXPECT_LE(area->widget()->width(), area->viewport()->width()) << area->objectName().toStdString();
    for (const std::string& c : cutControls(*window)) ADD_FAILURE() << "cut: " << c;
    for (const std::string& f : narrowFields(*window)) ADD_FAILURE() << "narrow: " << f;
    for (const std::string& b : hiddenButtons(*window)) ADD_FAILURE() << "button out of sight: " << b;
    saveImage(*window, QString::fromStdString(GetParam().name) + QStringLiteral("-smallest"));

    // At the size it asks for, a window shows all its fields without scrolling.
    window->resize(window->sizeHint());
    QCoreApplication::processEvents();
    for (FieldsScrollArea* area : window->findChildren<FieldsScrollArea*>())
        EXPECT_LE(area->widget()->height(), area->viewport()->height()) << area->objectName().toStdString();
}

INSTANTIATE_TEST_SUITE_P(Every, WindowSizes, ::testing::ValuesIn(windows()),
                         [](const auto& test) { return test.param.name; });

}  // namespace

namespace {

// The entry windows at their smallest size: Tab through every field, and each one that
// takes the focus is scrolled into sight.
class FieldsScrolling : public WindowSizes {};

TEST_P(FieldsScrolling, TabBringsEveryFieldIntoSight) {
    WindowPtr window = GetParam().make();
    ASSERT_NE(window, nullptr);
    window->show();
    QCoreApplication::processEvents();
    window->resize(window->minimumSize());
    QCoreApplication::processEvents();
    auto* area = window->findChild<FieldsScrollArea*>(QStringLiteral("FieldsScroll"));
    ASSERT_NE(area, nullptr);
    QApplication::setActiveWindow(window.get());
    int scrolledTo = 0;
    for (int step = 0; step < 120; ++step) {
        QWidget* focus = window->focusWidget();
        ASSERT_NE(focus, nullptr);
        if (area->widget()->isAncestorOf(focus)) {
            // Scrolling follows the text cursor of a field, which may leave a pixel of its
            // frame at the edge.
            const QRect shown = QRect(focus->mapTo(area->viewport(), QPoint(0, 0)), focus->size()).adjusted(0, 2, 0, -2);
            EXPECT_TRUE(area->viewport()->rect().contains(shown))
                << focus->objectName().toStdString() << " at " << shown.y() << " of " << area->viewport()->height();
            scrolledTo = std::max(scrolledTo, area->verticalScrollBar()->value());
        }
        QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
        QApplication::sendEvent(focus, &tab);
    }
    EXPECT_GT(scrolledTo, 0) << "the fields never needed scrolling at the smallest size";
}

std::vector<WindowCase> entryWindows() {
    std::vector<WindowCase> entry;
    for (const WindowCase& c : windows())
        if (c.name.size() > 5 && c.name.compare(c.name.size() - 5, 5, "Frame") == 0 && c.name != "NewCompanyFrame")
            entry.push_back(c);
    return entry;
}

INSTANTIATE_TEST_SUITE_P(Entry, FieldsScrolling, ::testing::ValuesIn(entryWindows()),
                         [](const auto& test) { return test.param.name; });

}  // namespace
