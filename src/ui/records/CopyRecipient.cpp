#include "ui/records/CopyRecipient.h"

#include <algorithm>
#include <string>
#include <vector>

#include <QButtonGroup>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include "core/foundation/AppDatabase.h"
#include "core/foundation/FormKind.h"
#include "core/foundation/MessageBoxCodes.h"
#include "core/foundation/Session.h"
#include "core/foundation/databaseInfo.h"
#include "core/foundation/tvDatabase.h"
#include "core/records/RecipientCopy.h"
#include "core/store/CompanyDatabase.h"
#include "core/store/Recipient.h"
#include "core/store/RecipientAdditionalInfo.h"
#include "core/store/RecipientName.h"
#include "ui/database/DatabaseListSupport.h"
#include "ui/main/AppDelegate.h"
#include "ui/support/ModalLoop.h"
#include "ui_CopyRecipient.h"

namespace {

constexpr const char kCopyErrorTitle[] = "Recipient Copy Error";

int32_t firstSelectedRecipient() {
    const auto& held = session().recp_details;
    return held && !held->selectedRecipients().empty() ? held->selectedRecipients().front() : -1;
}

std::vector<databaseInfo> listedDatabases() {
    auto app = sessionAppDatabase();
    return app && app->IsReady() ? app->SelectDatabaseList() : std::vector<databaseInfo>{};
}

}  // namespace

CopyRecipient::CopyRecipient(QWidget* parent) : QDialog(parent), ui_(std::make_unique<Ui::CopyRecipient>()) {
    ui_->setupUi(this);
    kinds_ = new QButtonGroup(this);
    kinds_->setExclusive(true);
    kinds_->addButton(ui_->MISC1, 1);
    kinds_->addButton(ui_->DIV1, 2);
    kinds_->addButton(ui_->INT1, 3);
    kinds_->addButton(ui_->R1, 4);
    kinds_->addButton(ui_->S1, 5);
    kinds_->addButton(ui_->NEC1, FormKind::kNec);
    connect(kinds_, &QButtonGroup::idClicked, this, &CopyRecipient::setType);
    connect(ui_->OK_Button, &QPushButton::clicked, this, &CopyRecipient::Copy_OK);
    connect(ui_->Cancel_Button, &QPushButton::clicked, this, &CopyRecipient::Copy_Cancel);

    // The switches are read as the form-kind dialog reads them; the copy always starts
    // on 1099-MISC.
    switches_ = readFormKindSwitches();
    const int32_t key = firstSelectedRecipient();
    if (auto db = sessionCompanyDatabase(); db && db->IsReady() && key >= 0) {
        theRecpInfo_ = db->getRecipientInfo(key);
        recipientName_ = recipientListName(theRecpInfo_, db->getRecipientAdditionalInfo(key));
        ui_->CompanyName_Text->setText(QString::fromStdString(recipientName_ + " to."));
    }

    std::vector<std::string> names;
    for (const databaseInfo& entry : listedDatabases())
        if (std::find(names.begin(), names.end(), entry.name()) == names.end()) names.push_back(entry.name());
    for (const std::string& name : names) ui_->Comp_dropDown->addItem(QString::fromStdString(name));
    ui_->Comp_dropDown->setCurrentIndex(names.empty() ? -1 : 0);
    ui_->OK_Button->setEnabled(!names.empty());
    ui_->OK_Button->setDefault(true);
    setType(1);
    ui_->Comp_dropDown->setFocus();
}

CopyRecipient::~CopyRecipient() = default;

void CopyRecipient::setType(int32_t kind) {
    type_ = kind;
    if (QAbstractButton* button = kinds_->button(kind)) button->setChecked(true);
}

void CopyRecipient::Copy_OK() {
    auto db = sessionCompanyDatabase();
    if (ui_->Comp_dropDown->count() == 0 || !db || !db->IsReady()) return;
    const records::CopyOutcome outcome =
        records::copyRecipient(*db, firstSelectedRecipient(), type_, ui_->Comp_dropDown->currentText().toStdString(),
                               listedDatabases());
    switch (outcome.result) {
        case records::CopyResult::Duplicate:
            if (tvDatabase::tvMessageBox("", "A recipient with the same Tax ID already exists for this Company and 1099 Type",
                                         kMessageStyleYes, kCopyErrorTitle, kMessageImagePlain,
                                         false) == kMessageAnswerOkYes)
                end();
            return;
        case records::CopyResult::ListUnreadable:
            tvDatabase::tvMessageBox("",
                                     "The recipients of this company could not be read to check the Taxpayer ID "
                                     "for duplicates, so the recipient was not copied.",
                                     kMessageStyleOK, kCopyErrorTitle, kMessageImagePlain, false);
            return;
        case records::CopyResult::NoPayer:
            tvDatabase::tvMessageBox("", "The selected database has no company to copy the recipient to.",
                                     kMessageStyleOK, kCopyErrorTitle, kMessageImagePlain, false);
            return;
        case records::CopyResult::TargetMissing:
        case records::CopyResult::TargetUnknown:
            tvDatabase::tvMessageBox("The selected database could not be found.",
                                     outcome.targetPath.empty() ? std::string() : outcome.targetPath,
                                     kMessageStyleOK, kCopyErrorTitle, kMessageImagePlain, false);
            return;
        case records::CopyResult::Copied:
        case records::CopyResult::TargetNotOpened:
        case records::CopyResult::NotStored:
        case records::CopyResult::SourceMissing:
            break;
    }
    if (AppDelegate* main = company_Refer) {
        main->FillCompanyList();
        main->ReselectCompanies();
        main->FillRecipientList(0, 0);
        main->Refresh();
        main->SelectCompany();
    }
    if (outcome.result == records::CopyResult::Copied)
        tvDatabase::tvMessageBox("The recipient was copied.",
                                 recipientName_ + " was copied as a " + FormKind::formName(type_) +
                                     " recipient of " + outcome.targetPayer + " in the company database " +
                                     outcome.targetName + " (" + outcome.targetPath + ").",
                                 kMessageStyleOK, "Copy Recipient", kMessageImagePlain, false);
    end();
}

void CopyRecipient::Copy_Cancel() {
    end();
    if (AppDelegate* main = company_Refer) {
        main->SelectCompany();
        main->SelectRecipient();
    }
}

void CopyRecipient::reject() { end(); }

void CopyRecipient::end() {
    stopModal(this, kEndCode);
    QDialog::done(kEndCode);
}
