#include "ui/print/PrintAlignmentDialog.h"

#include <QCheckBox>
#include <QPushButton>

#include "core/foundation/Session.h"
#include "ui/support/ModalLoop.h"
#include "ui/support/PageSetup.h"
#include "ui/support/PrintPreview.h"
#include "ui_PrintAlignmentDialog.h"

const char* const PrintAlignmentDialog::kLabel1 =
    "  Since some of the fields on the federal 1099 forms lie outside of the standard margins for most\n"
    "printers, you will need to check the page setup for 1099, luckily, this is very easy to do!\n";

const char* const PrintAlignmentDialog::kLabel2 =
    "- Click on the 'Edit Page Setup' button below, the page setup dialog opens\n"
    "- for the paper size choose 'Letter' (8.5 by 11 inches)\n"
    "- set top, left, right and bottom margins to 0.00 inches, or to the smallest your printer allows\n"
    "- do not scale the pages: the program prints every sheet at full size\n"
    "- click OK to close the page setup window\n";

const std::string& PrintAlignmentDialog::helpText() {
    static const std::string text = std::string() +
        "Before printing to pre-printed 1096 and 1099 forms, please ensure that your print settings are correct:\n" +
        "\n" +
        "   The program prints every sheet itself, at full page and without scaling. In the print dialog, keep "
        "the paper size at 'Letter' and do not choose any scaling or 'fit to page' option that your printer "
        "offers." +
        "\n\n" +
        "This will ensure proper alignment when printing to pre-printed forms. Before you print on your forms, "
        "print a test sheet on plain paper and hold it against a pre-printed form in front of a light: every "
        "value should stand inside its box." +
        "\n\n" +
        "Secondly, Since some of the fields on the federal 1099 forms lie outside of the standard margins for most "
        "printers, you will need to check the page setup for 1099, luckily, this is very easy to do!" +
        "\n\n  - Click on the 'Edit Page Setup' button, the page setup dialog opens" +
        "\n\n  - for the paper size choose 'Letter' (8.5 by 11 inches)" +
        "\n\n  - set top, left, right and bottom margins to 0.00 inches, or to the smallest your printer allows" +
        "\n\n  - do not scale the pages" +
        "\n\n  - click OK to close the page setup window";
    return text;
}

PrintAlignmentDialog::PrintAlignmentDialog(QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::PrintAlignmentDialog>()) {
    ui_->setupUi(this);
    ui_->Label1->setText(QString::fromUtf8(kLabel1).trimmed());
    ui_->Label1->setStyleSheet(QStringLiteral("color: red;"));
    ui_->Label2->setText(QString::fromUtf8(kLabel2).trimmed());
    ui_->DonotShowCheckbox->setChecked(session().checkbox);
    connect(ui_->Continue_btn, &QPushButton::clicked, this, &PrintAlignmentDialog::Continue_Action);
    connect(ui_->Cnacel_btn, &QPushButton::clicked, this, &PrintAlignmentDialog::Cancel_Action);
    connect(ui_->EditPage_btn, &QPushButton::clicked, this, &PrintAlignmentDialog::EditPage_Action);
    connect(ui_->PrintInfo_Bitton, &QPushButton::clicked, this, &PrintAlignmentDialog::PrintInformation);
    connect(ui_->DonotShowCheckbox, &QCheckBox::toggled, this, &PrintAlignmentDialog::DoNotShowCheckbox);
}

PrintAlignmentDialog::~PrintAlignmentDialog() = default;

bool PrintAlignmentDialog::passes(QWidget* parent) {
    if (session().checkbox) return true;
    PrintAlignmentDialog notice(parent);
    return runModal(&notice) == kContinueCode;
}

void PrintAlignmentDialog::Continue_Action() { stopModal(this, kContinueCode); }

void PrintAlignmentDialog::Cancel_Action() { stopModal(this, kCancelCode); }

void PrintAlignmentDialog::reject() { Cancel_Action(); }

void PrintAlignmentDialog::EditPage_Action() { runPageSetup(this); }

void PrintAlignmentDialog::DoNotShowCheckbox() {
    // Clearing the box again does not bring the notice back.
    if (ui_->DonotShowCheckbox->isChecked()) session().checkbox = true;
}

void PrintAlignmentDialog::PrintInformation() {
    PrintPreview help(this);
    help.setText_Content(helpText());
    runModal(&help);
}
