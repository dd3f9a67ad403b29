#include "ui/support/DatabaseAlert.h"

#include <QGridLayout>
#include <QMessageBox>
#include <QPushButton>
#include <QSpacerItem>

#include "ui/support/ModalLoop.h"

QPixmap alertIcon(IconKind kind) {
    return talvexaIcon(kind).scaled(kAlertIconSize, kAlertIconSize, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

void widenAlert(QMessageBox& alert) {
    // An empty row as wide as the alert should be.
    if (auto* grid = qobject_cast<QGridLayout*>(alert.layout()))
        grid->addItem(new QSpacerItem(kWideAlertWidth, 0, QSizePolicy::Minimum, QSizePolicy::Fixed), grid->rowCount(),
                      0, 1, grid->columnCount());
}

int runDatabaseAlert(QWidget* parent, IconKind icon, const std::string& title, const std::string& message,
                     const std::string& informative, const std::vector<std::string>& buttons, bool wide,
                     size_t defaultButton) {
    QMessageBox alert(parent);
    alert.setObjectName(QString::fromLatin1(kDatabaseAlertName));
    alert.setIcon(QMessageBox::Warning);
    alert.setWindowTitle(QString::fromStdString(title));
    alert.setText(QString::fromStdString(message));
    alert.setInformativeText(QString::fromStdString(informative));
    std::vector<QPushButton*> pushButtons;
    for (const std::string& text : buttons)
        pushButtons.push_back(alert.addButton(QString::fromStdString(text), QMessageBox::AcceptRole));
    if (defaultButton < pushButtons.size()) alert.setDefaultButton(pushButtons[defaultButton]);

    alert.setIconPixmap(alertIcon(icon));
    if (wide) widenAlert(alert);
    runModal(&alert);
    for (size_t i = 0; i < pushButtons.size(); ++i)
        if (alert.clickedButton() == pushButtons[i]) return static_cast<int>(i);
    return -1;
}
