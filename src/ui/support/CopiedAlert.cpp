#include "ui/support/CopiedAlert.h"

#include <QGridLayout>
#include <QMessageBox>
#include <QPushButton>
#include <QSpacerItem>

#include "ui/support/Icons.h"
#include "ui/support/ModalLoop.h"

void showCopiedAlert(QWidget* parent, CopiedAlertForm form) {
    QMessageBox alert(parent);
    alert.setObjectName(QStringLiteral("CopiedAlert"));
    alert.setWindowTitle(QString());
    alert.setText(QStringLiteral("Message successfully copied."));
    alert.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    const QPixmap image = talvexaIcon(IconKind::Info);
    if (form == CopiedAlertForm::Large) {
        alert.setIcon(QMessageBox::Information);
        alert.setIconPixmap(image.scaled(261, 250, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
        // An empty row as wide as the alert should be.
        if (auto* grid = qobject_cast<QGridLayout*>(alert.layout()))
            grid->addItem(new QSpacerItem(500, 0, QSizePolicy::Minimum, QSizePolicy::Fixed), grid->rowCount(), 0, 1,
                          grid->columnCount());
    } else {
        alert.setIcon(QMessageBox::Warning);
        alert.setIconPixmap(image.scaled(64, 64, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    }
    runModal(&alert);
}
