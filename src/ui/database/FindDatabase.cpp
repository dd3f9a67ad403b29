#include "ui/database/FindDatabase.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

#include <algorithm>

#include "core/foundation/MessageBoxCodes.h"
#include "core/foundation/Session.h"
#include "core/foundation/tvDatabase.h"
#include "core/store/DatabaseFiles.h"
#include "platform/FileReplacement.h"
#include "platform/FileSystem.h"
#include "platform/StandardPaths.h"
#include "ui/database/DatabaseListSupport.h"
#include "ui/main/TextListModel.h"
#include "ui/support/FileChoosers.h"
#include "ui/support/ModalLoop.h"
#include "ui/support/TextLimits.h"
#include "ui_FindDatabase.h"

namespace {

constexpr const char* kSearchTitle = "Find Database";

// Only what the Database Manager would take: company databases of its year that can
// be opened for writing. The configuration database (whose name has the year and
// ".db" too) and other programs' files stay out of the list.
bool isAddable(const std::string& path) {
    int32_t year = 0;
    return isCompanyDatabaseFile(path, &year) && (year == 0 || year == kDatabaseYear) &&
           tvDatabase::CanAccessFile(path, false, "", "");
}

}  // namespace

FindDatabase::FindDatabase(QWidget* parent) : QDialog(parent), ui_(std::make_unique<Ui::FindDatabase>()) {
    ui_->setupUi(this);
    model_ = new TextListModel(&Find_List, QStringLiteral("Path"), this);
    ui_->DB_List->setModel(model_);
    ui_->Adddblist->setEnabled(false);
    connect(ui_->Version_year, &QLineEdit::textEdited, this, &FindDatabase::yearEdited);
    connect(ui_->Version_year, &QLineEdit::editingFinished, this, &FindDatabase::Version_year_Action);
    connect(ui_->Find_DB, &QPushButton::clicked, this, &FindDatabase::FindDB_Find);
    connect(ui_->Adddblist, &QPushButton::clicked, this, &FindDatabase::FindDB_Add);
    connect(ui_->Cancel_FindDB, &QPushButton::clicked, this, &FindDatabase::FindDB_Cancel);
    connect(ui_->DB_List->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &FindDatabase::selectionChanged);
    ui_->Version_year->setFocus();
}

FindDatabase::~FindDatabase() = default;

void FindDatabase::SetDbYear(int value) {
    year = value;
    ui_->Version_year->setText(QString::number(value));
}

// A keystroke or paste past four characters is taken back from before the cursor.
void FindDatabase::yearEdited() {
    QLineEdit* field = ui_->Version_year;
    while (textlimits::characterCount(field->text()) > kYearLength && field->cursorPosition() > 0)
        field->backspace();
}

void FindDatabase::Version_year_Action() {
    QLineEdit* field = ui_->Version_year;
    if (textlimits::characterCount(field->text()) > kYearLength)
        field->setText(textlimits::firstCharacters(field->text(), kYearLength));
}

void FindDatabase::selectionChanged() {
    const bool picked = !ui_->DB_List->selectionModel()->selectedRows().isEmpty();
    ui_->Adddblist->setEnabled(picked);
    ui_->Adddblist->setDefault(picked);
    ui_->Find_DB->setDefault(!picked);
}

void FindDatabase::FindDB_Find() {
    if (searchDatabases()) {
        ui_->DB_List->selectionModel()->clearSelection();
        model_->reload();
        ui_->DB_List->resizeColumnsToContents();
        ui_->DB_List->horizontalHeader()->setStretchLastSection(true);
        if (!Find_List.empty()) ui_->DB_List->setFocus();
    }
}

bool FindDatabase::searchDatabases() {
    const int32_t answer = tvDatabase::tvMessageBox(
        "Find Databases",
        "In the following screen, please choose a directory to start searching. To search your entire computer, "
        "select the root folder ('/'). However, searching your entire computer may be very slow (30+ minutes). "
        "For a faster search, select a higher-level directory such as your home directory.\n\nYou will not be "
        "able to cancel the search once it has started. The search may take several minutes, and Talvexa 1099 "
        "may appear unresponsive during the search.",
        kMessageStyleOKCancel, "Find Databases", kMessageImageMessage, false);
    if (answer == kMessageAnswerCancel) return false;

    const std::optional<std::string> chosen =
        chooseFolder(this, "Choose a starting point for your search.", platform::homeDir());
    if (!chosen) return true;
    const std::string folder = *chosen;
    if (folder.empty()) return false;
    if (platform::fileExists(folder) && !platform::isReadable(folder)) {
        tvDatabase::tvMessageBox("Unable to find databases.",
                                 "Unable to search the selected directory.\n\nTo resolve this issue,                "
                                 "     please have a system administrator provide you with Read & Write access for "
                                 "the following directory:\n\n    " +
                                     folder,
                                 kMessageStyleOK, kSearchTitle, kMessageImageError, false);
        return false;
    }

    Find_List.clear();
    // A copy that an interrupted run left beside a database is no database of the user.
    for (const std::string& path : findDatabaseFiles(folder, ui_->Version_year->text().toStdString()))
        if (!platform::isReplacementLeftover(path) && isAddable(path)) Find_List.push_back(path);
    tvDatabase::tvMessageBox("Finished Search.",
                             "Talvexa 1099 has finished searching for " + std::to_string(year) + " databases in " +
                                 folder,
                             kMessageStyleOK, kSearchTitle, kMessageImageMessage, false);
    return true;
}

void FindDatabase::FindDB_Add() {
    Session& s = session();
    s.selected_list.clear();
    QModelIndexList rows = ui_->DB_List->selectionModel()->selectedRows();
    std::sort(rows.begin(), rows.end(), [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
    for (const QModelIndex& row : rows) {
        if (row.row() < 0 || static_cast<size_t>(row.row()) >= Find_List.size()) continue;
        s.selected_list.push_back(Find_List[static_cast<size_t>(row.row())]);
    }
    if (!s.selected_list.empty()) s.selecteddbname_inFDsearch = s.selected_list.front();
    stopModal(this, kAddCode);
    hide();
}

void FindDatabase::FindDB_Cancel() {
    stopModal(this, kCancelCode);
    hide();
}

void FindDatabase::reject() { FindDB_Cancel(); }
