#include "ui/setup/Configuration_Setup.h"

#include "core/foundation/MessageBoxCodes.h"
#include "core/foundation/UserInterface.h"
#include "platform/FileSystem.h"
#include "platform/StandardPaths.h"
#include "ui/support/DesktopServices.h"
#include "ui/support/FileChoosers.h"
#include "ui/support/Icons.h"
#include "ui/support/ModalLoop.h"
#include "ui/support/tvMessageDialog.h"
#include "ui_Configuration_Setup.h"

namespace {

const int kTaxYear = 2025;

const char* const kIntroduction =
    "In order to run, Talvexa 1099 needs a place to save 1099 information. Please choose a directory on this "
    "computer's local hard drive (usually your home folder) in which to save the necessary data files.\n\n"
    "    Using the default directory is recommended.";

std::string documentsFolder() { return platform::documentsDir() + "/"; }

// The year folder under a base folder.
std::string yearFolder(const std::string& base) {
    TalvexaDir dir;
    dir.SetBaseDir(base);
    dir.SetYear(kTaxYear);
    std::string path = dir.GetDir();
    if (path.empty() || path.back() != '/') path += "/";
    return path;
}

}  // namespace

Configuration_Setup::Configuration_Setup(QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::Configuration_Setup>()) {
    ui_->setupUi(this);
    ui_->Setup_Icon->setPixmap(talvexaIcon(IconKind::Plain));
    connect(ui_->Choose_Button, &QPushButton::clicked, this, &Configuration_Setup::Choose_Dir);
    connect(ui_->Default_Button, &QPushButton::clicked, this, &Configuration_Setup::Defult);
    connect(ui_->Finish_Button, &QPushButton::clicked, this, &Configuration_Setup::Finish_sel);
    connect(ui_->Cancel_Button, &QPushButton::clicked, this, &Configuration_Setup::Cancel_Setup);
}

Configuration_Setup::~Configuration_Setup() = default;

void Configuration_Setup::SetTalvexaDir(TalvexaDir* dirObject) {
    if (!dirObject) return;
    if (dirObject->dir().size() == 1) dirObject->setDir("");
    TalvexaDir copy;
    copy.SetYear(dirObject->year());
    copy.setDir(dirObject->dir());
    defaultDir_ = copy;
}

void Configuration_Setup::showEvent(QShowEvent* event) {
    if (!loaded_) {
        loaded_ = true;
        windowDidLoad();
    }
    QDialog::showEvent(event);
}

void Configuration_Setup::windowDidLoad() {
    ui_->ListOfFiles->setPlainText(QString::fromUtf8(kIntroduction));
    selectdir_ = documentsFolder();

    configDir1_ = TalvexaDir();
    configDir1_.SetBaseDir(selectdir_);
    configDir1_.SetYear(kTaxYear);
    if (defaultDir_) configDir1_ = *defaultDir_;

    std::string shown = configDir1_.GetDir();
    if (shown.empty() || shown.front() != '/') shown = "/" + shown;
    showDir(shown);
    ui_->Dir_Path->setReadOnly(true);
    ui_->Finish_Button->setFocus();
}

void Configuration_Setup::showDir(const std::string& path) { ui_->Dir_Path->setText(QString::fromStdString(path)); }

void Configuration_Setup::Choose_Dir() {
    const std::optional<std::string> chosen =
        chooseFolder(this, "Choose a local directory in which to save configuration information.",
                     ui_->Dir_Path->text().toStdString());
    if (!chosen) return;
    // The chooser gives a plain file-system path, so names with blanks, "%" or other
    // characters that a URL would escape come through as they are.
    std::string folder = *chosen;
    while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
    if (folder != "/") folder += "/";
    selectdir_ = folder;
    configDir1_.setDir(selectdir_);
    if (!selectdir_.empty()) showDir(configDir1_.GetDir());
}

void Configuration_Setup::Defult() {
    selectdir_ = documentsFolder();
    showDir(yearFolder(selectdir_));
    configDir1_.SetBaseDir(selectdir_);
}

void Configuration_Setup::Restore() { Defult(); }

void Configuration_Setup::Default_Path() { showDir(yearFolder(documentsFolder())); }

void Configuration_Setup::Finish_sel() {
    const std::string base = configDir1_.GetBaseDir();
    // A new Linux account may have no Documents folder yet; the proposed folder is
    // made then, rather than refused as unusable. A folder the user picked is not.
    std::string folder = base;
    while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
    if (folder == platform::documentsDir() && !platform::fileExists(folder)) platform::createDirectories(folder);
    const bool usable = !base.empty() && platform::isReadable(base) && platform::isWritable(base);
    stopModal(this, usable ? kSetupUsableFolderCode : kSetupUnusableFolderCode);
}

void Configuration_Setup::Cancel_Setup() {
    MessageBoxRequest question;
    question.caption = "Exit Talvexa 1099?";
    question.details =
        "Talvexa 1099 is unable to run without the necessary configuration information. Do you want to exit "
        "Talvexa 1099 now?";
    question.cancelLabel = "No";
    question.style = kMessageStyleYesNo;
    question.image = kMessageImageError;
    if (runMessageBox(question).code == kMessageAnswerOkYes) {
        exitProcess(1);
        return;
    }
    stopModal(this, kSetupCancelledCode);
}

void Configuration_Setup::reject() { Cancel_Setup(); }
