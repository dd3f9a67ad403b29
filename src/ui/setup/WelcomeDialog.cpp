#include "ui/setup/WelcomeDialog.h"

#include <QPalette>

#include "core/foundation/UserInterface.h"

#include "ui/support/Icons.h"
#include "ui/support/MessageTextActions.h"
#include "ui/support/ModalLoop.h"
#include "ui_WelcomeDialog.h"

namespace {

const char* const kProductTitle = "Talvexa 1099 E-File 2025";
const int kTaxYear = 2025;

const char* const kInformation =
    "Please read the information below before continuing.\n\n"
    "SECURITY\n\n"
    "           Talvexa 1099 encourages you to setup a Password to protect your private information. You can manage User Accounts by selecting 'Admin' from the 'Tools' menu in the Main Menu. Click the 'Add...' button to enter a Username and Password. Once you've setup a User Account,you will be prompted for your login information the next time you use Talvexa 1099.\n\n"
    "           The first User Account you setup will be given Administrative privileges, allowing you to manage User Accounts, Backup and Restore your information,and Edit Printing Formats. After you've setup an Administrative User Account, you may then setup other User Accounts with or without Administrative privileges.\n\n"
    "CUSTOMIZE\n\n"
    "           You can adjust the size of most of the windows in Talvexa 1099. Just click and drag the bottom-right corner of the window for maximum work space.\n\n"
    "MANUAL\n\n"
    "           Talvexa 1099's Manual is online! You can access it any time from the Main Menu by selecting '1099 Manual' from the 'Help' menu.\n\n"
    "           The Manual can be a valuable reference for help using Talvexa 1099. Please refer to it before Printing and Filing your 1099 Forms.";

}  // namespace

WelcomeDialog::WelcomeDialog(QWidget* parent) : QDialog(parent), ui_(std::make_unique<Ui::WelcomeDialog>()) {
    ui_->setupUi(this);
    ui_->Welcome_Icon->setPixmap(talvexaIcon(IconKind::Plain));
    connect(ui_->Continue_Button, &QPushButton::clicked, this, &WelcomeDialog::Welcome_Cancel);
    connect(ui_->Print_Text, &QPushButton::clicked, this, &WelcomeDialog::Print);
    connect(ui_->Copy_Text, &QPushButton::clicked, this, &WelcomeDialog::Copy);

    ui_->Continue_Button->setDefault(true);
    ui_->Continue_Button->setFocus();
    ui_->welcome_msg->setReadOnly(true);
    for (QPushButton* button : {ui_->Print_Text, ui_->Copy_Text}) {
        button->setEnabled(true);
        QPalette palette = button->palette();
        palette.setColor(QPalette::ButtonText, QColor(0, 122, 255));
        button->setPalette(palette);
    }

    ui_->Welcome_Title->setText(QStringLiteral("Welcome to"));
    ui_->Welcome_Heading->setText(QStringLiteral("Talvexa 1099 Software for ") + QString::number(kTaxYear));
    ui_->welcome_msg->setPlainText(QStringLiteral("Thank you for purchasing ") + QString::fromUtf8(kProductTitle) +
                                   QStringLiteral("!\n\n") + QString::fromUtf8(kInformation));
}

WelcomeDialog::~WelcomeDialog() = default;

void WelcomeDialog::Welcome_Cancel() { stopModal(this, kWelcomeContinueCode); }

void WelcomeDialog::reject() { Welcome_Cancel(); }

std::string WelcomeDialog::printableText() const {
    return (ui_->Welcome_Heading->text() + QStringLiteral("\n\n") + ui_->welcome_msg->toPlainText()).toStdString();
}

void WelcomeDialog::Print() { printMessageText(this, printableText()); }

void WelcomeDialog::Copy() { copyMessageText(this, printableText(), CopiedAlertForm::Large, kProductTitle); }
