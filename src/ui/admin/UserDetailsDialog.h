#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include <QDialog>
#include <QString>

namespace Ui {
class UserDetailsDialog;
}
class QCheckBox;
class QLineEdit;
class QPushButton;

// One user account of the open company database: its name, its password typed twice
// and whether it is an administrator. In add mode Add stores a new account and ends
// the run with kAddedCode; in update mode Update writes the account of the given key
// and ends with kUpdatedCode. Cancel, the close box and Escape end with kCancelCode.
// A refused entry says why and keeps the dialog open with what was typed.
class UserDetailsDialog : public QDialog {
    Q_OBJECT

public:
    static constexpr int kAddedCode = 1234;
    static constexpr int kUpdatedCode = 1010;
    static constexpr int kCancelCode = 1000;
    static constexpr int kAddMode = 0;
    static constexpr int kUpdateMode = 1;

    // mode: kAddMode or kUpdateMode; key: the account that update mode works on.
    UserDetailsDialog(int mode, int32_t key, QWidget* parent = nullptr);
    ~UserDetailsDialog() override;

    int getMode() const { return theMode; }
    bool forcesAdmin() const { return forceAdmin; }

    QLineEdit* UserName() const;
    QLineEdit* Password() const;
    QLineEdit* RePasword() const;
    QCheckBox* ADMINCheckbox() const;
    QPushButton* AddUser() const;
    QPushButton* UpdateUser() const;
    QPushButton* Cancel() const;

public slots:
    void AddUser_Action();
    void UpdateUser_Action();
    void Cancel_Action();
    void reject() override;

private:
    void windowDidLoad();
    // Return in a field cuts its text to the limit.
    void cutToLimit(int field);
    std::array<QLineEdit*, 3> fields() const;

    std::unique_ptr<Ui::UserDetailsDialog> ui_;
    int theMode;
    int32_t PK;
    bool forceAdmin = false;
    std::string storedName_;
    std::array<QString, 3> previous_;
};
