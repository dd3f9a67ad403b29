#include "ui/main/AboutTalvexa1099.h"

#include <QPushButton>

#include "ui/support/DesktopServices.h"
#include "ui/support/Icons.h"
#include "ui/support/ModalLoop.h"
#include "core/foundation/WebAddresses.h"
#include "ui_AboutTalvexa1099.h"

namespace {
constexpr const char kProgramVersion[] = "25.0.1";
constexpr int kDatabaseVersion = 4;
}  // namespace

AboutTalvexa1099::AboutTalvexa1099(QWidget* parent) : QDialog(parent), ui(new Ui::AboutTalvexa1099) {
    ui->setupUi(this);
    ui->iconLabel->setPixmap(talvexaIcon(IconKind::Plain).scaled(96, 96, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    ui->Version->setText(QStringLiteral("Version ") + QString::fromLatin1(kProgramVersion));
    ui->Database_Vers->setText(QString::asprintf("%d", kDatabaseVersion));
    connect(ui->weblinkButton, &QPushButton::clicked, this, &AboutTalvexa1099::weblink);
    connect(ui->closeButton, &QPushButton::clicked, this, &AboutTalvexa1099::Close_Action);
}

AboutTalvexa1099::~AboutTalvexa1099() = default;

void AboutTalvexa1099::weblink() {
    openAddressOrExplain(kProductWebSite, std::string("Open this address in your web browser:\n\n") + kProductWebSite,
                         "");
}

void AboutTalvexa1099::Close_Action() {
    if (isRunningModal(this)) stopModal(this, kCloseCode);
    QDialog::reject();
}
