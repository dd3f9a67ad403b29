#pragma once

#include <memory>

#include <QDialog>
#include <QString>

#include "core/foundation/UserInterface.h"

namespace Ui {
class CloudBackupController;
}
class QCheckBox;
class QLineEdit;
class QPushButton;

// The cloud backup enrolment, run before every backup: the switch, the e-mail address
// and the customer number on file with the service. Continue checks and stores the
// enrolment (or, with the switch off, tells about the service) and ends the run with
// kContinueCode, after which the backup goes on; Close, the close box and Escape end
// it with kCloseCode and no backup is made. Turning the switch off deletes a stored
// enrolment at once.
class CloudBackupController : public QDialog {
    Q_OBJECT

public:
    static constexpr int kContinueCode = kCloudBackupContinueCode;
    static constexpr int kCloseCode = kCloudBackupCloseCode;

    explicit CloudBackupController(QWidget* parent = nullptr);
    ~CloudBackupController() override;

    QCheckBox* CloudBackup_CheckBox() const;
    QLineEdit* EmailAdd_Backup() const;
    QLineEdit* CustNum_Backup() const;
    QPushButton* Continue() const;
    QPushButton* Close() const;

public slots:
    void Cloudcheckbox();
    void ContinueBackup_Clicked();
    void CloseBackup_Clicked();
    void Email_Action();
    void CustNum_Action();
    void reject() override;

private:
    void windowDidLoad();
    void enableFields(bool enable);

    std::unique_ptr<Ui::CloudBackupController> ui_;
    // The text of each field before the keystroke being typed, for its typing limit.
    QString previousEmail_;
    QString previousCustomerNumber_;
};
