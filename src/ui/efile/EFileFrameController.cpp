#include "ui/efile/EFileFrameController.h"

#include <fstream>

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include "core/efile/EFile.h"
#include "core/efile/EFile_NEC.h"
#include "core/foundation/FormErrorList.h"
#include "core/foundation/MessageBoxCodes.h"
#include "core/foundation/ScratchFolder.h"
#include "core/foundation/Session.h"
#include "core/foundation/Utils.h"
#include "core/foundation/tvDatabase.h"
#include "core/records/TransmitterChecks.h"
#include "core/store/CompanyDatabase.h"
#include "core/store/DatabaseHolder.h"
#include "platform/AtomicFileWriter.h"
#include "platform/FileSystem.h"
#include "platform/StandardPaths.h"
#include "ui/database/BoundWindowList.h"
#include "ui/efile/HowToEFile.h"
#include "ui/main/AppDelegate.h"
#include "ui/support/FileChoosers.h"
#include "ui/support/InvalidMarking.h"
#include "ui/support/ModalLoop.h"
#include "ui/support/TypingClamp.h"
#include "ui_EFileFrameController.h"

namespace {

const char kTitle[] = "1099 E-File";
// The save panel has no message area of its own: its message is its title.
const char kSavePanelTitle[] = "Save Text file as:";
const char kFederalName[] = "1099_E-File";

namespace tc = transmitterchecks;

// The ten text fields: outlet, typing limit, flag and record accessors.
struct TextField {
    const char* outlet;
    int limit;
    tc::Flag flag;
    const std::string& (E_FileInfo::*get)() const;
    void (E_FileInfo::*set)(std::string);
};

const TextField kTextFields[] = {
    {"TCC", tc::kTCCLimit, tc::kTCC, &E_FileInfo::getTCC, &E_FileInfo::setTCC},
    {"TIN", tc::kTINLimit, tc::kTIN, &E_FileInfo::getTIN, &E_FileInfo::setTIN},
    {"TName", tc::kNameLimit, tc::kName, &E_FileInfo::getName, &E_FileInfo::setName},
    {"TCompany", tc::kCompanyLimit, tc::kCompany, &E_FileInfo::getCompany, &E_FileInfo::setCompany},
    {"TAddress", tc::kAddressLimit, tc::kAddress, &E_FileInfo::getAddress, &E_FileInfo::setAddress},
    {"TCity", tc::kCityLimit, tc::kCity, &E_FileInfo::getCity, &E_FileInfo::setCity},
    {"TZip", tc::kZipLimit, tc::kZip, &E_FileInfo::getZip, &E_FileInfo::setZip},
    {"TCName", tc::kContactLimit, tc::kContact, &E_FileInfo::getContact, &E_FileInfo::setContact},
    {"TCPhone", tc::kPhoneLimit, tc::kPhone, &E_FileInfo::getPhone, &E_FileInfo::setPhone},
    {"TCEmail", tc::kEmailLimit, tc::kEmail, &E_FileInfo::getEmail, &E_FileInfo::setEmail},
};

QString qs(const std::string& text) { return QString::fromStdString(text); }

// Copies a built file to `to` under a temporary name renamed into place; the reason
// (naming the file) when it failed, with nothing left under `to`'s name.
std::string copyInto(const std::string& from, const std::string& to) {
    platform::AtomicFileWriter out(to);
    if (!out.ok()) return out.error();
    std::ifstream in(from, std::ios::binary);
    std::vector<char> chunk(1 << 16);
    while (in) {
        in.read(chunk.data(), static_cast<std::streamsize>(chunk.size()));
        if (in.gcount() > 0 && !out.write(std::string_view(chunk.data(), static_cast<std::size_t>(in.gcount()))))
            return out.error();
    }
    if (!in.eof()) {
        out.abandon();
        return "Could not read the e-file built in \"" + from + "\".";
    }
    if (!out.commit()) return out.error();
    return {};
}

}  // namespace

const std::array<const char*, 6> EFileFrameController::StateList = {kNoNECState, "KY", "ME", "NC", "OK", "WI"};

EFileFrameController::EFileFrameController(QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::EFileFrameController>()) {
    ui->setupUi(this);
    if (company_Refer) company_Refer->boundWindows().add(*this);
    windowDidLoad();
}

EFileFrameController::~EFileFrameController() {
    for (QLineEdit* edit : fields_) edit->disconnect(this);
}

std::unique_ptr<QWidget> EFileFrameController::make(QWidget* parent) {
    return std::make_unique<EFileFrameController>(parent);
}

// ---------------------------------------------------------------------------
// Load

void EFileFrameController::windowDidLoad() {
    ui->Statepopup->clear();
    for (const std::string& state : Utils::StateWithCode()) ui->Statepopup->addItem(qs(state));
    ui->StateNect_dropdown->clear();
    for (const char* item : StateList) ui->StateNect_dropdown->addItem(QString::fromLatin1(item));
    ui->StateNect_dropdown->setCurrentIndex(0);
    flags_.assign(tc::kFlagCount, true);

    const auto& dbh = session().DBH;
    if (auto db = dbh ? dbh->companyDatabase() : nullptr; db && db->IsReady()) theEFileInfo_ = db->getEFileInfo(1);

    ui->Create_btn->setDefault(true);
    for (std::size_t i = 0; i < std::size(kTextFields); ++i) {
        auto* edit = findChild<QLineEdit*>(QString::fromLatin1(kTextFields[i].outlet));
        fields_.push_back(edit);
        connect(edit, &QLineEdit::textEdited, this, [this, i](const QString& text) { textEdited(i, text); });
        connect(edit, &QLineEdit::editingFinished, this, [this, i] { fieldAction(i); });
    }
    previous_.assign(fields_.size(), QString());
    EFileInfoToView();

    connect(ui->Create_btn, &QPushButton::clicked, this, &EFileFrameController::CreateEFile);
    connect(ui->Cancel_btn, &QPushButton::clicked, this, &EFileFrameController::EFile_Cancel);
    connect(ui->Howtoefile_btn, &QPushButton::clicked, this, &EFileFrameController::HowToEFile);
    ui->TCC->setFocus(Qt::OtherFocusReason);
}

void EFileFrameController::EFileInfoToView() {
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        const QString text = qs((theEFileInfo_.*kTextFields[i].get)());
        fields_[i]->setText(text);
        fields_[i]->setCursorPosition(0);
        previous_[i] = text;
    }
    // A stored state that is no item shows "None".
    int state = ui->Statepopup->findText(qs(theEFileInfo_.getState()), Qt::MatchExactly);
    ui->Statepopup->setCurrentIndex(state > 0 ? state : 0);
    ui->CombineFiling->setChecked(theEFileInfo_.getCombinedFedState());
    ui->TestFile->setChecked(theEFileInfo_.getTest());
    const int nec = ui->StateNect_dropdown->findText(qs(theEFileInfo_.getNECState()), Qt::MatchExactly);
    if (nec >= 0) ui->StateNect_dropdown->setCurrentIndex(nec);
}

void EFileFrameController::ViewToEFileInfo() {
    for (std::size_t i = 0; i < fields_.size(); ++i) (theEFileInfo_.*kTextFields[i].set)(fields_[i]->text().toStdString());
    theEFileInfo_.setState(ui->Statepopup->currentText().toStdString());
    theEFileInfo_.setNECState(ui->StateNect_dropdown->currentText().toStdString());
    theEFileInfo_.setCombinedFedState(ui->CombineFiling->isChecked());
    theEFileInfo_.setTest(ui->TestFile->isChecked());
}

// ---------------------------------------------------------------------------
// Typing

void EFileFrameController::textEdited(std::size_t field, const QString& text) {
    clampTyping(fields_[field], text, previous_[field], kTextFields[field].limit);
}

// A text longer than the field's limit (a stored one) is cut when the user leaves the field.
void EFileFrameController::fieldAction(std::size_t field) {
    const std::string text = fields_[field]->text().toStdString();
    const int limit = kTextFields[field].limit;
    if (Utils::characterCount(text) <= static_cast<std::size_t>(limit)) return;
    const QString cut = qs(Utils::fromCodePoints(Utils::toCodePoints(text).substr(0, static_cast<std::size_t>(limit))));
    fields_[field]->setText(cut);
    previous_[field] = cut;
}

// ---------------------------------------------------------------------------
// Checks

bool EFileFrameController::Validate() {
    ViewToEFileInfo();
    flags_ = tc::checkTransmitter(theEFileInfo_);
    showErrors();
    transmitterSaved_ = false;
    if (!tc::allPass(flags_)) return false;
    transmitterSaved_ = saveTransmitter();
    return true;
}

void EFileFrameController::showErrors() {
    for (std::size_t i = 0; i < fields_.size(); ++i) markInvalid(fields_[i], !flags_[kTextFields[i].flag]);
    markInvalid(ui->Statepopup, !flags_[tc::kState]);
}

std::vector<std::string> EFileFrameController::generateErrorStrings() const {
    return tc::errorStrings(theEFileInfo_, flags_);
}

bool EFileFrameController::VerifySave() {
    const std::vector<std::string> messages = generateErrorStrings();
    return messages.empty() || showFormErrors(messages);
}

bool EFileFrameController::saveTransmitter() {
    const auto& dbh = session().DBH;
    auto db = dbh ? dbh->companyDatabase() : nullptr;
    return db && db->IsReady() && db->updateEFileInfo(theEFileInfo_);
}

// ---------------------------------------------------------------------------
// Creation

void EFileFrameController::CreateEFile() { createMethod(); }

void EFileFrameController::createMethod() {
    if (Validate()) {
        if (!transmitterSaved_) return;
    } else {
        if (!VerifySave()) return;
        // Going on stores the data as entered, failing fields included.
        ViewToEFileInfo();
        if (!saveTransmitter()) return;
    }
    const E_FileInfo transmitter = theEFileInfo_;

    // The file is built (and the recipients marked) before the user is asked where it
    // goes, in a folder of this run only inside the program's own scratch folder: taxpayer
    // numbers never lie in the system's shared temporary folder, and what a killed run
    // left there is cleared at the next start.
    std::string why;
    const std::string runFolder = runScratchFolder(why);
    if (runFolder.empty()) {
        showNotCreated("The E-File could not be built: no temporary folder could be made (" + why + ").");
        return;
    }
    QTemporaryDir scratch(qs(runFolder + "/efile-XXXXXX"));
    if (!scratch.isValid()) {
        showNotCreated("The E-File could not be built: no temporary folder could be made (" +
                       scratch.errorString().toStdString() + ").");
        return;
    }
    const std::string federal = scratch.filePath(QString::fromLatin1(kFederalName) + ".txt").toStdString();
    EFile writer;
    const EFileResult built = writer.Populate(transmitter, federal);
    if (!built.ok()) {
        // Nothing is saved and no state file is tried; the user can correct and retry.
        showNotCreated(built);
        return;
    }
    if (saveFolder_.empty())
        saveFolder_ = platform::isDirectory(platform::documentsDir()) ? platform::documentsDir() : platform::homeDir();
    saveBuiltFile(federal, std::string(kFederalName) + ".txt", "Successfully generated the E-File",
                  EFile::voidLeftOutText(built.voidLeftOut, "E-File"));

    const int chosen = ui->StateNect_dropdown->currentIndex();
    if (chosen >= 1 && chosen < static_cast<int>(StateList.size())) {
        const std::string state = StateList[static_cast<std::size_t>(chosen)];
        std::string failure;
        const std::optional<bool> any = EFile_NEC::selectedPayersHavePayeesIn(state, failure);
        if (!any) {
            showNotCreated("The E-File for " + state + " was not created: " + failure);
        } else if (!*any) {
            // The federal file alone was offered: the user is told why there is no state file.
            tvDatabase::tvMessageBox(EFile_NEC::noPayeeMessage(state), "", kMessageStyleOK, kTitle, kMessageImagePlain,
                                     false);
        } else {
            const std::string name = std::string(kFederalName) + "_" + state + ".txt";
            const std::string stateFile = scratch.filePath(qs(name)).toStdString();
            EFile_NEC stateWriter;
            const EFileResult stateBuilt = stateWriter.Populate(transmitter, stateFile);
            if (stateBuilt.ok())
                saveBuiltFile(stateFile, name, "Successfully generated the E-File For NEC State wise Filing.",
                              EFile::voidLeftOutText(stateBuilt.voidLeftOut, "E-File"));
            else
                showNotCreated(stateBuilt);
        }
    }
    // The window closes only now, once nothing of this run needs it any more.
    close();
}

void EFileFrameController::saveBuiltFile(const std::string& built, const std::string& proposedName,
                                         const std::string& success, const std::string& details) {
    const std::optional<std::string> chosen =
        chooseSaveFile(this, kSavePanelTitle, saveFolder_, proposedName, "Text File (*.txt)", "txt");
    if (!chosen) return;
    saveFolder_ = platform::folderOf(*chosen);
    const std::string failure = copyInto(built, *chosen);
    if (!failure.empty()) {
        tvDatabase::tvMessageBox("The E-File was not saved.", failure, kMessageStyleOK, kTitle, kMessageImageError,
                                 false);
        return;
    }
    tvDatabase::tvMessageBox(success, details, kMessageStyleOK, kTitle, kMessageImagePlain, false);
}

void EFileFrameController::showNotCreated(const EFileResult& result) {
    if (result.failure == EFileResult::Failure::cancelled) return;   // the user's own choice
    if (result.failure == EFileResult::Failure::empty)
        tvDatabase::tvMessageBox(result.message, "", kMessageStyleOK, kTitle, kMessageImagePlain, false);
    else
        showNotCreated(result.message);
}

void EFileFrameController::showNotCreated(const std::string& message) {
    tvDatabase::tvMessageBox("", message, kMessageStyleOK, kTitle, kMessageImageError, false);
}

// ---------------------------------------------------------------------------
// Help and closing

void EFileFrameController::HowToEFile() {
    if (!help_) help_ = std::make_unique<::HowToEFile>(this);
    runModal(help_.get());
}

void EFileFrameController::EFile_Cancel() { close(); }

void EFileFrameController::reject() { close(); }

bool EFileFrameController::closeWithPrompt() {
    close();
    return true;
}

void EFileFrameController::closeEvent(QCloseEvent* event) {
    leaveBoundWindowList();
    event->accept();
}
