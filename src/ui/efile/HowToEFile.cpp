#include "ui/efile/HowToEFile.h"

#include <QCloseEvent>

#include "core/foundation/MessageBoxCodes.h"
#include "core/foundation/WebAddresses.h"
#include "core/foundation/tvDatabase.h"
#include "ui/support/DesktopServices.h"
#include "ui/support/ModalLoop.h"
#include "ui_HowToEFile.h"

HowToEFile::HowToEFile(QWidget* parent) : QDialog(parent), ui(std::make_unique<Ui::HowToEFile>()) {
    ui->setupUi(this);
    connect(ui->Form_4419, &QPushButton::clicked, this, &HowToEFile::Form_4419);
    connect(ui->Create_FIRE, &QPushButton::clicked, this, &HowToEFile::Create_FIRE);
    connect(ui->Login_FIRE, &QPushButton::clicked, this, &HowToEFile::Login_FIRE);
    connect(ui->My_FIREAcct, &QPushButton::clicked, this, &HowToEFile::My_FIREAcct);
    connect(ui->Send_TestFile, &QPushButton::clicked, this, &HowToEFile::Send_TestFile);
    connect(ui->HowEFile_Close, &QPushButton::clicked, this, &HowToEFile::HowEFile_Close);
}

HowToEFile::~HowToEFile() = default;

void HowToEFile::open(const std::string& address) {
    openAddressOrExplain(address, "Open this address in your web browser:\n\n" + address, "How to E-File");
}

void HowToEFile::Form_4419() {
    open(std::string(kAgencyWebSite) + "/e-file-providers/filing-information-returns-electronically-fire/");
}
void HowToEFile::Create_FIRE() { open(std::string(kFireProductionSystem) + "/Register.aspx"); }
void HowToEFile::Login_FIRE() { open(std::string(kFireProductionSystem) + "/LearnTheBasics.aspx"); }
void HowToEFile::My_FIREAcct() { open(std::string(kFireProductionSystem) + "/Logon.aspx"); }
void HowToEFile::Send_TestFile() { open(std::string(kFireTestSystem) + "/"); }

void HowToEFile::HowEFile_Close() {
    stopModal(this, kHowToEFileClosedCode);
    hide();
}

void HowToEFile::reject() { HowEFile_Close(); }

void HowToEFile::closeEvent(QCloseEvent* event) {
    HowEFile_Close();
    event->accept();
}
