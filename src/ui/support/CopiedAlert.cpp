#include "ui/support/CopiedAlert.h"

#include <QMessageBox>
#include <QPushButton>

#include "ui/support/DatabaseAlert.h"
#include "ui/support/Icons.h"
#include "ui/support/ModalLoop.h"

void showCopiedAlert(QWidget* parent, CopiedAlertForm form, const std::string& title) {
    QMessageBox alert(parent);
    alert.setObjectName(QStringLiteral("CopiedAlert"));
    alert.setWindowTitle(QString::fromStdString(title));
    alert.setText(QStringLiteral("Message successfully copied."));
    alert.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    alert.setIcon(form == CopiedAlertForm::Large ? QMessageBox::Information : QMessageBox::Warning);
    alert.setIconPixmap(alertIcon(IconKind::Info));
    if (form == CopiedAlertForm::Large) widenAlert(alert);
    runModal(&alert);
}
