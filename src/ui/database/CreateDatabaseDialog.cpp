#include "ui/database/CreateDatabaseDialog.h"

#include <QLineEdit>
#include <QPalette>
#include <QPushButton>

#include "core/foundation/AppDatabase.h"
#include "core/foundation/MessageBoxCodes.h"
#include "core/foundation/Session.h"
#include "core/foundation/TalvexaDir.h"
#include "core/foundation/UseUnderscoresInDatabasePath.h"
#include "core/foundation/tvDatabase.h"
#include "core/store/DatabaseFiles.h"
#include "platform/FileSystem.h"
#include "ui/database/DatabaseListSupport.h"
#include "ui/support/DatabaseAlert.h"
#include "ui/support/FileChoosers.h"
#include "ui/support/ModalLoop.h"
#include "ui/support/TextLimits.h"
#include "ui_CreateDatabaseDialog.h"

namespace {

constexpr const char* kProposedName = "Talvexa 1099 Database";
// The folder path that the configuration database keeps for the folder chosen here.
constexpr int kNewDatabaseFolderKind = 3;

std::string folderFailureDetails(const TalvexaDir& tree) {
    std::string details =
        "Unable to initialize the Talvexa Directory.\n\n        To resolve this issue, please choose a different "
        "directory or have a system administrator provide you with Read & Write access for ";
    if (platform::isDirectory(tree.GetTalvexaDir()))
        details += "the following directory and all of its sub-directories and files:\n\n    " + tree.GetTalvexaDir();
    else if (tree.IsAtRoot())
        details += "the root folder ('/')";
    else
        details += "the following directory:\n\n    " + tree.GetBaseDir();
    return details;
}

bool nameIsListed(const std::string& name) {
    auto app = sessionAppDatabase();
    if (!app || !app->IsReady()) return false;
    databaseInfo found;
    return app->SelectDatabaseInfo(found, name) > 0;
}

}  // namespace

CreateDatabaseDialog::CreateDatabaseDialog(QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::CreateDatabaseDialog>()) {
    ui_->setupUi(this);
    connect(ui_->Comp_Name, &QLineEdit::textEdited, this, &CreateDatabaseDialog::nameEdited);
    connect(ui_->Comp_Name, &QLineEdit::editingFinished, this, &CreateDatabaseDialog::Comp_Name_M);
    connect(ui_->Createdatabse, &QPushButton::clicked, this, &CreateDatabaseDialog::Create_DB);
    connect(ui_->Cancel, &QPushButton::clicked, this, &CreateDatabaseDialog::Cancel_CreateDB);
    connect(ui_->ChooseDir_Button, &QPushButton::clicked, this, &CreateDatabaseDialog::Choose_Dir);
    windowDidLoad();
}

CreateDatabaseDialog::~CreateDatabaseDialog() {
    // QDialog's destructor hides the window, which takes the focus from the name field;
    // its check must not run on a dialog that is already going away.
    ui_->Comp_Name->disconnect(this);
}

void CreateDatabaseDialog::windowDidLoad() {
    ui_->Pay_Year->setText(QString::number(kNewDatabaseYear));
    // The fields the user cannot change look like the window behind them.
    for (QLineEdit* shown : {ui_->Pay_Year, ui_->Comp_Dir, ui_->Comp_Path}) {
        QPalette colours = shown->palette();
        colours.setColor(QPalette::Base, colours.color(QPalette::Window));
        shown->setPalette(colours);
    }
    useUnderscores = UseUnderscoresInDatabasePath();

    TalvexaDir tree;
    tree.SetBaseDir(session().configDir ? session().configDir->GetDir() : std::string());
    tree.SetYear(kNewDatabaseYear);
    dir = yearFolderUnder(tree.GetBaseDir());

    std::string name = kProposedName;
    for (int k = 2; platform::fileExists(databaseFilePath(dir, name, useUnderscores)) || nameIsListed(name); ++k)
        name = std::string(kProposedName) + " " + std::to_string(k);

    ui_->Comp_Name->setText(QString::fromStdString(name));
    ui_->Comp_Dir->setText(QString::fromStdString(dir));
    showPath(ui_->Comp_Name->text());
    ui_->Createdatabse->setDefault(true);
    ui_->Comp_Name->selectAll();
    ui_->Comp_Name->setFocus();
}

void CreateDatabaseDialog::showPath(const QString& name) {
    ui_->Comp_Path->setText(QString::fromStdString(databaseFilePath(dir, name.toStdString(), useUnderscores)));
    ui_->Comp_Path->setCursorPosition(0);
}

// A keystroke or paste past the limit is taken back from before the cursor.
void CreateDatabaseDialog::nameEdited() {
    QLineEdit* field = ui_->Comp_Name;
    while (textlimits::characterCount(field->text()) > kDatabaseNameLimit && field->cursorPosition() > 0)
        field->backspace();
    showPath(field->text());
    ui_->Createdatabse->setEnabled(!field->text().trimmed().isEmpty());
}

void CreateDatabaseDialog::Comp_Name_M() {
    QLineEdit* field = ui_->Comp_Name;
    if (textlimits::characterCount(field->text()) > kDatabaseNameLimit)
        field->setText(textlimits::firstCharacters(field->text(), kDatabaseNameLimit));
    showPath(field->text());
    ui_->Createdatabse->setEnabled(!field->text().trimmed().isEmpty());
}

void CreateDatabaseDialog::Choose_Dir() {
    const std::optional<std::string> chosen =
        chooseFolder(this, "Choose a directory in which to keep the new database.", dir);
    if (!chosen || chosen->empty()) return;
    // The chooser's folder is this dialog's alone: the program's configuration
    // directory stays where it is.
    dir = yearFolderUnder(*chosen);
    showPath(ui_->Comp_Name->text());
    if (auto app = sessionAppDatabase(); app && app->IsReady())
        (void)app->SaveFolderPath(kNewDatabaseFolderKind, platform::isDirectory(dir) ? dir : baseFolderOf(*chosen));
    ui_->Comp_Dir->setText(QString::fromStdString(dir));
}

void CreateDatabaseDialog::Create_DB() {
    const std::string name = cleanDatabaseName(ui_->Comp_Name->text().toStdString());
    databaseInfo candidate;
    candidate.setName(name);
    std::string refusal;
    if (!candidate.ValidateName(refusal)) {
        // The title bar cuts a long title short, so the reason is also the alert's text.
        runDatabaseAlert(this, IconKind::Error, refusal, "Unable to create the 1099 Database.", refusal, {"OK"},
                         false);
        ui_->Comp_Name->setFocus();
        return;
    }

    // The file is made at the path the checked name gives, and the window shows that path.
    const std::string path = databaseFilePath(dir, name, useUnderscores);
    ui_->Comp_Path->setText(QString::fromStdString(path));
    if (databaseFileExistsAfterPutBack(path)) {
        tvDatabase::tvMessageBox("", "Database already exists.", kMessageStyleOK,
                                 "The database you are trying to create appears to already exist. If it's not in "
                                 "the Database List, you can add it to the list with the 'Add Database to List' or "
                                 "'Locate Database' button in the Database Manager.",
                                 kMessageImagePlain, false);
        return;
    }

    const NewDatabaseResult made = makeCompanyDatabase(dir, name);
    switch (made.outcome) {
    case NewDatabaseResult::Outcome::folderFailed:
        tvDatabase::tvMessageBox("Unable to create the 1099 Database.", folderFailureDetails(made.tree),
                                 kMessageStyleOK, "", kMessageImagePlain, true);
        return;
    case NewDatabaseResult::Outcome::fileFailed:
        tvDatabase::tvMessageBox("Unable to create the 1099 Company Database.",
                                 "Unable to initialize the database." +
                                     (made.reason.empty() ? std::string() : "\n\n" + made.reason),
                                 kMessageStyleOK, "Create Database", kMessageImageError, false);
        break;
    case NewDatabaseResult::Outcome::listFailed:
        // The configuration database has told the user why.
        break;
    case NewDatabaseResult::Outcome::created:
        dbInfo = made.entry;
        break;
    }
    end(kCreatedCode);
}

void CreateDatabaseDialog::Cancel_CreateDB() { end(kCancelCode); }

void CreateDatabaseDialog::reject() { end(kCloseBoxCode); }

void CreateDatabaseDialog::end(int code) {
    stopModal(this, code);
    hide();
}
