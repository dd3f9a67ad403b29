#include "ui/support/FileChoosers.h"

#include <QDir>
#include <QFileDialog>
#include <QVariant>

#include "ui/support/ModalLoop.h"

namespace {

const char* kAnswer = "talvexaChosenPath";

std::optional<std::string> runChooser(QFileDialog& dialog) {
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    if (runModal(&dialog) != QDialog::Accepted) return std::nullopt;
    QString path;
    const QVariant answered = dialog.property(kAnswer);
    if (answered.isValid()) {
        path = answered.toString();
    } else {
        const QStringList files = dialog.selectedFiles();
        if (files.isEmpty()) return std::nullopt;
        path = files.first();
    }
    if (path.isEmpty()) return std::nullopt;
    return QDir::cleanPath(path).toStdString();
}

QString qs(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

std::optional<std::string> chooseFolder(QWidget* parent, const std::string& message,
                                        const std::string& startFolder) {
    QFileDialog dialog(parent, qs(message), qs(startFolder));
    dialog.setObjectName(QString::fromLatin1(kFolderChooserName));
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly, true);
    dialog.setOption(QFileDialog::ReadOnly, true);   // no "New Folder"
    dialog.setLabelText(QFileDialog::Accept, QObject::tr("Choose"));
    return runChooser(dialog);
}

std::optional<std::string> chooseOpenFile(QWidget* parent, const std::string& message,
                                          const std::string& startFolder, const std::string& filter) {
    QFileDialog dialog(parent, qs(message), qs(startFolder), qs(filter));
    dialog.setObjectName(QString::fromLatin1(kOpenChooserName));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    return runChooser(dialog);
}

std::optional<std::string> chooseSaveFile(QWidget* parent, const std::string& message,
                                          const std::string& startFolder, const std::string& fileName,
                                          const std::string& filter, const std::string& defaultSuffix) {
    QFileDialog dialog(parent, qs(message), qs(startFolder), qs(filter));
    dialog.setObjectName(QString::fromLatin1(kSaveChooserName));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    if (!defaultSuffix.empty()) dialog.setDefaultSuffix(qs(defaultSuffix));
    if (!fileName.empty()) dialog.selectFile(qs(fileName));
    return runChooser(dialog);
}

void answerFileChooser(QWidget& chooser, const std::string& path) {
    chooser.setProperty(kAnswer, qs(path));
    stopModal(&chooser, QDialog::Accepted);
}

void cancelFileChooser(QWidget& chooser) { stopModal(&chooser, QDialog::Rejected); }
