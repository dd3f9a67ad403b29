#include "ui/print/MailingLabels.h"

#include <QLineEdit>
#include <QPushButton>

#include "core/foundation/MessageBoxCodes.h"
#include "core/foundation/Session.h"
#include "core/foundation/Utils.h"
#include "core/foundation/tvDatabase.h"
#include "core/print/DisplayPDF.h"
#include "core/print/LabelLayout.h"
#include "core/store/ComapnyInfo.h"
#include "core/store/Company.h"
#include "core/store/CompanyDatabase.h"
#include "core/store/DatabaseHolder.h"
#include "ui/support/ModalLoop.h"
#include "ui_MailingLabels.h"

namespace {

std::shared_ptr<CompanyDatabase> companyDatabase() {
    const Session& s = session();
    std::shared_ptr<CompanyDatabase> db = s.DBH ? s.DBH->companyDatabase() : nullptr;
    return db && db->IsReady() ? db : nullptr;
}

std::string textOf(const QLineEdit* field) { return field->text().toStdString(); }

}  // namespace

MailingLabels::MailingLabels(QWidget* parent) : QDialog(parent), ui_(std::make_unique<Ui::MailingLabels>()) {
    ui_->setupUi(this);
    setObjectName(QString::fromLatin1(kMailingLabelsWindowName));
    connect(ui_->Leftlabel, &QLineEdit::textEdited, this, &MailingLabels::Leftlabel_action);
    connect(ui_->TopLabel, &QLineEdit::textEdited, this, &MailingLabels::TopLabel_Action);
    connect(ui_->LabelWidth, &QLineEdit::textEdited, this, &MailingLabels::WidthLabel_Action);
    connect(ui_->LabelHeight, &QLineEdit::textEdited, this, &MailingLabels::HeightLabel_Action);
    connect(ui_->CrossLabel, &QLineEdit::textEdited, this, &MailingLabels::Cross_Action);
    connect(ui_->Repeatlabel, &QLineEdit::textEdited, this, &MailingLabels::Repeat_Action);
    connect(ui_->Save_btn, &QPushButton::clicked, this, &MailingLabels::Labels_Save);
    connect(ui_->Cancel_btn, &QPushButton::clicked, this, &MailingLabels::Labels_Cancel);
    connect(ui_->Restore_btn, &QPushButton::clicked, this, &MailingLabels::Labels_Restore);
    windowDidLoad();
}

MailingLabels::~MailingLabels() = default;

int MailingLabels::run(QWidget* parent) {
    if (!DisplayPDF::payerSelected()) return kCancelledCode;
    MailingLabels window(parent);
    return runModal(&window);
}

void MailingLabels::windowDidLoad() {
    const Session& s = session();
    if (s.comp_details && !s.comp_details->selectedCompanies().empty())
        payer_ = s.comp_details->selectedCompanies().front();
    if (auto db = companyDatabase(); db && payer_ >= 0) {
        MailLabel_ = db->SelectMailingLabelInfo(payer_);
        const std::string name = db->getCompanyInfo1(payer_).getName();
        if (!name.empty())
            ui_->Heading->setText(QStringLiteral("Label sheet settings of %1").arg(QString::fromStdString(name)));
    }
    showSettings();
    ui_->Leftlabel->setFocus();
}

void MailingLabels::showSettings() {
    ui_->Leftlabel->setText(QString::fromStdString(MailLabel_.getLeft()));
    ui_->TopLabel->setText(QString::fromStdString(MailLabel_.getTop()));
    ui_->LabelWidth->setText(QString::fromStdString(MailLabel_.getWidth()));
    ui_->LabelHeight->setText(QString::fromStdString(MailLabel_.getHeight()));
    ui_->CrossLabel->setText(QString::fromStdString(Utils::convertIntToString(MailLabel_.getAcross())));
    ui_->Repeatlabel->setText(QString::fromStdString(Utils::convertIntToString(MailLabel_.getRepeat())));
}

// ---- typing ----

void MailingLabels::cut(QLineEdit* field, int length) {
    const QString text = field->text();
    // Counted in characters as the user sees them, so an accented letter is one.
    const std::u32string characters = text.toStdU32String();
    if (characters.size() <= static_cast<std::size_t>(length)) return;
    const int cursor = field->cursorPosition();
    field->setText(QString::fromStdU32String(characters.substr(0, static_cast<std::size_t>(length))));
    field->setCursorPosition(std::min(cursor, static_cast<int>(field->text().size())));
}

void MailingLabels::Leftlabel_action() { cut(ui_->Leftlabel, kMeasureLength); }
void MailingLabels::TopLabel_Action() { cut(ui_->TopLabel, kMeasureLength); }
void MailingLabels::WidthLabel_Action() { cut(ui_->LabelWidth, kMeasureLength); }
void MailingLabels::HeightLabel_Action() { cut(ui_->LabelHeight, kMeasureLength); }
void MailingLabels::Cross_Action() { cut(ui_->CrossLabel, kCountLength); }
void MailingLabels::Repeat_Action() { cut(ui_->Repeatlabel, kCountLength); }

// ---- the ways out ----

bool MailingLabels::store() {
    auto db = companyDatabase();
    if (!db || payer_ < 0) return false;
    if (MailLabel_.getPK() < 0) {
        // A payer from a file without its label row gets one now.
        MailLabel_.setCompanyFK(payer_);
        if (!db->insertMailingLabelInfo(MailLabel_)) return false;
        const MailingLabelInfo stored = db->SelectMailingLabelInfo(payer_);
        MailLabel_.setPK(stored.getPK());
        MailLabel_.setCompanyFK(stored.getCompanyFK());
        return true;
    }
    return db->updateMailingLabelInfo(MailLabel_);
}

void MailingLabels::printLabels() { DisplayPDF().MailingLablesReport(); }

void MailingLabels::Labels_Save() {
    if (!ui_->Save_btn->isEnabled() || ending_) return;
    // Text that reached a field without typing (pasted, or set by a program) keeps the
    // same limits as typed text.
    for (auto [field, length] : {std::pair{ui_->Leftlabel, kMeasureLength}, {ui_->TopLabel, kMeasureLength},
                                 {ui_->LabelWidth, kMeasureLength}, {ui_->LabelHeight, kMeasureLength},
                                 {ui_->CrossLabel, kCountLength}, {ui_->Repeatlabel, kCountLength}})
        cut(field, length);
    const std::vector<std::string> faults =
        LabelLayout::faults(textOf(ui_->Leftlabel), textOf(ui_->TopLabel), textOf(ui_->LabelWidth),
                            textOf(ui_->LabelHeight), textOf(ui_->CrossLabel), textOf(ui_->Repeatlabel));
    if (!faults.empty()) {
        std::string details;
        for (const std::string& line : faults) details += (details.empty() ? "" : "\n") + line;
        tvDatabase::tvMessageBox("These label settings cannot be saved:", details, kMessageStyleOK,
                                 "Mailing Preferences", kMessageImageError, false);
        return;
    }
    MailLabel_.setLeft(textOf(ui_->Leftlabel));
    MailLabel_.setTop(textOf(ui_->TopLabel));
    MailLabel_.setWidth(textOf(ui_->LabelWidth));
    MailLabel_.setHeight(textOf(ui_->LabelHeight));
    MailLabel_.setAcross(Utils::stringToPositive(textOf(ui_->CrossLabel)));
    MailLabel_.setRepeat(Utils::stringToPositive(textOf(ui_->Repeatlabel)));
    // Not stored: the user has been told why, and the typed settings stay in the window
    // for another try (or Cancel, which prints with the settings stored before).
    if (!store()) return;
    ending_ = true;
    stopModal(this, kSavedCode);
}

void MailingLabels::Labels_Cancel() {
    if (ending_) return;
    ending_ = true;
    stopModal(this, kCancelledCode);
    printLabels();
}

void MailingLabels::reject() { Labels_Cancel(); }

void MailingLabels::Labels_Restore() {
    if (!ui_->Restore_btn->isEnabled() || ending_) return;
    const int32_t answer =
        tvDatabase::tvMessageBox("Reset Label Setting to Default values", "Do you want to reset the label preferences?",
                                 kMessageStyleYesNo, "Mailing Preferences", kMessageImagePrompt, true);
    if (answer != kMessageAnswerOkYes) return;
    ending_ = true;
    stopModal(this, kRestoredCode);

    MailingLabelInfo defaults;
    defaults.setPK(MailLabel_.getPK());
    defaults.setCompanyFK(MailLabel_.getCompanyFK());
    MailLabel_ = defaults;
    store();
    showSettings();

    MailingLabels again(parentWidget());
    if (runModal(&again) == kSavedCode) printLabels();
}
