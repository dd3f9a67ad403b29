#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include <QDialog>

#include "ui/admin/user_PK_Map.h"

namespace Ui {
class AdminDialog;
}
class QPushButton;
class QTableView;
class TextListModel;

// The user accounts of the open company database, for an administrator: the list of
// account names (the built-in logins never appear) with Add, Update, Delete and Close.
// Close, the close box and Escape end the run with kClosedCode, and so does OK on the
// refusal to delete the last administrator.
class AdminDialog : public QDialog {
    Q_OBJECT

public:
    static constexpr int kClosedCode = 1000;

    explicit AdminDialog(QWidget* parent = nullptr);
    ~AdminDialog() override;

    // Runs the window for the logged-in administrator; others are told to log in as one.
    static void Admin_Action(QWidget* parent);

    const std::vector<std::string>& userVector() const { return userVector_; }
    const std::vector<user_PK_Map>& User_PTL() const { return User_PTL_; }
    // The row selected in the list, -1 for none.
    int selectedRow() const;

    QTableView* UserList() const;
    QPushButton* AddBtn() const;
    QPushButton* UpdateBtn() const;
    QPushButton* DelBtn() const;
    QPushButton* CloseBtn() const;

public slots:
    void AddBtn_Action();
    void UpdateBtn_Action();
    void DelBtn_Action();
    void CloseBtn_Action();
    void UserList_Action();
    void reject() override;

private:
    void FillUserList();
    void SelectCurrentUser(int32_t key);
    void UpdateUserButtons(int row);
    void selectRow(int row);

    std::unique_ptr<Ui::AdminDialog> ui_;
    TextListModel* model_ = nullptr;
    std::vector<std::string> userVector_;
    std::vector<user_PK_Map> User_PTL_;
    user_PK_Map theUserPKMap;
    int32_t CurrentPK = -1;
};
