#include "ui/print/PrintFormForFiling.h"

#include <QButtonGroup>
#include <QPushButton>
#include <QRadioButton>

#include "core/foundation/Session.h"
#include "core/print/DisplayPDF.h"
#include "core/store/Company.h"
#include "core/store/CompanyDatabase.h"
#include "core/store/DatabaseHolder.h"
#include "core/store/Recipient.h"
#include "ui/print/PrintAlignmentDialog.h"
#include "ui/print/PrintOptionDialog.h"
#include "ui/support/ModalLoop.h"
#include "ui_PrintFormForFiling.h"

namespace {

QButtonGroup* pair(QDialog* owner, QRadioButton* all, QRadioButton* selected, int32_t& choice) {
    auto* group = new QButtonGroup(owner);
    group->addButton(all, PrintFormForFiling::kAll);
    group->addButton(selected, PrintFormForFiling::kSelected);
    all->setChecked(true);
    QObject::connect(group, &QButtonGroup::idToggled, owner, [&choice](int id, bool checked) {
        if (checked) choice = id;
    });
    return group;
}

}  // namespace

void PrintFormForFiling::run(QWidget* parent) {
    if (!DisplayPDF::payerSelected()) return;
    session().PartialYear = false;
    PrintFormForFiling dialog(parent);
    runModal(&dialog);
}

PrintFormForFiling::PrintFormForFiling(QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::PrintFormForFiling>()) {
    ui_->setupUi(this);
    const Session& s = session();
    if (s.DBH && s.DBH->companyDatabase() && s.comp_details && !s.comp_details->selectedCompanies().empty())
        theCompanyInfo_ = s.DBH->companyDatabase()->getCompanyInfo1(s.comp_details->selectedCompanies().front());
    const std::string name = theCompanyInfo_.getName();
    const std::string kind = s.recp_details ? s.recp_details->getTypeString() : std::string();
    ui_->lable1->setText(QString::fromStdString(
        "Choose 'Use Selected' if you are printing ONLY CORRECTED and VOIDED \n1099s, otherwise choose 'Use All' "
        "to use all " + name + " " + kind + " recipients "));
    ui_->lable2->setText(QString::fromStdString("Choose 'Print All Recipients' if you want to print 1099s for all " +
                                                name + " " + kind + "\n" +
                                                " recipients, otherwise choose 'Print Selected Recipients' "));
    // The payer's name is shown as it is, whatever characters it holds.
    ui_->lable1->setTextFormat(Qt::PlainText);
    ui_->lable2->setTextFormat(Qt::PlainText);
    pair(this, ui_->Print_1096_1, ui_->Print_1096_2, lastSumSelected_);
    pair(this, ui_->AllRecipient_1, ui_->AllRecipient_2, lastPrintSelected_);
    connect(ui_->Continue_btn, &QPushButton::clicked, this, &PrintFormForFiling::Continue_Action);
    connect(ui_->Cancel_btn, &QPushButton::clicked, this, &PrintFormForFiling::Cancel_Action);
}

PrintFormForFiling::~PrintFormForFiling() = default;

void PrintFormForFiling::Continue_Action() {
    const int32_t kind = session().recp_details ? session().recp_details->getType() : 0;
    bool fourUp = false;
    if (auto options = PrintOptionDialog::make(kind, true, this)) {
        // Cancelled: this dialog stays open for another choice.
        if (options->run() != PrintOptionDialog::kOkCode) return;
        fourUp = options->getLastSelected() == PrintOptionDialog::kFourUp;
    }
    // The choices are made: this dialog goes, and the notice and the run follow.
    stopModal(this, kDoneCode);
    if (!PrintAlignmentDialog::passes(parentWidget())) {
        session().PartialYear = false;
        return;
    }
    DisplayPDF printRun(kind, fourUp);
    printRun.CompanyFed1099(lastSumSelected_, lastPrintSelected_);
}

void PrintFormForFiling::Cancel_Action() { stopModal(this, kCancelCode); }

void PrintFormForFiling::reject() { Cancel_Action(); }
