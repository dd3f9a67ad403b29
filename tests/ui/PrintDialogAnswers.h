#pragma once

// Answers for the print dialog, as a user gives them.

#include <string>

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QWidget>

// Chooses "Print to File (PDF)" among the dialog's printers and names the file: a test
// of the dialog's path prints into its own folder, never on a printer of the machine.
inline void printToFile(QWidget& dialog, const std::string& path) {
    auto* printers = dialog.findChild<QComboBox*>(QStringLiteral("printers"));
    ASSERT_NE(printers, nullptr) << "the dialog's printer list";
    int file = -1;
    for (int i = 0; i < printers->count(); ++i)
        if (printers->itemText(i).contains(QLatin1String("Print to File"))) file = i;
    ASSERT_GE(file, 0) << "the dialog offers no file";
    printers->setCurrentIndex(file);
    auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("filename"));
    ASSERT_NE(name, nullptr) << "the dialog's file name";
    ASSERT_TRUE(name->isEnabled());
    name->setText(QString::fromStdString(path));
}

// The file name the dialog proposes for "Print to File".
inline std::string proposedFile(QWidget& dialog) {
    auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("filename"));
    return name ? name->text().toStdString() : std::string();
}
