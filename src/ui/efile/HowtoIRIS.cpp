#include "ui/efile/HowtoIRIS.h"

#include <QCloseEvent>
#include <QPushButton>

#include "core/foundation/MessageBoxCodes.h"
#include "core/foundation/WebAddresses.h"
#include "core/foundation/tvDatabase.h"
#include "ui/support/DesktopServices.h"
#include "ui/support/ModalLoop.h"
#include "ui_HowtoIRIS.h"

HowtoIRIS::HowtoIRIS(QWidget* parent) : QDialog(parent), ui(std::make_unique<Ui::HowtoIRIS>()) {
    ui->setupUi(this);
    connect(ui->Sign_Outlet, &QPushButton::clicked, this, &HowtoIRIS::Sign_Action);
    connect(ui->CompletetheIris_outlet, &QPushButton::clicked, this, &HowtoIRIS::Completetheiris_Action);
    connect(ui->Userguide_outlet, &QPushButton::clicked, this, &HowtoIRIS::UserGuide_Action);
    connect(ui->Cancel, &QPushButton::clicked, this, &HowtoIRIS::Cancel_Action);
}

HowtoIRIS::~HowtoIRIS() = default;

void HowtoIRIS::openPage(const std::string& address) {
    openAddressOrExplain(address, "Open this address in your web browser:\n\n" + address, "");
}

void HowtoIRIS::Sign_Action() { openPage(std::string(kIrisSignInHost) + kIrisSignInPath); }

void HowtoIRIS::Completetheiris_Action() { openPage(std::string(kAgencyWebSite) + kIrisApplicationForTccPath); }

void HowtoIRIS::UserGuide_Action() { openPage(std::string(kAgencyWebSite) + kIrisUserGuidePath); }

void HowtoIRIS::Cancel_Action() {
    stopModal(this, kClosedCode);
    hide();
}

void HowtoIRIS::reject() { Cancel_Action(); }

void HowtoIRIS::closeEvent(QCloseEvent* event) {
    Cancel_Action();
    event->accept();
}
