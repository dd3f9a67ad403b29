#include "ui/admin/AdminDialog.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableView>

#include "core/admin/AccountRules.h"
#include "core/foundation/Login_Info.h"
#include "core/foundation/MessageBoxCodes.h"
#include "core/foundation/Session.h"
#include "core/foundation/UserInfo.h"
#include "core/foundation/UserInterface.h"
#include "core/foundation/tvDatabase.h"
#include "core/store/CompanyDatabase.h"
#include "core/store/DatabaseHolder.h"
#include "ui/admin/UserDelete.h"
#include "ui/admin/UserDetailsDialog.h"
#include "ui/main/TextListModel.h"
#include "ui/support/ModalLoop.h"
#include "ui_AdminDialog.h"

namespace {

std::shared_ptr<CompanyDatabase> companyDatabase() {
    const Session& s = session();
    return s.DBH ? s.DBH->companyDatabase() : nullptr;
}

}  // namespace

AdminDialog::AdminDialog(QWidget* parent) : QDialog(parent), ui_(std::make_unique<Ui::AdminDialog>()) {
    ui_->setupUi(this);
    model_ = new TextListModel(&userVector_, QStringLiteral("User Name"), this);
    ui_->UserList->setModel(model_);
    ui_->UserList->horizontalHeader()->setStretchLastSection(true);
    connect(ui_->AddBtn, &QPushButton::clicked, this, &AdminDialog::AddBtn_Action);
    connect(ui_->UpdateBtn, &QPushButton::clicked, this, &AdminDialog::UpdateBtn_Action);
    connect(ui_->DelBtn, &QPushButton::clicked, this, &AdminDialog::DelBtn_Action);
    connect(ui_->CloseBtn, &QPushButton::clicked, this, &AdminDialog::CloseBtn_Action);
    // Clicks and the arrow keys alike choose a row; the window's own selecting is
    // done with this signal blocked.
    connect(ui_->UserList->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &AdminDialog::UserList_Action);
    connect(ui_->UserList, &QTableView::doubleClicked, this, [this] {
        if (ui_->UpdateBtn->isEnabled()) UpdateBtn_Action();
    });
    FillUserList();
    ui_->UserList->setFocus();
}

AdminDialog::~AdminDialog() = default;

QTableView* AdminDialog::UserList() const { return ui_->UserList; }
QPushButton* AdminDialog::AddBtn() const { return ui_->AddBtn; }
QPushButton* AdminDialog::UpdateBtn() const { return ui_->UpdateBtn; }
QPushButton* AdminDialog::DelBtn() const { return ui_->DelBtn; }
QPushButton* AdminDialog::CloseBtn() const { return ui_->CloseBtn; }

void AdminDialog::Admin_Action(QWidget* parent) {
    const auto& user = session().loginInfo;
    if (!user || user->getUserType() != 1) {
        tvDatabase::tvMessageBox("", "Please login as an Administrator to access Admin.", kMessageStyleOK,
                                 "Administrator Login Required", kMessageImagePlain, false);
        return;
    }
    AdminDialog window(parent);
    runModal(&window);
}

int AdminDialog::selectedRow() const {
    const QModelIndexList rows = ui_->UserList->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void AdminDialog::FillUserList() {
    const int noted = selectedRow();
    userVector_.clear();
    User_PTL_.clear();
    if (auto db = companyDatabase(); db && db->IsReady()) {
        for (const UserInfo& account : accounts::listedAccounts(db->getUsers())) {
            user_PK_Map map;
            map.userPK = account.getPK();
            map.locationInUserList = static_cast<int32_t>(userVector_.size());
            userVector_.push_back(account.getUserName());
            User_PTL_.push_back(map);
            theUserPKMap = map;
        }
    }
    {
        const QSignalBlocker blocker(ui_->UserList->selectionModel());
        model_->reload();
        if (noted >= 0 && noted < static_cast<int>(userVector_.size())) selectRow(noted);
    }
    UpdateUserButtons(noted < static_cast<int>(userVector_.size()) ? noted : -1);
}

void AdminDialog::selectRow(int row) {
    const QSignalBlocker blocker(ui_->UserList->selectionModel());
    ui_->UserList->clearSelection();
    if (row < 0) return;
    const QModelIndex index = model_->index(row, 0);
    ui_->UserList->selectionModel()->select(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    ui_->UserList->selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
    ui_->UserList->scrollTo(index);
}

void AdminDialog::SelectCurrentUser(int32_t key) {
    for (const user_PK_Map& map : User_PTL_)
        if (map.userPK == key) {
            selectRow(map.locationInUserList);
            return;
        }
}

void AdminDialog::UpdateUserButtons(int row) {
    ui_->AddBtn->setEnabled(true);
    ui_->UpdateBtn->setEnabled(row != -1);
    ui_->DelBtn->setEnabled(row != -1);
}

void AdminDialog::UserList_Action() {
    const int row = selectedRow();
    if (row >= 0 && row < static_cast<int>(User_PTL_.size())) {
        theUserPKMap = User_PTL_[row];
        CurrentPK = theUserPKMap.userPK;
    }
    UpdateUserButtons(row);
}

void AdminDialog::AddBtn_Action() {
    CurrentPK = 0;
    UserDetailsDialog details(UserDetailsDialog::kAddMode, CurrentPK, this);
    if (runModal(&details) == UserDetailsDialog::kAddedCode) {
        auto db = companyDatabase();
        CurrentPK = db ? db->getNewUserPK() : -1;
    } else {
        CurrentPK = theUserPKMap.userPK;
    }
    FillUserList();
    SelectCurrentUser(CurrentPK);
    UpdateUserButtons(selectedRow());
}

void AdminDialog::UpdateBtn_Action() {
    const int row = selectedRow();
    if (row < 0 || row >= static_cast<int>(User_PTL_.size())) return;
    theUserPKMap = User_PTL_[row];
    CurrentPK = theUserPKMap.userPK;
    UserDetailsDialog details(UserDetailsDialog::kUpdateMode, CurrentPK, this);
    if (runModal(&details) != UserDetailsDialog::kUpdatedCode) return;
    FillUserList();
    UpdateUserButtons(selectedRow());
}

void AdminDialog::DelBtn_Action() {
    const int row = selectedRow();
    if (row < 0 || row >= static_cast<int>(User_PTL_.size())) return;
    theUserPKMap = User_PTL_[row];
    auto db = companyDatabase();
    if (!db || !db->IsReady()) return;
    if (accounts::deleteIsRefused(*db, theUserPKMap.userPK)) {
        const int32_t answer =
            tvDatabase::tvMessageBox(" ", accounts::kDeleteRefusedText, kMessageStyleOK, "Error", kMessageImagePlain, false);
        if (answer == kMessageAnswerOkYes) {
            userInterface().refreshMainWindow();
            stopModal(this, kClosedCode);
        }
        return;
    }
    UserDelete confirm(theUserPKMap.userPK, this);
    if (runModal(&confirm) != UserDelete::kDoneCode) return;
    FillUserList();
    selectRow(-1);
    ui_->UpdateBtn->setEnabled(false);
    ui_->DelBtn->setEnabled(false);
}

void AdminDialog::CloseBtn_Action() { stopModal(this, kClosedCode); }

void AdminDialog::reject() { CloseBtn_Action(); }
