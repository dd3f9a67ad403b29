#include "ui/database/DatabaseManagerDialog.h"

#include <algorithm>

#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

#include "core/foundation/AppDatabase.h"
#include "core/foundation/Session.h"
#include "core/foundation/tvDatabase.h"
#include "platform/FileSystem.h"
#include "ui/database/DBManagerController.h"
#include "ui/database/DatabaseListSupport.h"
#include "ui/support/ButtonKey.h"
#include "ui/support/ModalLoop.h"
#include "ui_DatabaseManagerDialog.h"

DatabaseManagerDialog::DatabaseManagerDialog(QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::DatabaseManagerDialog>()) {
    ui_->setupUi(this);
    Tbl_DB = ui_->DbList;
    Db_Path_Txt = ui_->DBManger_TxtPath;
    OpenDB_BTN = ui_->OpenDB_Button;
    CreateDbBtn = ui_->Create_Button;
    RenameBtn = ui_->Rename_DB;
    MoveBtn = ui_->MoveDB_Button;
    RemoveBtn = ui_->RemoveDB_Button;
    AdddblistBtn = ui_->AddDB_List;
    Tbl_DB->installEventFilter(this);
    connect(OpenDB_BTN, &QPushButton::clicked, this, &DatabaseManagerDialog::DBManager_BtnOpenDb);
    connect(ui_->CloseDB_Button, &QPushButton::clicked, this, &DatabaseManagerDialog::DBManager_BtnCloseDB);
    fixButtonColumnWidth();
    // Its title switches between adding and locating: one key for both.
    giveButtonKey(*this, *AdddblistBtn, QKeySequence(Qt::ALT | Qt::Key_A));
    controller_ = new DBManagerController(*ui_, this);
    windowDidLoad();
}

// The list controller goes first, while the table whose events it filters is whole.
DatabaseManagerDialog::~DatabaseManagerDialog() {
    Tbl_DB->removeEventFilter(this);
    delete controller_;
    controller_ = nullptr;
}

// The buttons beside the list share one width, wide enough for the longest title the
// add button takes, so the column does not jump when that title changes.
void DatabaseManagerDialog::fixButtonColumnWidth() {
    QPushButton* const column[] = {CreateDbBtn, AdddblistBtn, ui_->FindDB,      RenameBtn,
                                   MoveBtn,     RemoveBtn,    ui_->Help_Button};
    const QString current = AdddblistBtn->text();
    int width = 0;
    for (const QString& title : {QStringLiteral("Add Database to List"), QStringLiteral("Locate Database")}) {
        AdddblistBtn->setText(title);
        width = std::max(width, AdddblistBtn->sizeHint().width());
    }
    AdddblistBtn->setText(current);
    for (QPushButton* button : column) width = std::max(width, button->sizeHint().width());
    for (QPushButton* button : column) button->setFixedWidth(width);
}

std::shared_ptr<databaseInfo> DatabaseManagerDialog::GetDatabaseInfo() const { return session().dbInfo; }

void DatabaseManagerDialog::windowDidLoad() {
    OpenDB_BTN->setEnabled(false);
    const int row = session().SelectDbIndex;
    if (row >= 0 && row < Tbl_DB->model()->rowCount()) {
        Tbl_DB->selectionModel()->select(Tbl_DB->model()->index(row, 0),
                                         QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    }

    const std::optional<databaseInfo> shown = databaseToPreselect();
    Db_Path_Txt->setText(shown ? QString::fromStdString(shown->path()) : QString());

    const std::shared_ptr<databaseInfo> current = session().dbInfo;
    const std::string path = current ? current->path() : std::string();
    const bool exists = !path.empty() && platform::fileExists(path);
    const bool open = !path.empty() && isOpenCompanyDatabase(path);
    bool accessible = false;
    if (exists && shown)
        accessible = tvDatabase::CanAccessFile(shown->path(), true, "Unable to access the selected database.", "");

    const bool selected = !Tbl_DB->selectionModel()->selectedRows().isEmpty();
    if (!selected) {
        CreateDbBtn->setDefault(true);
        RenameBtn->setEnabled(false);
        MoveBtn->setEnabled(false);
    } else if (open || !exists || !accessible) {
        CreateDbBtn->setDefault(false);
        RenameBtn->setEnabled(true);
        MoveBtn->setEnabled(true);
    } else {
        OpenDB_BTN->setEnabled(true);
        OpenDB_BTN->setDefault(true);
        RenameBtn->setEnabled(true);
        MoveBtn->setEnabled(true);
    }
    // Removing is how an entry whose file is gone leaves the list: it is offered for
    // any selected row.
    RemoveBtn->setEnabled(selected);
}

void DatabaseManagerDialog::DBManager_BtnOpenDb() { stopModal(this, kOpenCode); }

void DatabaseManagerDialog::DBManager_BtnCloseDB() { stopModal(this, kCloseCode); }

// The close box and Escape close the box like its Close button.
void DatabaseManagerDialog::reject() { DBManager_BtnCloseDB(); }

void DatabaseManagerDialog::keyUp() {
    Session& s = session();
    auto app = sessionAppDatabase();
    const std::vector<databaseInfo> list =
        app && app->isReady() ? app->SelectDatabaseList() : std::vector<databaseInfo>();

    const QModelIndexList rows = Tbl_DB->selectionModel()->selectedRows();
    const int row = rows.isEmpty() ? -1 : rows.first().row();
    bool usable = false;
    bool open = false;
    if (row < 0 || static_cast<size_t>(row) >= list.size()) {
        s.dbInfo = nullptr;
    } else {
        s.dbInfo = std::make_shared<databaseInfo>(list[static_cast<size_t>(row)]);
        const std::string& path = s.dbInfo->path();
        usable = platform::fileExists(path) &&
                 tvDatabase::CanAccessFile(path, true, "Unable to access the selected database.", "");
        if (usable) {
            open = isOpenCompanyDatabase(path);
        } else {
            Tbl_DB->selectionModel()->clearSelection();
            s.dbInfo = nullptr;
        }
    }
    if (!s.dbInfo) {
        // The list's controller forgets the row too, so that its buttons (add, not
        // locate) act on what the window now shows.
        DBManagerController& listController = *controller_;
        listController.Selected = listController.lastSelected = -1;
        listController.dbExists = listController.dbAccess = listController.dbIsOpen = false;
    }
    RenameBtn->setEnabled(usable);
    MoveBtn->setEnabled(usable);
    OpenDB_BTN->setEnabled(usable && !open);
    Db_Path_Txt->setText(s.dbInfo ? QString::fromStdString(s.dbInfo->path()) : QString());
    AdddblistBtn->setText(QStringLiteral("Add Database to List"));
    RemoveBtn->setEnabled(!Tbl_DB->selectionModel()->selectedRows().isEmpty());
    CreateDbBtn->setDefault(list.empty());
}

// Return and Enter press the default button and Escape closes the box; other keys
// that no control takes are swallowed.
void DatabaseManagerDialog::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        QDialog::keyPressEvent(event);
        return;
    default:
        event->accept();
    }
}

bool DatabaseManagerDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Tbl_DB && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (!key->isAutoRepeat()) keyPressedInList_ = key->key();
    }
    return QDialog::eventFilter(watched, event);
}

void DatabaseManagerDialog::keyReleaseEvent(QKeyEvent* event) {
    event->accept();
    if (event->isAutoRepeat()) return;
    // Only a key pressed in the list acts when it is released. The release of a key
    // pressed elsewhere, such as the Return that dismissed a message about the selected
    // database, would otherwise undo what that message left (its "Locate Database").
    // A key that moved the focus out of the list (Tab) is no key in the list either.
    const bool pressedInList = event->key() == keyPressedInList_ && Tbl_DB->hasFocus();
    keyPressedInList_ = 0;
    if (!pressedInList) return;
    // A move through the list with the keys selects like a click, which works out the
    // entry, the buttons and the add button's title itself. The step below would then
    // deselect a database whose file is missing and take back the "Locate Database"
    // just offered for it, so that it could never be located from the keyboard.
    DBManagerController& list = *controller_;
    const QModelIndexList rows = Tbl_DB->selectionModel()->selectedRows();
    const int row = rows.isEmpty() ? -1 : rows.first().row();
    if (row >= 0 && row != list.lastSelected) {
        list.DBManager_List_sel_Method();
        return;
    }
    keyUp();
}
