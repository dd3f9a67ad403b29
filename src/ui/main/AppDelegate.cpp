#include "ui/main/AppDelegate.h"

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <unordered_map>

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QHeaderView>
#include <QItemSelection>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableView>
#include <QToolBar>
#include <QToolButton>

#include "core/foundation/FormKind.h"
#include "core/foundation/Login_Info.h"
#include "core/foundation/Session.h"
#include "core/foundation/Utils.h"
#include "core/foundation/tvDatabase.h"
#include "core/store/ComapnyInfo.h"
#include "core/store/Company.h"
#include "core/store/CompanyDatabase.h"
#include "core/store/DatabaseHolder.h"
#include "core/store/Recipient.h"
#include "core/store/RecipientFullInfo.h"
#include "core/store/RecipientListCount.h"
#include "core/update/UpdateCheckThread.h"
#include "ui/database/DatabaseListSupport.h"
#include "ui/main/AboutTalvexa1099.h"
#include "ui/main/InformationDialog.h"
#include "ui/main/TextListModel.h"
#include "ui/support/ButtonKey.h"
#include "ui/support/DesktopServices.h"
#include "ui/support/ModalLoop.h"
#include "ui_AppDelegate.h"

AppDelegate* company_Refer = nullptr;

namespace {

constexpr const char kWindowTitle[] = "Talvexa 1099 E-File 2025";

// The form kind code that an AllForms index or a code stands for: the list's index 6
// is 1099-NEC, whose code is 7; 6 is no form kind.
int32_t formKindCode(int32_t form) { return form == 6 ? FormKind::kNec : form; }

std::shared_ptr<CompanyDatabase> companyDatabase() {
    const auto& dbh = session().DBH;
    return dbh ? dbh->companyDatabase() : nullptr;
}

// The keys a list answers beyond moving and selecting: Return and Enter open the row,
// Delete deletes the selection where the list has a command for it.
class ListKeys : public QObject {
public:
    ListKeys(QTableView* table, std::function<void()> open, std::function<void()> remove)
        : QObject(table), open_(std::move(open)), remove_(std::move(remove)) {
        table->installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) return QObject::eventFilter(watched, event);
        auto* key = static_cast<QKeyEvent*>(event);
        if ((key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) return false;
        switch (key->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            open_();
            return true;
        case Qt::Key_Delete:
            if (!remove_) return false;
            remove_();
            return true;
        default:
            return false;
        }
    }

private:
    std::function<void()> open_;
    std::function<void()> remove_;
};

}  // namespace

AppDelegate::AppDelegate(QWidget* parent) : QMainWindow(parent), ui(new Ui::AppDelegate) {
    ui->setupUi(this);
    companyModel = new TextListModel(&CompanyVec_, QStringLiteral("Payer"), this);
    recipientModel = new TextListModel(&Recvec_, QStringLiteral("Recipient"), this);
    ui->Company_Sel->setModel(companyModel);
    ui->Recipient_sel->setModel(recipientModel);
    for (QTableView* table : {ui->Company_Sel, ui->Recipient_sel}) {
        // Rows of one height let the view lay out thousands of rows without measuring them.
        table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
        table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 8);
        table->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    }
    ui->listSplitter->setStretchFactor(0, 2);
    ui->listSplitter->setStretchFactor(1, 3);
    makeToolbar();
    wireActions();
    wireEditMenu();
    applicationWillFinishLaunching();
}

AppDelegate::~AppDelegate() {
    // A start-up check still waiting for the update server ends here, not with the process.
    stopLaunchUpdateCheck();
    if (company_Refer == this) company_Refer = nullptr;
    delete ui;
}

void AppDelegate::makeToolbar() {
    auto make = [this](QToolButton*& button, const char* name, const QString& text, const QString& tip) {
        button = new QToolButton(ui->toolBar);
        button->setObjectName(QString::fromLatin1(name));
        button->setText(text);
        button->setToolTip(tip);
        button->setToolButtonStyle(Qt::ToolButtonTextOnly);
        button->setAutoRaise(true);
        ui->toolBar->addWidget(button);
    };
    make(addCompanyButton_, "addCompanyButton", tr("&Add Company"), tr("Create a new payer company"));
    make(addRecipientButton_, "addRecipientButton", tr("A&dd Recipient"),
         tr("Add a recipient to the selected payer"));
    // Like New Recipient beside the list, it waits until exactly one payer is chosen.
    addRecipientButton_->setEnabled(false);
    ui->toolBar->addSeparator();
    make(printRecipientButton_, "printRecipientButton", tr("&Print Recipients"),
         tr("Print recipient copies of the selected recipients"));
    make(printCompanyButton_, "printCompanyButton", tr("Print C&ompany"),
         tr("Print filing copies and the 1096 of the selected payer"));
    ui->View_Menu->addAction(ui->toolBar->toggleViewAction());
    ui->toolBar->toggleViewAction()->setText(tr("Show &Toolbar"));
}

void AppDelegate::wireActions() {
    // Tables: only the user's own selection changes arrive here (code blocks them).
    connect(ui->Company_Sel->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &AppDelegate::Comany_ListBox);
    connect(ui->Recipient_sel->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &AppDelegate::Recipient_ListBox);
    // A row opens for editing by double-click or Return, as its Edit button would; Delete
    // on the recipient list asks to delete the selected recipients. Each waits until the
    // list has finished with the event, since the command refills the list.
    auto whenEnabled = [this](QPushButton* button, void (AppDelegate::*command)()) {
        return [this, button, command] {
            QMetaObject::invokeMethod(
                this, [this, button, command] {
                    if (button->isEnabled()) (this->*command)();
                },
                Qt::QueuedConnection);
        };
    };
    const auto editCompany = whenEnabled(ui->UpdateCompany_B, &AppDelegate::UpdateCompany);
    const auto editRecipient = whenEnabled(ui->UpdateRecipient_Button, &AppDelegate::UpdateRecipient_Action);
    connect(ui->Company_Sel, &QAbstractItemView::doubleClicked, this, editCompany);
    connect(ui->Recipient_sel, &QAbstractItemView::doubleClicked, this, editRecipient);
    new ListKeys(ui->Company_Sel, editCompany, nullptr);
    new ListKeys(ui->Recipient_sel, editRecipient,
                 whenEnabled(ui->DeleteRecipient_Button, &AppDelegate::DeleteRecipient));

    // Filters and lists.
    connect(ui->CompanyFilter_Button, &QPushButton::clicked, this, &AppDelegate::CompanyFilter_Action);
    connect(ui->CompanyFilter_Text, &QLineEdit::returnPressed, this, &AppDelegate::CompanyFilter_Action);
    connect(ui->Recipientfilter_Button, &QPushButton::clicked, this, &AppDelegate::RecipientFilter_Action);
    connect(ui->RecipientFilter_Text, &QLineEdit::returnPressed, this, &AppDelegate::RecipientFilter_Action);
    // Emptying a field (its clear button, or deleting its text) shows the whole list
    // again at once, as Return would; an empty list under an empty field would look
    // like a payer without recipients.
    connect(ui->CompanyFilter_Text, &QLineEdit::textEdited, this, [this](const QString& text) {
        if (text.isEmpty() && !companyFilterString_.empty()) CompanyFilter_Action();
    });
    connect(ui->RecipientFilter_Text, &QLineEdit::textEdited, this, [this](const QString& text) {
        if (text.isEmpty() && !session()._RecipientFilterString.empty()) RecipientFilter_Action();
    });
    connect(ui->AllForms, &QComboBox::activated, this, &AppDelegate::RecipientTypeChoice);
    connect(ui->AllStatus, &QComboBox::activated, this, &AppDelegate::RecipientAllStatus);

    // Dashboard.
    connect(ui->Context_B, &QPushButton::clicked, this, &AppDelegate::Context_Btn);
    // Its titles are fixed and share no free letter, so the next step has a key of its own.
    giveButtonKey(*this, *ui->Context_B, QKeySequence(Qt::ALT | Qt::Key_G));
    connect(ui->NewCompany_Button, &QPushButton::clicked, this, &AppDelegate::NewCompany);
    connect(ui->UpdateCompany_B, &QPushButton::clicked, this, &AppDelegate::UpdateCompany);
    connect(ui->DeleteCompany_Button, &QPushButton::clicked, this, &AppDelegate::DeleteCompanyButton);
    connect(ui->NewRecipient_Button, &QPushButton::clicked, this, &AppDelegate::NewRecipient);
    connect(ui->UpdateRecipient_Button, &QPushButton::clicked, this, &AppDelegate::UpdateRecipient_Action);
    connect(ui->DeleteRecipient_Button, &QPushButton::clicked, this, &AppDelegate::DeleteRecipient);
    connect(ui->CopyRecipient_Button, &QPushButton::clicked, this, &AppDelegate::CopyRecipient);

    // Toolbar.
    connect(addCompanyButton_, &QToolButton::clicked, this, &AppDelegate::NewCompany);
    connect(addRecipientButton_, &QToolButton::clicked, this, &AppDelegate::NewRecipient);
    connect(printRecipientButton_, &QToolButton::clicked, this, &AppDelegate::PrintformsforRecipient);
    connect(printCompanyButton_, &QToolButton::clicked, this, &AppDelegate::PrintformsforFilling);
    // The print buttons are offered exactly when their File-menu twins are.
    for (auto [button, twin] : {std::pair{printRecipientButton_, ui->prntformforRec},
                                std::pair{printCompanyButton_, ui->printformforFilling}}) {
        button->setEnabled(twin->isEnabled());
        connect(twin, &QAction::enabledChanged, button, &QWidget::setEnabled);
    }

    // File menu.
    connect(ui->OpenDb_TextFilemenu, &QAction::triggered, this, &AppDelegate::OpenDadabase_Filemenu);
    connect(ui->Createdatabase, &QAction::triggered, this, [this] { CreateDatabase(ui->Createdatabase); });
    connect(ui->DatabaseManager, &QAction::triggered, this, &AppDelegate::DatabaseManager);
    connect(ui->Closedb, &QAction::triggered, this, qOverload<>(&AppDelegate::CloseDatabase));
    connect(ui->import, &QAction::triggered, this, &AppDelegate::Import);
    connect(ui->importprioryear, &QAction::triggered, this, &AppDelegate::ImportPriorYear);
    connect(ui->prntformforRec, &QAction::triggered, this, &AppDelegate::PrintformsforRecipient);
    connect(ui->printformforFilling, &QAction::triggered, this, &AppDelegate::PrintformsforFilling);
    connect(ui->SummaryReport, &QAction::triggered, this, &AppDelegate::SummaryReport);
    connect(ui->Mailinglabel, &QAction::triggered, this, &AppDelegate::MailingLabels);
    connect(ui->Editpage, &QAction::triggered, this, &AppDelegate::EditPage_Action);
    connect(ui->close_btn, &QAction::triggered, this, &QWidget::close);
    connect(ui->HideTalvexa1099, &QAction::triggered, this, [this] {
        HideTalvexa_Action();
        showMinimized();
    });
    connect(ui->QuitTalvexa1099, &QAction::triggered, this, &QWidget::close);

    // Tools, sort, window and help menus.
    connect(ui->Editprintforms, &QAction::triggered, this, &AppDelegate::Editprintforms_Action);
    connect(ui->Efile, &QAction::triggered, this, &AppDelegate::EFile);
    connect(ui->IRIS_Outlet, &QAction::triggered, this, &AppDelegate::IRIS_Action);
    connect(ui->Admin, &QAction::triggered, this, &AppDelegate::Admin_Action);
    connect(ui->Backupdatabase, &QAction::triggered, this, &AppDelegate::BackupDatabse_Action);
    connect(ui->restoredb, &QAction::triggered, this, &AppDelegate::RestoreDatabase_Action);
    connect(ui->DownloadBackup, &QAction::triggered, this, &AppDelegate::DownloadBackupfromcloud_Action);
    connect(ui->actionCheckforUpdates, &QAction::triggered, this, &AppDelegate::CheckforUpdates);
    connect(ui->companyascending, &QAction::triggered, this, &AppDelegate::Sortcomapyascending);
    connect(ui->CompanyDescending, &QAction::triggered, this, &AppDelegate::CompanyDescending_ACtion);
    connect(ui->RecipientAscending, &QAction::triggered, this, &AppDelegate::RecipientAscending_Action);
    connect(ui->RecipientDescending, &QAction::triggered, this, &AppDelegate::RecipientDescending_Action);
    connect(ui->actionMinimize, &QAction::triggered, this, &QWidget::showMinimized);
    connect(ui->actionZoom, &QAction::triggered, this, [this] { isMaximized() ? showNormal() : showMaximized(); });
    connect(ui->actionQuickStartGuide, &QAction::triggered, this, &AppDelegate::Quick_StartGuid);
    connect(ui->action1099Manual, &QAction::triggered, this, &AppDelegate::_1099_Manual);
    connect(ui->actionEFileRequirements, &QAction::triggered, this, &AppDelegate::EFile_Requirements);
    connect(ui->actionCloudBackupInstructions, &QAction::triggered, this, &AppDelegate::_1099_CloudBackup_Instr);
    connect(ui->actionLicenseAgreement, &QAction::triggered, this, &AppDelegate::License_Agreement);
    connect(ui->actionAbout, &QAction::triggered, this, &AppDelegate::AboutTalvexa1099);

    connect(qApp, &QCoreApplication::aboutToQuit, this, &AppDelegate::applicationWillTerminate);
}

// Cut, copy, paste and select all act on the field or list that has the keyboard.
void AppDelegate::wireEditMenu() {
    auto focusedEdit = [] { return qobject_cast<QLineEdit*>(QApplication::focusWidget()); };
    connect(ui->actionCut, &QAction::triggered, this, [focusedEdit] {
        if (auto* edit = focusedEdit()) edit->cut();
    });
    connect(ui->actionCopy, &QAction::triggered, this, [focusedEdit] {
        if (auto* edit = focusedEdit()) edit->copy();
    });
    connect(ui->actionPaste, &QAction::triggered, this, [focusedEdit] {
        if (auto* edit = focusedEdit()) edit->paste();
    });
    connect(ui->actionSelectAll, &QAction::triggered, this, [this, focusedEdit] {
        if (auto* edit = focusedEdit()) {
            edit->selectAll();
        } else if (auto* table = qobject_cast<QTableView*>(QApplication::focusWidget())) {
            table->selectAll();   // reaches the table's action like the user's own selection
        }
    });
}

// ---------------------------------------------------------------------------
// Start-up and shut-down

void AppDelegate::applicationWillFinishLaunching() {
    setWindowTitle(QString::fromLatin1(kWindowTitle));
    mes_view = std::make_unique<tvDatabase>();
    session().comp_details = std::make_shared<Company>();
    session().recp_details = std::make_shared<Recipient>();
    CompanyVec_.clear();
    Recvec_.clear();
    Company_PTL_.clear();
    Recipient_PTL_.clear();
    drawnRead_ = 0;

    // "Talvexa 1099 E-File " (the year taken out, the blank before it kept).
    QString name = windowTitle();
    name.remove(QStringLiteral("2025"));
    ui->HideTalvexa1099->setText(QStringLiteral("Hide ") + name);
    ui->QuitTalvexa1099->setText(QStringLiteral("Quit ") + name);

    ui->UpdateCompany_B->setEnabled(false);
    theCompanyPKMap = company_PK_Map();
    theRecPKMap = recipient_PK_Map();
    ui->companyascending->setEnabled(false);
    ui->CompanyDescending->setEnabled(false);
    ui->CompanyFilter_Button->setEnabled(false);
    ui->CompanyFilter_Text->setEnabled(false);
    ui->companyascending->setChecked(false);
    ui->RecipientAscending->setChecked(true);
    company_Refer = this;
}

void AppDelegate::applicationDidFinishLaunching() {
    OpenRecentDatabase(-1, 0, false);
    FillCompanyList();
    // The update server may be slow or silent: the check must never hold the window.
    startLaunchUpdateCheck();
    EnableMenus(false);
    {
        InformationDialog information(this);
        runModal(&information);
    }
    EnableMenus(true);
    Refresh();
}

bool AppDelegate::windowWillClose() {
    if (!CloseFrames()) return false;
    return CloseDatabase(false, false);
}

void AppDelegate::applicationWillTerminate() {
    stopLaunchUpdateCheck();
    // Nothing stops the program now: a window that wants to stay cannot keep the file
    // marked as in use by a program that is gone.
    CloseFrames();
    if (auto company = sessionCompanyDatabase(); company && company->IsReady()) {
        company->SetInUse(0);
        company->Close();
    }
    if (company_Refer == this) company_Refer = nullptr;
}

// A main window has no default button of its own: Return and Enter that no control took
// press the context button while it is the default button, as in a dialog.
void AppDelegate::keyPressEvent(QKeyEvent* event) {
    const bool returnKey = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (returnKey && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier && ui->Context_B->isDefault() &&
        ui->Context_B->isVisible() && ui->Context_B->isEnabled()) {
        event->accept();
        ui->Context_B->click();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

void AppDelegate::closeEvent(QCloseEvent* event) {
    if (windowWillClose())
        event->accept();
    else
        event->ignore();
}

// ---------------------------------------------------------------------------
// Table helpers

int AppDelegate::selectedRowCount(const QTableView* table) const {
    return static_cast<int>(table->selectionModel()->selectedRows().size());
}

std::vector<int> AppDelegate::selectedRows(const QTableView* table) const {
    const QModelIndexList indexes = table->selectionModel()->selectedRows();
    std::vector<int> rows;
    rows.reserve(static_cast<size_t>(indexes.size()));
    for (const QModelIndex& index : indexes) rows.push_back(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

void AppDelegate::reloadData(QTableView* table, TextListModel* model) {
    QItemSelectionModel* selection = table->selectionModel();
    const QSignalBlocker blocker(selection);
    const std::vector<int> kept = selectedRows(table);
    model->reload();
    // A reset forgets the selection; the rows that still exist stay selected.
    QItemSelection restored;
    const int rowCount = model->rowCount();
    for (size_t i = 0; i < kept.size();) {
        const int first = kept[i];
        if (first >= rowCount) break;
        int last = first;
        while (++i < kept.size() && kept[i] == last + 1 && kept[i] < rowCount) last = kept[i];
        restored.select(model->index(first, 0), model->index(last, 0));
    }
    if (!restored.isEmpty()) selection->select(restored, QItemSelectionModel::Select | QItemSelectionModel::Rows);
    table->viewport()->update();
}

// The table learns of a selection change through the signals blocked here, so it is
// told to redraw itself.
void AppDelegate::selectOnlyRow(QTableView* table, int row) {
    QItemSelectionModel* selection = table->selectionModel();
    {
        const QSignalBlocker blocker(selection);
        const QModelIndex index = table->model()->index(row, 0);
        selection->select(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        selection->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
    }
    table->viewport()->update();
}

void AppDelegate::deselectAll(QTableView* table) {
    {
        const QSignalBlocker blocker(table->selectionModel());
        table->selectionModel()->clearSelection();
    }
    table->viewport()->update();
}

int AppDelegate::allStatusIndex() const { return ui->AllStatus->currentIndex(); }
int AppDelegate::allFormsIndex() const { return ui->AllForms->currentIndex(); }

// ---------------------------------------------------------------------------
// Lists

void AppDelegate::FillCompanyList() {
    CompanyVec_.clear();
    companyFilterString_ = ui->CompanyFilter_Text->text().toStdString();
    std::vector<ComapnyInfo> companies;
    if (auto db = companyDatabase(); db && db->IsReady())
        companies = db->execCompanyListQuery(companyFilterString_, CompanySort_);
    Company_PTL_.clear();
    CompanyVec_.reserve(companies.size());
    Company_PTL_.reserve(companies.size());
    for (size_t i = 0; i < companies.size(); ++i) {
        CompanyVec_.push_back(companies[i].getName());
        theCompanyPKMap = company_PK_Map(companies[i].getPK(), static_cast<int32_t>(i));
        Company_PTL_.push_back(theCompanyPKMap);
    }
    reloadData(ui->Company_Sel, companyModel);
}

void AppDelegate::FillRecipientList(int32_t form, int32_t status) {
    form = formKindCode(form);
    // The rows shown stay until the new ones replace them below.
    const size_t rowsBefore = Recvec_.size();
    Session& s = session();
    s._RecipientFilterString = ui->RecipientFilter_Text->text().toStdString();
    const std::string& filter = s._RecipientFilterString;

    // The count line's total is every recipient of the selected payers; list and total
    // come from one pass over the recipients, since each query of its own scans the
    // whole file.
    RecipientListRead read;
    // With no payer selected the list is empty by definition: nothing is read.
    const std::vector<int32_t>& keys = s.comp_details->selectedCompanies();
    if (auto db = companyDatabase(); db && db->IsReady() && !keys.empty()) {
        std::vector<int32_t> listed;
        const size_t count =
            std::min<size_t>(keys.size(), static_cast<size_t>(std::max<int64_t>(0, s.numberSelections)));
        for (size_t i = 0; i < count; ++i) listed.push_back(db->getCompanyInfo1(keys[i]).getPK());
        read = refillRecipientList(*db, listed, filter, recipientSort_, form, status, drawnRead_, drawnForm_,
                                   drawnStatus_);
    }
    const std::vector<const RecipientFullInfo*>& rows = read.listed;
    const int64_t total = read.total;
    drawnRead_ = read.generation;
    drawnForm_ = form;
    drawnStatus_ = status;

    if (read.sameRowsAsDrawn) {
        // A command that refills the list several times over: the very rows shown.
        ui->RecipientsOf->setText(QStringLiteral("Recipient  %1 of %2 ").arg(Recvec_.size()).arg(total));
        if (!Recipient_PTL_.empty()) theRecPKMap = Recipient_PTL_.back();
        addRecipientButton_->setEnabled(s.comp_details->selectedCompanies().size() == 1);
        // The rows shown are those before, so the selection stays.
        return;
    }

    ui->RecipientsOf->setText(QStringLiteral("Recipient  %1 of %2 ").arg(rows.size()).arg(total));

    std::vector<std::string> texts;
    std::vector<recipient_PK_Map> maps;
    texts.reserve(rows.size());
    maps.reserve(rows.size());
    for (size_t i = 0; i < rows.size(); ++i) {
        const RecipientFullInfo& row = *rows[i];
        const std::string& name = row.getnameType() == "Business Name" ? row.getLastName() : row.getRLastName();
        const std::string& first = row.getFirstName();
        texts.push_back(!name.empty() && !first.empty() ? name + ", " + first : name);
        maps.emplace_back(row.getPK(), row.getType(), static_cast<int32_t>(i));
    }
    // A command that refills the list several times over skips redrawing rows that are
    // exactly those shown (the reload would give back the same rows and selection).
    const bool unchanged = keepingRecipientListReads() && texts == Recvec_ && maps.size() == Recipient_PTL_.size() &&
                           std::equal(maps.begin(), maps.end(), Recipient_PTL_.begin(),
                                      [](const recipient_PK_Map& a, const recipient_PK_Map& b) {
                                          return a.recipientPK() == b.recipientPK() &&
                                                 a.recipientType() == b.recipientType() &&
                                                 a.locationInRecipientList() == b.locationInRecipientList();
                                      });
    if (!maps.empty()) theRecPKMap = maps.back();
    Recvec_ = std::move(texts);
    Recipient_PTL_ = std::move(maps);
    addRecipientButton_->setEnabled(s.comp_details->selectedCompanies().size() == 1);
    // The selection stays while as many rows are shown as before, whichever name the
    // filter matched them on: Edit and Copy refill the list first and act on the row
    // that is still selected then.
    if (rowsBefore != Recvec_.size()) deselectAll(ui->Recipient_sel);
    if (!unchanged) reloadData(ui->Recipient_sel, recipientModel);
}

// ---------------------------------------------------------------------------
// Selection

void AppDelegate::SelectCompany() {
    Session& s = session();
    s.comp_details->setSelectedCompanies({});
    s.comp_details->setSelectedType({});
    const std::vector<int> rows = selectedRows(ui->Company_Sel);
    const QModelIndex current = ui->Company_Sel->selectionModel()->currentIndex();
    s.Sel_Rowcomprow = rows.empty() ? -1 : (current.isValid() && std::binary_search(rows.begin(), rows.end(), current.row())
                                                ? current.row()
                                                : rows.front());
    s.numberSelections = static_cast<int64_t>(rows.size());
    for (int row : rows) {
        if (static_cast<size_t>(row) >= Company_PTL_.size()) continue;
        s.comp_details->selectedCompanies().push_back(Company_PTL_[static_cast<size_t>(row)].companyPK());
        s.comp_details->selectedType().push_back(1);
    }
    UpdateCompanyButtons(static_cast<int32_t>(s.numberSelections));
    FillRecipientList(s.type, allStatusIndex());
    SelectRecipient();
}

void AppDelegate::ReselectCompanies() {
    const std::vector<int32_t> keys = session().comp_details->selectedCompanies();
    // Every match clears the selection first, so the row of the last listed key stays.
    for (int32_t key : keys) {
        for (size_t row = 0; row < Company_PTL_.size(); ++row) {
            if (Company_PTL_[row].companyPK() == key) selectOnlyRow(ui->Company_Sel, static_cast<int>(row));
        }
    }
    SelectCompany();
}

void AppDelegate::SelectRecipient() {
    Session& s = session();
    s.recp_details->setSelectedRecipients({});
    s.recp_details->setSelectedType({});
    const std::vector<int> rows = selectedRows(ui->Recipient_sel);
    s.numberSelectionsrec = static_cast<int64_t>(rows.size());
    for (int row : rows) {
        if (static_cast<size_t>(row) >= Recipient_PTL_.size()) continue;
        const recipient_PK_Map& map = Recipient_PTL_[static_cast<size_t>(row)];
        s.recp_details->selectedRecipients().push_back(map.recipientPK());
        s.recp_details->selectedType().push_back(map.recipientType());
    }
    UpdateRecipientButtons(static_cast<int32_t>(s.numberSelectionsrec));
}

void AppDelegate::ReselectRecipients() {
    const Recipient& held = *session().recp_details;
    const std::vector<int32_t>& keys = held.selectedRecipients();
    const std::vector<int32_t>& kinds = held.selectedType();
    // Each match replaces the selection, so only the last held recipient still listed
    // ends up selected: look for it from the end, through the first row of each
    // key and kind.
    std::unordered_map<uint64_t, int> firstRow;
    auto slot = [](int32_t key, int32_t kind) {
        return (static_cast<uint64_t>(static_cast<uint32_t>(key)) << 32) | static_cast<uint32_t>(kind);
    };
    if (!keys.empty()) {
        firstRow.reserve(Recipient_PTL_.size());
        for (size_t row = 0; row < Recipient_PTL_.size(); ++row)
            firstRow.emplace(slot(Recipient_PTL_[row].recipientPK(), Recipient_PTL_[row].recipientType()),
                             static_cast<int>(row));
    }
    for (size_t i = std::min(keys.size(), kinds.size()); i-- > 0;) {
        if (auto found = firstRow.find(slot(keys[i], kinds[i])); found != firstRow.end()) {
            selectOnlyRow(ui->Recipient_sel, found->second);
            break;
        }
    }
    SelectRecipient();
}

void AppDelegate::UpdateCompanyButtons(int32_t count) {
    const bool one = count == 1;
    ui->NewRecipient_Button->setEnabled(one);
    if (count <= 1) {
        ui->UpdateRecipient_Button->setEnabled(false);
        ui->DeleteRecipient_Button->setEnabled(false);
        ui->CopyRecipient_Button->setEnabled(false);
    }
    // Deleting works on exactly one payer, so it is offered exactly then.
    ui->DeleteCompany_Button->setEnabled(one);
    ui->UpdateCompany_B->setEnabled(one);
    if (!one) addCompanyButton_->setEnabled(true);
    ui->printformforFilling->setEnabled(one);
    for (QAction* item : {ui->Efile, ui->IRIS_Outlet, ui->Mailinglabel, ui->SummaryReport})
        item->setEnabled(count >= 1);
    if (count <= 1) ui->NewCompany_Button->setEnabled(false);
}

void AppDelegate::UpdateRecipientButtons(int32_t count) {
    ui->DeleteRecipient_Button->setEnabled(count >= 1);
    ui->UpdateRecipient_Button->setEnabled(count == 1);
    ui->CopyRecipient_Button->setEnabled(count == 1);
    ui->prntformforRec->setEnabled(count >= 1);
    ui->Efile->setEnabled(true);
    ui->IRIS_Outlet->setEnabled(true);
    if (count == 1) {
        ui->Mailinglabel->setEnabled(true);
        ui->SummaryReport->setEnabled(true);
    }
    addRecipientButton_->setEnabled(session().comp_details->selectedCompanies().size() == 1);
}

void AppDelegate::UpdateSelectRecipients() { (void)selectedRowCount(ui->Recipient_sel); }

RecipientInfo AppDelegate::IRIS_Selected_Recipients() {
    const std::vector<int> rows = selectedRows(ui->Recipient_sel);
    auto db = companyDatabase();
    if (rows.empty() || !db || !db->IsReady()) return RecipientInfo();
    const std::vector<RecipientInfo> all =
        db->execRecipientListQuery(session()._RecipientFilterString, recipientSort_, 0, 0);
    const size_t last = static_cast<size_t>(rows.back());
    return last < all.size() ? all[last] : RecipientInfo();
}

// ---------------------------------------------------------------------------
// Table actions, filters and sorting

void AppDelegate::Comany_ListBox() {
    deselectAll(ui->Recipient_sel);
    SelectCompany();
}

void AppDelegate::Recipient_ListBox() { SelectRecipient(); }

void AppDelegate::CompanyFilter_Action() {
    companyFilterString_ = ui->CompanyFilter_Text->text().toStdString();
    FillCompanyList();
    ReselectCompanies();
    FillRecipientList(session().type, allStatusIndex());
    ReselectRecipients();
}

void AppDelegate::RecipientFilter_Action() {
    session()._RecipientFilterString = ui->RecipientFilter_Text->text().toStdString();
    FillRecipientList(session().type, allStatusIndex());
    ReselectRecipients();
}

void AppDelegate::RecipientTypeChoice() {
    Session& s = session();
    const int index = allFormsIndex();
    s.type = index;
    deselectAll(ui->Recipient_sel);
    if (index >= 0 && index <= 5) {
        s.recp_details->setType(index);
    } else if (index == 6) {
        s.recp_details->setType(FormKind::kNec);
        s.type = FormKind::kNec;
    }
    deselectAll(ui->Recipient_sel);
    FillRecipientList(s.type, allStatusIndex());
    ReselectRecipients();
    UpdateCompanyButtons(selectedRowCount(ui->Company_Sel));
    UpdateRecipientButtons(selectedRowCount(ui->Recipient_sel));
}

void AppDelegate::RecipientAllStatus() {
    const int status = allStatusIndex();
    session().recp_details->setFilingState(status);
    FillRecipientList(session().type, status);
    ReselectRecipients();
    UpdateCompanyButtons(selectedRowCount(ui->Company_Sel));
    UpdateRecipientButtons(selectedRowCount(ui->Recipient_sel));
}

void AppDelegate::Sortcomapyascending() {
    ui->companyascending->setChecked(true);
    ui->CompanyDescending->setChecked(false);
    CompanySort_ = 0;
    if (session().loginInfo) session().loginInfo->setCompanySort(0);
    FillCompanyList();
    ReselectCompanies();
    FillRecipientList(allFormsIndex(), allStatusIndex());
    ReselectRecipients();
}

void AppDelegate::CompanyDescending_ACtion() {
    ui->companyascending->setChecked(false);
    ui->CompanyDescending->setChecked(true);
    CompanySort_ = 1;
    if (session().loginInfo) session().loginInfo->setCompanySort(1);
    FillCompanyList();
    ReselectCompanies();
    FillRecipientList(allFormsIndex(), allStatusIndex());
    ReselectRecipients();
}

void AppDelegate::RecipientAscending_Action() {
    ui->RecipientAscending->setChecked(true);
    ui->RecipientDescending->setChecked(false);
    recipientSort_ = 0;
    if (session().loginInfo) session().loginInfo->setRecipientSort(0);
    FillRecipientList(allFormsIndex(), allStatusIndex());
    ReselectRecipients();
}

void AppDelegate::RecipientDescending_Action() {
    ui->RecipientAscending->setChecked(false);
    ui->RecipientDescending->setChecked(true);
    recipientSort_ = 1;
    if (session().loginInfo) session().loginInfo->setRecipientSort(1);
    FillRecipientList(allFormsIndex(), allStatusIndex());
    ReselectRecipients();
}

// ---------------------------------------------------------------------------
// About window, kept beside the main window until it closes

void AppDelegate::AboutTalvexa1099() {
    if (!about1099) {
        about1099 = std::make_unique<::AboutTalvexa1099>(this);
        connect(about1099.get(), &QDialog::finished, this, [this] {
            if (about1099) about1099.release()->deleteLater();
        });
    }
    about1099->show();
    about1099->raise();
    about1099->activateWindow();
}
