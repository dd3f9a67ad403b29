#include "ui/company/CompanyController.h"

#include <algorithm>

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "core/foundation/FormErrorList.h"
#include "core/foundation/MessageBoxCodes.h"
#include "core/foundation/Session.h"
#include "core/foundation/Utils.h"
#include "core/foundation/tvDatabase.h"
#include "core/records/PayerChecks.h"
#include "core/store/Company.h"
#include "core/store/CompanyDatabase.h"
#include "ui/database/DatabaseListSupport.h"
#include "ui/main/AppDelegate.h"
#include "ui/support/InvalidMarking.h"
#include "ui/support/TextLimits.h"
#include "ui/support/TypingClamp.h"
#include "ui_CompanyController.h"

using namespace payerchecks;

namespace {

QString qs(const std::string& text) { return QString::fromStdString(text); }
std::string text(const QLineEdit* edit) { return edit->text().toStdString(); }

const QStringList& filingMethodTitles() {
    static const QStringList titles{QStringLiteral("PRINT"), QStringLiteral("FIRE"), QStringLiteral("IRIS")};
    return titles;
}

void showFilingMethod(QComboBox* box, const std::string& stored) {
    box->setCurrentIndex(std::max(0, box->findText(qs(filingMethod(stored)), Qt::MatchExactly)));
}

}  // namespace

CompanyController* CompanyController::create(QWidget* parent) {
    const Session& s = session();
    auto db = sessionCompanyDatabase();
    if (!db || !db->IsReady() || !s.comp_details) return nullptr;
    int32_t key = -1;
    if (s.comp_details->ModeIsEdit()) {
        const std::vector<int32_t>& keys = s.comp_details->selectedCompanies();
        if (keys.empty() || db->getCompanyInfo1(keys.front()).getPK() < 0) return nullptr;
        key = keys.front();
    }
    return new CompanyController(key, parent ? parent : company_Refer);
}

CompanyController::CompanyController(int32_t payerKey, QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::CompanyController>()), edit_(payerKey >= 0) {
    ui_->setupUi(this);
    setAttribute(Qt::WA_DeleteOnClose);
    if (company_Refer) company_Refer->boundWindows().add(*this);

    fields_ = {
        {ui_->Payers_Name, kNameLimit, kName, {}},
        {ui_->payersFederal_ID, kFederalIDLimit, kFederalID, {}},
        {ui_->Payers_Address, kAddressLimit, kAddress, {}},
        {ui_->Payers_City, kCityLimit, kCity, {}},
        {ui_->Payers_Zip, kZipLimit, kZip, {}},
        {ui_->Payers_Phone, kPhoneLimit, kPhone, {}},
        {ui_->Contact_Person, kContactPersonLimit, kContactPerson, {}},
        {ui_->Contact_Phone, kContactPhoneLimit, kContactPhone, {}},
        {ui_->Contact_Email_Address, kEmailLimit, kEmail, {}},
        {ui_->Contact_FaxNumber, kFaxLimit, kFax, {}},
        {ui_->Oregon_Bin, kOregonBINLimit, kOregonBIN, {}},
    };
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        QLineEdit* edit = fields_[i].edit;
        connect(edit, &QLineEdit::textEdited, this, [this, i](const QString& t) { LengthValidation(fields_[i], t); });
        connect(edit, &QLineEdit::editingFinished, this, [this, i] { fieldAction(fields_[i]); });
    }
    const auto changed = [this] {
        if (edit_) markChanged();
    };
    for (QComboBox* box : {ui_->Statepopup, ui_->Misctype, ui_->divtype, ui_->inttype, ui_->rtype, ui_->stype,
                           ui_->nectype})
        connect(box, &QComboBox::activated, this, changed);
    for (QCheckBox* box : {ui_->Tax_ID_SocialSec_CheckBox, ui_->Final_Return_CeckBox})
        connect(box, &QCheckBox::clicked, this, changed);
    connect(ui_->Addcom_BtnProperty, &QPushButton::clicked, this, &CompanyController::AddCompany_BtnClick);
    connect(ui_->UpdateCom_Btnproperty, &QPushButton::clicked, this, &CompanyController::UpdateCompany_BtnClick);
    connect(ui_->Cancel_btnProperty, &QPushButton::clicked, this, &CompanyController::Cancel);

    windowDidLoad(payerKey);
}

CompanyController::~CompanyController() {
    // The fields outlive this part of the window; a field losing the focus while the
    // window goes away must not reach it.
    for (const TextField& f : fields_) f.edit->disconnect(this);
}

// ---------------------------------------------------------------------------
// Opening

void CompanyController::windowDidLoad(int32_t payerKey) {
    ui_->Cancel_btnProperty->setEnabled(true);
    flags_.assign(kFlagCount, true);
    theCompanyInfo_ = ComapnyInfo();
    ui_->Payers_Name->setReadOnly(true);
    ui_->Payers_Name->setEnabled(false);
    ui_->Addcom_BtnProperty->setDefault(true);
    for (QComboBox* box : {ui_->Misctype, ui_->divtype, ui_->inttype, ui_->rtype, ui_->stype, ui_->nectype}) {
        box->clear();
        box->addItems(filingMethodTitles());
    }
    ui_->UpdateCom_Btnproperty->setEnabled(false);
    SetTabingOrder();

    ui_->Statepopup->clear();
    for (const std::string& state : Utils::StateWithCode()) ui_->Statepopup->addItem(qs(state));
    ViewToCompanyInfo();
    CompanyInfoToView();

    if (edit_) {
        ui_->Addcom_BtnProperty->setEnabled(false);
        theCompanyInfo_ = sessionCompanyDatabase()->getCompanyInfo1(payerKey);
        const bool oregon = isOregon(theCompanyInfo_.getState());
        ui_->Oregonfield->setVisible(oregon);
        ui_->Oregon_Bin->setVisible(oregon);
        CompanyInfoToView();
        if (session().CompanyInfoEditflag || !theCompanyInfo_.getTaxID1().empty()) Validate();
    } else {
        ui_->Addcom_BtnProperty->setEnabled(true);
        ui_->UpdateCom_Btnproperty->setEnabled(false);
        ui_->Oregonfield->hide();
        ui_->Oregon_Bin->hide();
    }
    CompanyInfoToView();
    ui_->payersFederal_ID->setFocus(Qt::OtherFocusReason);
}

// Tab goes through the payer's details to the buttons; the Oregon BIN, the check boxes
// and the filing methods follow the buttons.
void CompanyController::SetTabingOrder() {
    QWidget* const chain[] = {ui_->Payers_Name,       ui_->payersFederal_ID,    ui_->Payers_Address,
                              ui_->Payers_City,       ui_->Statepopup,          ui_->Payers_Zip,
                              ui_->Payers_Phone,      ui_->Contact_Person,      ui_->Contact_Phone,
                              ui_->Contact_Email_Address, ui_->Contact_FaxNumber, ui_->Addcom_BtnProperty,
                              ui_->UpdateCom_Btnproperty, ui_->Cancel_btnProperty, ui_->Oregon_Bin,
                              ui_->Tax_ID_SocialSec_CheckBox, ui_->Final_Return_CeckBox, ui_->Misctype,
                              ui_->divtype,           ui_->inttype,             ui_->rtype,
                              ui_->stype,             ui_->nectype};
    for (std::size_t i = 1; i < std::size(chain); ++i) QWidget::setTabOrder(chain[i - 1], chain[i]);
}

// ---------------------------------------------------------------------------
// Mapping

void CompanyController::setFieldText(TextField& field, const QString& t) {
    field.edit->setText(t);
    field.edit->setCursorPosition(0);
    field.previous = t;
}

void CompanyController::CompanyInfoToView() {
    const ComapnyInfo& c = theCompanyInfo_;
    showFilingMethod(ui_->Misctype, c.getmisctype());
    showFilingMethod(ui_->divtype, c.getdivtype());
    showFilingMethod(ui_->inttype, c.getinttype());
    showFilingMethod(ui_->rtype, c.getrtype());
    showFilingMethod(ui_->stype, c.getstype());
    showFilingMethod(ui_->nectype, c.getnectype());
    const std::string* texts[] = {&c.getName(),  &c.getTaxID1(),       &c.getAddress(), &c.getCity(),
                                  &c.getZip(),   &c.getPhone(),        &c.getContact(), &c.getContactPhone(),
                                  &c.getEmail(), &c.getFax(),          &c.getOregonBIN()};
    for (std::size_t i = 0; i < fields_.size(); ++i) setFieldText(fields_[i], qs(*texts[i]));
    // A stored state that is no item of the list shows as "None".
    int state = 0;
    for (int i = 1; i < ui_->Statepopup->count(); ++i) {
        if (ui_->Statepopup->itemText(i).toStdString() == c.getState()) {
            state = i;
            break;
        }
    }
    ui_->Statepopup->setCurrentIndex(state);
    ui_->Tax_ID_SocialSec_CheckBox->setChecked(c.getTaxIDIsSSN());
    ui_->Final_Return_CeckBox->setChecked(c.getFinalFlag());
}

// The fields as shown, untrimmed; the key, the validated flag and the columns this
// window does not show keep the record's values.
void CompanyController::readView(ComapnyInfo& c) const {
    c.setmisctype(ui_->Misctype->currentText().toStdString());
    c.setdivtype(ui_->divtype->currentText().toStdString());
    c.setinttype(ui_->inttype->currentText().toStdString());
    c.setrtype(ui_->rtype->currentText().toStdString());
    c.setstype(ui_->stype->currentText().toStdString());
    c.setnectype(ui_->nectype->currentText().toStdString());
    c.setName(text(ui_->Payers_Name));
    c.setTaxID1(text(ui_->payersFederal_ID));
    c.setOregonBIN(text(ui_->Oregon_Bin));
    c.setAddress1(text(ui_->Payers_Address));
    c.setCity1(text(ui_->Payers_City));
    c.setState1(ui_->Statepopup->currentText().toStdString());
    c.setZip1(text(ui_->Payers_Zip));
    c.setPhone1(text(ui_->Payers_Phone));
    c.setContact(text(ui_->Contact_Person));
    c.setContactPhone(text(ui_->Contact_Phone));
    c.setEmail(text(ui_->Contact_Email_Address));
    c.setFax(text(ui_->Contact_FaxNumber));
    c.setTaxIDIsSSN(ui_->Tax_ID_SocialSec_CheckBox->isChecked());
    c.setFinalFlag(ui_->Final_Return_CeckBox->isChecked());
}

void CompanyController::ViewToCompanyInfo() { readView(theCompanyInfo_); }

// ---------------------------------------------------------------------------
// Checks

// Checks the fields as shown and marks the failing ones; the record's validated flag
// (in memory) follows the result.
bool CompanyController::checkFields() {
    ComapnyInfo shown = theCompanyInfo_;
    readView(shown);
    flags_ = checkPayer(shown);
    showErrors();
    const bool valid = allPass(flags_);
    theCompanyInfo_.setValidated(valid);
    return valid;
}

// The check at opening: a stored payer whose fields all pass is marked validated in
// its row at once.
bool CompanyController::Validate() {
    const bool valid = checkFields();
    if (valid && theCompanyInfo_.getPK() >= 0) {
        // A failure has been reported by the store; the window shows the payer either way.
        (void)sessionCompanyDatabase()->updateCompanyInfo(theCompanyInfo_);
    }
    return valid;
}

void CompanyController::showErrors() {
    for (const TextField& f : fields_)
        if (f.flag >= 0) markInvalid(f.edit, !flags_[static_cast<std::size_t>(f.flag)]);
    markInvalid(ui_->Statepopup, !flags_[kState]);
}

void CompanyController::payerNameMessage() {
    tvDatabase::tvMessageBox("", "You must enter a Payer Name between 1 and 40 characters to save this Company.",
                             kMessageStyleOK, "Error", kMessageImagePlain, false);
    ui_->UpdateCom_Btnproperty->setEnabled(false);
    ui_->Cancel_btnProperty->setEnabled(true);
}

// After a failed check: the error list, with the choice to save anyway. Going back to
// correct the payer keeps its changes unsaved, and Update with them, so that closing
// still asks about them.
bool CompanyController::VerifySave() {
    const bool updateWasEnabled = ui_->UpdateCom_Btnproperty->isEnabled();
    if (!flags_[kName]) payerNameMessage();
    const std::vector<std::string> errors = errorStrings(flags_);
    if (errors.empty()) return true;
    ui_->UpdateCom_Btnproperty->setEnabled(false);
    const bool saveAnyway = showFormErrors(errors);
    if (!saveAnyway) ui_->UpdateCom_Btnproperty->setEnabled(updateWasEnabled);
    return saveAnyway;
}

// The first step of Add and Update: a payer now in Oregon whose BIN field is hidden
// gets the field and the notice, and nothing is saved this time. True when the notice
// was shown; answer receives the code that closed it.
bool CompanyController::oregonBINCheck(int32_t& answer) {
    if (!isOregonBINShown() && showOregonBIN()) {
        ui_->Oregonfield->show();
        ui_->Oregon_Bin->show();
        ui_->Oregonfield->setEnabled(true);
        ui_->Oregon_Bin->setEnabled(true);
        if (edit_) ui_->UpdateCom_Btnproperty->setEnabled(true);
        answer = tvDatabase::tvMessageBox(
            "", "A new field for 'Oregon BIN' has been added. Please go back and enter your Oregon BIN if necessary.",
            kMessageStyleOK, "Oregon BIN", kMessageImagePlain, false);
        ui_->Oregon_Bin->setFocus(Qt::OtherFocusReason);
        return true;
    }
    if (isOregonBINShown()) {
        ui_->Oregonfield->setEnabled(true);
        ui_->Oregon_Bin->setEnabled(true);
    }
    return false;
}

bool CompanyController::isOregonBINShown() const { return !ui_->Oregon_Bin->isHidden(); }

bool CompanyController::showOregonBIN() const { return isOregon(ui_->Statepopup->currentText().toStdString()); }

// ---------------------------------------------------------------------------
// Saving

void CompanyController::UpdateCompany_BtnClick() {
    if (!edit_) return;
    int32_t answer = 0;
    if (oregonBINCheck(answer)) return;
    if (!checkFields() && !VerifySave()) return;
    ViewToCompanyInfo();
    CompanyInfoToView();
    // A refused write has been reported by the store: the window stays with its changes.
    if (!sessionCompanyDatabase()->updateCompanyInfo(theCompanyInfo_)) return;
    session().comp_details->selectedCompanies().push_back(theCompanyInfo_.getPK());
    refreshMainWindow();
    endWindow();
}

void CompanyController::AddCompany_BtnClick() {
    if (edit_) return;
    int32_t answer = 0;
    if (oregonBINCheck(answer) && answer == kMessageAnswerOkYes) return;
    if (!checkFields() && !VerifySave()) return;
    ViewToCompanyInfo();
    CompanyInfoToView();
    auto db = sessionCompanyDatabase();
    if (!db->insertCompanyInfo(theCompanyInfo_)) return;
    const int32_t key = db->getCompanyPK();
    Company& held = *session().comp_details;
    held.setSelectedCompanies({key});
    held.setSelectedType({1});
    if (AppDelegate* main = company_Refer) {
        main->Refresh();
        main->FillCompanyList();
        main->ReselectCompanies();
        main->setCompanycontrol(nullptr);
    }
    endWindow();
}

// The close prompt's save: the payer as shown, stored with the result of its check,
// without asking. A payer without a name or federal ID gets the error list afterwards.
// False when the store refused the write.
bool CompanyController::DoSave() {
    if (!ui_->UpdateCom_Btnproperty->isEnabled()) return true;
    const bool noName = ui_->Payers_Name->text().isEmpty();
    const bool noFederalID = ui_->payersFederal_ID->text().isEmpty();
    const bool valid = checkFields();
    ViewToCompanyInfo();
    theCompanyInfo_.setValidated(valid);
    if (!sessionCompanyDatabase()->updateCompanyInfo(theCompanyInfo_)) return false;
    if (noName || noFederalID) {
        checkFields();
        (void)VerifySave();   // shown for information: the payer is stored already
    }
    return true;
}

// ---------------------------------------------------------------------------
// Closing

void CompanyController::Cancel() {
    session().CompanyInfoEditflag = true;
    if (ui_->UpdateCom_Btnproperty->isEnabled()) {
        const int32_t answer = tvDatabase::tvMessageBox(
            "Save before closing?", "You may have unsaved changes. Would you like to save before closing?",
            kMessageStyleYesNoCancel, "Company Inforamtion", kMessageImagePrompt, false);
        if (answer == kMessageAnswerNo) {
            releaseFromMainWindow();
            endWindow();
        } else if (answer == kMessageAnswerOkYes) {
            if (DoSave()) endWindow();
        } else {
            // Cancel, or the prompt dismissed by its close box: the edits stay, unsaved.
            ui_->UpdateCom_Btnproperty->setDefault(true);
        }
        return;
    }
    refreshMainWindow();
    endWindow();
}

void CompanyController::reject() { close(); }

bool CompanyController::closeWithPrompt() { return close(); }

// The close box: true when the window may close.
bool CompanyController::windowShouldClose() {
    session().CompanyInfoEditflag = true;
    if (ui_->UpdateCom_Btnproperty->isEnabled()) {
        const int32_t answer = tvDatabase::tvMessageBox(
            "Save before closing?", "You may have unsaved changes. Would you like to save before closing?",
            kMessageStyleYesNoCancel, "Company Inforamtion", kMessageImagePrompt, false);
        if (answer != kMessageAnswerOkYes && answer != kMessageAnswerNo) {
            // Cancel, or the prompt dismissed by its close box: the edits stay, unsaved.
            ui_->UpdateCom_Btnproperty->setDefault(true);
            return false;
        }
        // A refused write keeps the window.
        if (answer == kMessageAnswerOkYes && !DoSave()) return false;
        refreshMainWindow();
        return true;
    }
    if (!flags_[kName]) payerNameMessage();
    refreshMainWindow();
    return true;
}

void CompanyController::closeEvent(QCloseEvent* event) {
    if (!closing_ && !windowShouldClose()) {
        event->ignore();
        return;
    }
    closing_ = true;
    releaseFromMainWindow();
    leaveBoundWindowList();
    event->accept();
}

void CompanyController::endWindow() {
    closing_ = true;
    close();
}

void CompanyController::refreshMainWindow() {
    if (AppDelegate* main = company_Refer) {
        main->SelectCompany();
        main->Refresh();
        main->FillCompanyList();
    }
    releaseFromMainWindow();
}

void CompanyController::releaseFromMainWindow() {
    if (company_Refer && company_Refer->companycontrol() == this) company_Refer->setCompanycontrol(nullptr);
}

// ---------------------------------------------------------------------------
// Typing and choices

// Typing past the field's limit is undone; any other change in edit mode offers Update.
void CompanyController::LengthValidation(TextField& field, const QString& t) {
    if (clampTyping(field.edit, t, field.previous, field.limit) && edit_) markChanged();
}

// Leaving a field cuts its text to the field's limit.
void CompanyController::fieldAction(TextField& field) {
    const QString cut = textlimits::firstCharacters(field.edit->text(), field.limit);
    if (cut != field.edit->text()) setFieldText(field, cut);
}

void CompanyController::markChanged() {
    ui_->UpdateCom_Btnproperty->setEnabled(true);
    ui_->UpdateCom_Btnproperty->setDefault(true);
    ui_->Addcom_BtnProperty->setEnabled(false);
    ui_->Addcom_BtnProperty->setDefault(false);
}
