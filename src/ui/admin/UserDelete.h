#pragma once

#include <cstdint>
#include <memory>

#include <QDialog>

namespace Ui {
class UserDelete;
}
class QLineEdit;
class QPushButton;

// Asks before the account of the given key is deleted. Delete removes it; Delete,
// Cancel, the close box and Escape all end the run with kDoneCode.
class UserDelete : public QDialog {
    Q_OBJECT

public:
    static constexpr int kDoneCode = 1234;

    explicit UserDelete(int32_t key, QWidget* parent = nullptr);
    ~UserDelete() override;

    QLineEdit* UserToDelete() const;
    QPushButton* DeleteUser() const;
    QPushButton* Cancel() const;

public slots:
    void DeleteUser_Action();
    void Cancel_Action();
    void reject() override;

private:
    std::unique_ptr<Ui::UserDelete> ui_;
    int32_t key_;
};
