#include "ui/efile/AdditionalPayersInformation.h"

#include <algorithm>

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>

#include "core/efile/EFile.h"
#include "core/efile/IrisExport.h"
#include "core/efile/IrisFile.h"
#include "core/foundation/FormErrorList.h"
#include "core/foundation/MessageBoxCodes.h"
#include "core/foundation/Session.h"
#include "core/foundation/TextScan.h"
#include "core/foundation/Utils.h"
#include "core/foundation/tvDatabase.h"
#include "core/records/IrisPayerChecks.h"
#include "core/store/Company.h"
#include "core/store/CompanyDatabase.h"
#include "core/store/DatabaseHolder.h"
#include "core/store/Recipient.h"
#include "core/store/RecipientInfo.h"
#include "platform/FileSystem.h"
#include "platform/StandardPaths.h"
#include "ui/efile/HowtoIRIS.h"
#include "ui/main/AppDelegate.h"
#include "ui/support/FileChoosers.h"
#include "ui/support/InvalidMarking.h"
#include "ui/support/ModalLoop.h"
#include "ui/support/TextLimits.h"
#include "ui/support/TypingClamp.h"
#include "ui_AdditionalPayersInformation.h"

using namespace irispayerchecks;

namespace {

QString qs(const std::string& s) { return QString::fromStdString(s); }
std::string ss(const QString& s) { return s.toStdString(); }

// The text fields in the order of the window's table: outlet, typing limit, cut.
enum Field {
    kBusinessNameField,
    kTaxIdField,
    kSuffixField,
    kFirstNameField,
    kMiddleNameField,
    kLastNameField,
    kPhoneField,
    kAddressLine1Field,
    kAddressLine2Field,
    kCityField,
    kZipField,
    kCountryField,
};

const char kErrorTitle[] = "1099 IRIS ERROR";

std::shared_ptr<CompanyDatabase> companyDatabase() {
    const auto& holder = session().DBH;
    return holder ? holder->companyDatabase() : nullptr;
}

// The payer of the selected recipients: that of the first one; without a stored
// recipient, the first selected payer.
int32_t selectionPayer(CompanyDatabase& db) {
    const Session& s = session();
    if (s.recp_details && !s.recp_details->selectedRecipients().empty()) {
        const RecipientInfo first = db.getRecipientInfo(s.recp_details->selectedRecipients().front());
        if (first.getPK() >= 0) return first.getCompany_FK();
    }
    if (s.comp_details && !s.comp_details->selectedCompanies().empty()) return s.comp_details->selectedCompanies().front();
    return 0;
}

bool endsWithCsv(const std::string& path) {
    return path.size() >= 4 && textscan::equalIgnoringCase(std::string_view(path).substr(path.size() - 4), ".csv");
}

}  // namespace

AdditionalPayersInformation::AdditionalPayersInformation(QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::AdditionalPayersInformation>()) {
    ui->setupUi(this);

    fields_ = {
        {ui->BussinessName, kBusinessNameLimit, kBusinessNameLimit},
        {ui->TaxerId_Number, kTaxIdLimit, kTaxIdLimit},
        {ui->Suffix, kNamePartLimit, kNamePartLimit},
        {ui->First_Name, kNamePartLimit, kNamePartLimit},
        {ui->Middle_Name, kNamePartLimit, kNamePartLimit},
        {ui->Last_Name, kNamePartLimit, kNamePartLimit},
        {ui->PayePhone, kPhoneLimit, kPhoneLimit},
        {ui->BussinessAdd_Line1, kAddressLimit, kAddressLimit},
        {ui->Bussinessadd2_Line2, kAddressLimit, kAddressLimit},
        {ui->PayerCity, kCityLimit, kCityLimit},
        {ui->PayerZip, kZipLimit, kZipLimit},
        {ui->PayerCountry, kCountryTypingLimit, kCountryLimit},
    };
    previousValues_.assign(fields_.size(), QString());
    edited_.assign(fields_.size(), false);

    // Pop-ups, the payer's checks all passing until run.
    LoadStates(ui->PayerState);
    savealert_ = false;
    ui->Name_type->clear();
    ui->Name_type->addItems({QString::fromLatin1(kIndividual), QString::fromLatin1(kBusinessName)});
    ui->TIN_Type->clear();
    ui->TIN_Type->addItems({QStringLiteral("SSN"), QStringLiteral("EIN")});
    ui->Phone_Type->clear();
    ui->Phone_Type->addItems({QString::fromLatin1(kDomestic), QString::fromLatin1(kInternational)});
    flags_.assign(kCheckCount, true);

    auto db = companyDatabase();
    if (db && db->IsReady()) {
        payerKey_ = selectionPayer(*db);
        theAAdditionalCompanyInfo_ = db->getCompanyInfo1(payerKey_);
    }
    CompanyInfoToView();

    for (std::size_t i = 0; i < fields_.size(); ++i) {
        connect(fields_[i].edit, &QLineEdit::textEdited, this, [this, i](const QString& text) { textEdited(i, text); });
        connect(fields_[i].edit, &QLineEdit::editingFinished, this, [this, i] { fieldAction(i); });
    }
    connect(ui->Name_type, &QComboBox::activated, this, &AdditionalPayersInformation::NameType_Action);
    connect(ui->TIN_Type, &QComboBox::activated, this, &AdditionalPayersInformation::TINType_Action);
    connect(ui->Phone_Type, &QComboBox::activated, this, &AdditionalPayersInformation::PhoneType_Action);
    connect(ui->PayerState, &QComboBox::activated, this, &AdditionalPayersInformation::PayerState_Action);
    connect(ui->CombFiling_PayrP, &QCheckBox::clicked, this, &AdditionalPayersInformation::CombineFiling_M);
    connect(ui->Submit, &QPushButton::clicked, this, &AdditionalPayersInformation::Submit_Action);
    connect(ui->Cancel, &QPushButton::clicked, this, &AdditionalPayersInformation::Cancel_Action);
    connect(ui->Export_P, &QPushButton::clicked, this, &AdditionalPayersInformation::Export_M);
    connect(ui->Howto_IRIS, &QPushButton::clicked, this, &AdditionalPayersInformation::How_to_IRIS_Action);

    // Once the payer has been checked, submitted or exported, its failing fields show
    // at every opening.
    if (session().ADDInfoEditflag) {
        const bool wasValidated = theAAdditionalCompanyInfo_.getValidated();
        if (Validate() && !wasValidated && db && db->IsReady() && theAAdditionalCompanyInfo_.getPK() >= 0) {
            // The flag is all that changes.
            (void)db->updateAdditioninfo(theAAdditionalCompanyInfo_);
        }
    }

    // The business name is the payer's name, kept in the payer window.
    ui->BussinessName->setEnabled(false);
    const ComapnyInfo& p = theAAdditionalCompanyInfo_;
    if (!p.getpayernametype().empty() && p.getfirstname().empty() && p.getTaxID1().empty()) {
        ui->Name_type->setCurrentIndex(0);
        for (QLineEdit* e : {ui->Suffix, ui->First_Name, ui->Middle_Name, ui->Last_Name}) e->setEnabled(true);
    } else {
        applyNameTypeRule();
    }
    ui->Submit->setEnabled(false);
    ui->Export_P->setEnabled(runChecks());

    saveFolder_ = platform::documentsDir();
    if (!platform::isDirectory(saveFolder_)) saveFolder_ = platform::homeDir();
}

AdditionalPayersInformation::~AdditionalPayersInformation() {
    // A window destroyed while shown hides on its way out, and the field that loses the
    // focus then ends its editing: by then this object is gone.
    for (const TextField& f : fields_) disconnect(f.edit, nullptr, this, nullptr);
}

void AdditionalPayersInformation::runFromMainWindow(QWidget* parent) {
    {
        AdditionalPayersInformation window(parent);
        runModal(&window);
    }
    if (company_Refer) company_Refer->EnableMenuButtons();
}

std::string AdditionalPayersInformation::REC_TYPE(int32_t kind) { return IrisFile::REC_TYPE(kind); }

// ---------------------------------------------------------------------------
// Record and view

void AdditionalPayersInformation::LoadStates(QComboBox* list) {
    list->clear();
    for (const std::string& state : Utils::StateWithCode()) list->addItem(qs(state));
}

void AdditionalPayersInformation::CompanyInfoToView() {
    const ComapnyInfo& p = theAAdditionalCompanyInfo_;
    // Types not chosen yet are proposed from the payer's own taxpayer number: a payer
    // with an EIN is a business.
    const bool ssn = p.getTaxIDIsSSN();
    if (p.getpayernametype().empty())
        ui->Name_type->setCurrentIndex(ssn ? 0 : 1);
    else
        ui->Name_type->setCurrentIndex(p.getpayernametype() == kBusinessName ? 1 : 0);
    const std::string tinType = textscan::upper(p.getpayertintype());
    if (tinType.empty())
        ui->TIN_Type->setCurrentIndex(ssn ? 0 : 1);
    else
        ui->TIN_Type->setCurrentIndex(tinType == "SSN" ? 0 : 1);
    ui->Phone_Type->setCurrentIndex(p.getphone_type() == kDomestic || p.getphone_type().empty() ? 0 : 1);
    int state = 0;
    for (int i = 1; i < ui->PayerState->count(); ++i)
        if (ss(ui->PayerState->itemText(i)) == p.getState()) state = i;
    ui->PayerState->setCurrentIndex(state);

    const std::string* texts[] = {&p.getName(),        &p.getTaxID1(),  &p.getpayersuffix(),
                                  &p.getfirstname(),   &p.getmiddleName(), &p.getpayerlastname(),
                                  &p.getPhone(),       &p.getAddress(), &p.getbussinessadd2(),
                                  &p.getCity(),        &p.getZip(),     &p.getpayercountry()};
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        fields_[i].edit->setText(qs(*texts[i]));
        previousValues_[i] = fields_[i].edit->text();
    }
    ui->CombFiling_PayrP->setChecked(p.getCombineStateIRIS());
}

void AdditionalPayersInformation::ViewToCompanyInfo() { viewInto(theAAdditionalCompanyInfo_); }

void AdditionalPayersInformation::viewInto(ComapnyInfo& p) const {
    auto text = [this](Field f) { return ss(fields_[f].edit->text()); };
    p.setPayernametype(ss(ui->Name_type->currentText()));
    p.setPayertintype(ss(ui->TIN_Type->currentText()));
    p.setName(text(kBusinessNameField));
    p.setTaxID1(text(kTaxIdField));
    p.setPayersuffix(text(kSuffixField));
    p.setPayerfirstname(text(kFirstNameField));
    p.setPayermiddleName(text(kMiddleNameField));
    p.setPayerlastname(text(kLastNameField));
    p.setPayerphone_type(ss(ui->Phone_Type->currentText()));
    p.setPhone1(text(kPhoneField));
    p.setAddress1(text(kAddressLine1Field));
    p.setPayerbussinessadd2(text(kAddressLine2Field));
    p.setCity1(text(kCityField));
    p.setState1(ss(ui->PayerState->currentText()));
    p.setZip1(text(kZipField));
    p.setpayercountry(text(kCountryField));
    p.setCombineStateIRIS(ui->CombFiling_PayrP->isChecked());
}

// ---------------------------------------------------------------------------
// Checks

bool AdditionalPayersInformation::runChecks() {
    // The controls as they are, without touching the record before it is saved.
    ComapnyInfo shown = theAAdditionalCompanyInfo_;
    viewInto(shown);
    flags_ = checkPayer(shown);
    return allPass(flags_);
}

// The checks, shown in the fields' colours; the payer record is marked validated or not.
bool AdditionalPayersInformation::Validate() {
    const bool valid = runChecks();
    showErrors();
    theAAdditionalCompanyInfo_.setValidated(valid);
    return valid;
}

void AdditionalPayersInformation::setInvalid(QWidget* w, bool invalid) {
    markInvalid(w, invalid);
    if (w != ui->BussinessName || !invalid) return;
    // The business name is shown here without letting it be edited: it shows red too.
    QPalette palette = w->palette();
    palette.setColor(QPalette::Disabled, QPalette::Text, palette.color(QPalette::Active, QPalette::Text));
    palette.setColor(QPalette::Disabled, QPalette::Base, palette.color(QPalette::Active, QPalette::Base));
    w->setPalette(palette);
}

void AdditionalPayersInformation::showErrors() {
    const std::pair<QWidget*, Check> marked[] = {
        {ui->BussinessName, kBusinessNameCheck}, {ui->TaxerId_Number, kTaxIdCheck},
        {ui->Suffix, kSuffixCheck},              {ui->First_Name, kFirstNameCheck},
        {ui->Middle_Name, kMiddleNameCheck},     {ui->Last_Name, kLastNameCheck},
        {ui->PayePhone, kPhoneCheck},            {ui->BussinessAdd_Line1, kAddressLine1Check},
        {ui->Bussinessadd2_Line2, kAddressLine2Check}, {ui->PayerCity, kCityCheck},             {ui->PayerZip, kZipCheck},
        {ui->PayerCountry, kCountryCheck},       {ui->PayerState, kStateCheck},
    };
    for (const auto& [control, check] : marked) setInvalid(control, !flags_[check]);
}

std::vector<std::string> AdditionalPayersInformation::generateErrorStrings() const {
    return errorStrings(flags_, ss(ui->Phone_Type->currentText()));
}

bool AdditionalPayersInformation::VerifySave() {
    if (!flags_[kNameTypeCheck]) {
        const bool cancelEnabled = ui->Cancel->isEnabled();
        ui->Cancel->setEnabled(false);
        tvDatabase::tvMessageBox("", kNameTypeMissing, kMessageStyleOK, "Error", kMessageImagePlain, false);
        ui->Cancel->setEnabled(cancelEnabled);
    }
    const std::vector<std::string> errors = generateErrorStrings();
    if (errors.empty()) return true;
    return showFormErrors(errors);
}

bool AdditionalPayersInformation::DoSave() {
    ViewToCompanyInfo();
    if (ui->Name_type->currentText().isEmpty() || ui->TIN_Type->currentText().isEmpty()) {
        Validate();
        VerifySave();
    }
    auto db = companyDatabase();
    if (!db || !db->IsReady()) return false;
    return db->updateCompanyInfo(theAAdditionalCompanyInfo_);
}

// ---------------------------------------------------------------------------
// Rules

void AdditionalPayersInformation::changeRule() {
    if (ui->Submit->isEnabled()) return;
    ui->Submit->setEnabled(true);
    ui->Export_P->setEnabled(false);
}

void AdditionalPayersInformation::applyNameTypeRule() {
    const bool business = ui->Name_type->currentIndex() == 1 && ui->Name_type->isEnabled();
    for (QLineEdit* e : {ui->Suffix, ui->First_Name, ui->Middle_Name, ui->Last_Name}) {
        if (business) {
            e->clear();
            const auto at = std::find_if(fields_.begin(), fields_.end(), [e](const TextField& f) { return f.edit == e; });
            previousValues_[static_cast<std::size_t>(at - fields_.begin())] = QString();
        }
        e->setEnabled(!business);
    }
    changeRule();
}

void AdditionalPayersInformation::choiceChanged() {
    savealert_ = true;
    changeRule();
}

void AdditionalPayersInformation::NameType_Action() {
    applyNameTypeRule();
    savealert_ = true;
}

void AdditionalPayersInformation::TINType_Action() { choiceChanged(); }
void AdditionalPayersInformation::PhoneType_Action() { choiceChanged(); }
void AdditionalPayersInformation::PayerState_Action() { choiceChanged(); }
void AdditionalPayersInformation::CombineFiling_M() { choiceChanged(); }

// A keystroke or paste that makes the text longer than the field's limit is undone (a
// text stored longer may still be shortened); any change is pending until saved.
void AdditionalPayersInformation::textEdited(std::size_t field, const QString& text) {
    savealert_ = true;
    changeRule();
    if (clampTyping(fields_[field].edit, text, previousValues_[field], fields_[field].limit)) edited_[field] = true;
}

void AdditionalPayersInformation::fieldAction(std::size_t field) {
    QLineEdit* edit = fields_[field].edit;
    bool changed = edited_[field];
    edited_[field] = false;
    const QString cut = textlimits::firstCharacters(edit->text(), fields_[field].cut);
    if (cut != edit->text()) {
        edit->setText(cut);
        previousValues_[field] = cut;
        changed = true;
    }
    if (changed) changeRule();
}

// ---------------------------------------------------------------------------
// Submit, help, closing

void AdditionalPayersInformation::Submit_Action() {
    session().ADDInfoEditflag = true;
    const bool valid = Validate();
    if (!valid && !VerifySave()) return;
    ViewToCompanyInfo();
    theAAdditionalCompanyInfo_.setValidated(valid);
    auto db = companyDatabase();
    // A save that fails has told the user why; the change stays pending.
    if (!db || !db->IsReady() || !db->updateAdditioninfo(theAAdditionalCompanyInfo_)) return;
    savealert_ = false;
    refreshMainWindow(true);
    ui->TaxerId_Number->setFocus();
    ui->Submit->setEnabled(false);
    ui->Export_P->setEnabled(true);
    if (valid) {
        tvDatabase::tvMessageBox("Payer Additional Information Sucessfully Updated.", "", kMessageStyleOK, "",
                                 kMessageImagePlain, false);
    } else {
        // Saved as the user chose, but not valid: that is no success.
        tvDatabase::tvMessageBox("Payer Additional Information saved with errors.",
                                 "The payer is not valid for IRIS until the fields shown in red are corrected.",
                                 kMessageStyleOK, "", kMessageImageError, false);
    }
}

void AdditionalPayersInformation::How_to_IRIS_Action() {
    session().ADDInfoEditflag = true;
    if (!Howtoirs) Howtoirs = std::make_unique<HowtoIRIS>(this);
    runModal(Howtoirs.get());
}

void AdditionalPayersInformation::refreshMainWindow(bool reselectCompanies) {
    AppDelegate* main = company_Refer;
    if (!main) return;
    // The lists are refilled and reselected; what the user had selected stays selected,
    // and it is what the export goes on working on.
    Session& s = session();
    const Company companies = s.comp_details ? *s.comp_details : Company();
    const Recipient recipients = s.recp_details ? *s.recp_details : Recipient();
    main->Refresh();
    main->FillCompanyList();
    if (reselectCompanies) main->ReselectCompanies();
    if (s.comp_details) {
        s.comp_details->setSelectedCompanies(companies.selectedCompanies());
        s.comp_details->setSelectedType(companies.selectedType());
    }
    if (s.recp_details) {
        s.recp_details->setSelectedRecipients(recipients.selectedRecipients());
        s.recp_details->setSelectedType(recipients.selectedType());
    }
}

void AdditionalPayersInformation::endRun() {
    ending_ = true;
    stopModal(this, kClosedCode);
    hide();
    ending_ = false;
}

void AdditionalPayersInformation::Cancel_Action() {
    if (!savealert_) {
        refreshMainWindow(false);
        endRun();
        return;
    }
    const int answer = tvDatabase::tvMessageBox(
        "Save before closing?", "You may have unsaved changes. Would you like to save before closing?",
        kMessageStyleYesNoCancel, "Payer'S Inforamtion", kMessageImagePrompt, false);
    if (answer == kMessageAnswerNo || (answer == kMessageAnswerOkYes && DoSave())) {
        refreshMainWindow(false);
        endRun();
        return;
    }
    // Cancel (or a save that failed): the window stays with its changes.
    ui->Cancel->setFocus();
}

bool AdditionalPayersInformation::windowShouldClose() {
    if (savealert_) {
        const int answer = tvDatabase::tvMessageBox(
            "Save before closing?", "You may have unsaved changes. Would you like to save before closing?",
            kMessageStyleYesNoCancel, "Payer'S Information", kMessageImagePrompt, false);
        if (answer == kMessageAnswerOkYes) {
            if (!DoSave()) return false;
        } else if (answer != kMessageAnswerNo) {
            return false;
        }
    }
    refreshMainWindow(true);
    return true;
}

void AdditionalPayersInformation::reject() {
    if (ending_) return;
    if (windowShouldClose()) endRun();
}

void AdditionalPayersInformation::closeEvent(QCloseEvent* event) {
    if (ending_ || !isVisible()) {
        event->accept();
        return;
    }
    if (windowShouldClose()) {
        event->accept();
        endRun();
    } else {
        event->ignore();
    }
}

// ---------------------------------------------------------------------------
// Export

void AdditionalPayersInformation::refuse(const std::string& text) {
    tvDatabase::tvMessageBox(text, "", kMessageStyleOK, kErrorTitle, kMessageImageError, false);
}

bool AdditionalPayersInformation::exportRefused(int32_t kind, const std::vector<int32_t>& keys) {
    if (kind == 0 || IrisFile::REC_TYPE(kind).empty()) {
        if (keys.empty())
            refuse("To generate an IRIS, please select one or more Recipients.");
        else
            refuse("Select the appropriate 1099 type from the 'All forms' dropdown (above the recipient list, right "
                   "of center). Then, choose the recipients for IRIS file generation and click 'Export IRIS File'.");
        return true;
    }
    if (keys.empty()) {
        refuse("Select at least one recipient to generate an IRIS file.");
        return true;
    }
    return false;
}

bool AdditionalPayersInformation::saveFile(const std::string& proposedName, const std::string& text) {
    for (;;) {
        std::optional<std::string> path =
            chooseSaveFile(this, "Save CSV file as:", saveFolder_, proposedName, "CSV files (*.csv)");
        if (!path) return false;
        if (!endsWithCsv(*path)) *path += ".csv";
        saveFolder_ = platform::folderOf(*path);
        const std::string failure = IrisExport::save(*path, text);
        if (failure.empty()) return true;
        tvDatabase::tvMessageBox("The CSV file could not be saved.", failure, kMessageStyleOK, kErrorTitle,
                                 kMessageImageError, false);
    }
}

void AdditionalPayersInformation::Export_M() {
    Session& s = session();
    s.ADDInfoEditflag = true;
    if (s.type == 0) return;

    // The payer is checked and saved first; going back to correct it stops the export.
    const bool valid = Validate();
    if (!valid && !VerifySave()) return;
    ViewToCompanyInfo();
    theAAdditionalCompanyInfo_.setValidated(valid);
    auto db = companyDatabase();
    if (!db || !db->IsReady() || !db->updateCompanyInfo(theAAdditionalCompanyInfo_)) return;
    savealert_ = false;

    const int32_t kind = s.recp_details ? s.recp_details->getType() : 0;
    const std::vector<int32_t> keys = s.recp_details ? s.recp_details->selectedRecipients() : std::vector<int32_t>{};
    if (exportRefused(kind, keys)) return;

    IrisExport exporter(*db, keys);
    const auto payers = exporter.payers();
    if (!payers) {
        tvDatabase::tvMessageBox("The IRIS file could not be built.", exporter.failure(), kMessageStyleOK,
                                 kErrorTitle, kMessageImageError, false);
        return;
    }
    if (exporter.recipientCount() == 0) {
        refuse(std::string("No IRIS file was created: every selected recipient is void. ") +
               IrisExport::kVoidNotUploaded);
        return;
    }
    if (payers->size() > 1) {
        refuse("The selected recipients belong to more than one payer. Select the recipients of one payer to "
               "generate an IRIS file.");
        return;
    }

    IrisFile builder;
    // An entry the upload cannot take refuses the whole export, before any file is saved.
    if (const std::optional<std::string> refusal = exporter.refusal(builder, kind, payerKey_)) {
        if (exporter.cancelled()) return;   // stopped before any file was saved
        if (refusal->empty()) {
            tvDatabase::tvMessageBox("The IRIS file could not be built.", exporter.failure(), kMessageStyleOK,
                                     kErrorTitle, kMessageImageError, false);
        } else {
            refuse(*refusal);
        }
        return;
    }
    // A TIN type that contradicts its number is listed like the payer's faults: going
    // back to correct it stops the export.
    if (!exporter.tinTypeMismatches().empty() && !showFormErrors(exporter.tinTypeMismatches())) return;
    bool savedAny = false;
    std::string voidLeftOut = EFile::voidLeftOutText(exporter.voidLeftOut(), "IRIS files");
    if (!voidLeftOut.empty()) voidLeftOut += std::string(" ") + IrisExport::kVoidNotUploaded;
    const std::size_t files = exporter.fileCount();
    for (std::size_t file = 0; file < files; ++file) {
        std::string text;
        {
            std::vector<IrisRecipient> recipients;
            const ComapnyInfo payer = db->getCompanyInfoIRIS(payerKey_);
            if (!exporter.readFile(file, recipients) || payer.getPK() < 0) {
                tvDatabase::tvMessageBox("The IRIS file could not be built.",
                                         payer.getPK() < 0 ? "The payer could not be read from the company database."
                                                           : exporter.failure(),
                                         kMessageStyleOK, kErrorTitle, kMessageImageError, false);
                break;
            }
            text = builder.build(kind, payer, recipients);
        }
        if (!builder.refusal().empty()) {
            refuse(builder.refusal());
            break;
        }
        if (!saveFile(IrisFile::proposedName(kind, file), text)) continue;
        savedAny = true;
        const auto [first, end] = IrisFile::recipientRange(exporter.recipientCount(), file);
        tvDatabase::tvMessageBox("Successfully created CSV File for recipients " + std::to_string(first + 1) + " to " +
                                     std::to_string(end) + ".",
                                 voidLeftOut, kMessageStyleOK,
                                 "1099 IRIS-Efile", kMessageImagePlain, false);
    }
    if (savedAny) endRun();
}
