// The main window's commands for payers and recipients: new, edit and delete payer,
// new, edit, delete and copy recipients. Each prepares the selection holders, runs the
// dialog or opens the window that does the work, and brings the lists up to date.

#include <QPushButton>
#include <QTableView>

#include "core/foundation/Session.h"
#include "core/store/Company.h"
#include "core/store/Recipient.h"
#include "core/store/RecipientListCount.h"
#include "ui/company/DeleteCompController.h"
#include "ui/main/AppDelegate.h"
#include "ui/main/TextListModel.h"
#include "ui/records/CopyRecipient.h"
#include "ui/records/DeleteRecipientController.h"
#include "ui/records/RecipientType.h"
#include "ui/support/ModalLoop.h"
#include "ui_AppDelegate.h"

void AppDelegate::NewCompany() {
    Session& s = session();
    s.comp_details->setModeToNew();
    if (ui->NewCompany_Button->isEnabled()) {
        UpdateCompanyButtons(0);
        ui->NewCompany_Button->setEnabled(false);
        UpdateRecipientButtons(0);
        deselectAll(ui->Recipient_sel);
    }
    SelectRecipient();
    FillCompanyList();
    // Each new payer is made in a database of its own.
    CreateDatabase();
    Refresh();
    ReselectCompanies();
    SelectRecipient();
    if (!CompanyVec_.empty()) {
        ui->CompanyFilter_Button->setEnabled(false);
        ui->CompanyFilter_Text->setEnabled(false);
        ui->Recipientfilter_Button->setEnabled(true);
        ui->RecipientFilter_Text->setEnabled(true);
    }
}

void AppDelegate::UpdateCompany() {
    session().comp_details->setModeToEdit();
    Open1099Dialog(1, 1);
    FillCompanyList();
    Refresh();
    SelectCompany();
    SelectRecipient();
}

void AppDelegate::DeleteCompanyButton() {
    const std::vector<int> rows = selectedRows(ui->Company_Sel);
    if (rows.empty()) return;
    if (ui->DeleteCompany_Button->isEnabled()) {
        UpdateCompanyButtons(0);
        ui->NewCompany_Button->setEnabled(false);
        UpdateRecipientButtons(0);
    }
    SelectCompany();
    const int row = static_cast<int>(session().Sel_Rowcomprow >= 0 ? session().Sel_Rowcomprow : rows.front());
    if (static_cast<size_t>(row) >= CompanyVec_.size()) return;

    DeleteCompController dialog(this);
    dialog.Getstring(CompanyVec_[static_cast<size_t>(row)]);
    if (runModal(&dialog) != DeleteCompController::kConfirmCode) return;

    if (session().CompanyDeleted) {
        UpdateCompanyButtons(0);
        FillCompanyList();
        deselectAll(ui->Company_Sel);
    } else {
        UpdateCompanyButtons(1);
    }
    ReselectCompanies();
    SelectCompany();
    SelectRecipient();
    FillRecipientList(session().type, allStatusIndex());
}

void AppDelegate::NewRecipient() {
    Session& s = session();
    s.recp_details->setModeToNew();
    if (s.comp_details->selectedCompanies().empty()) return;
    {
        // Its OK opens the entry window of the chosen kind before the run ends.
        RecipientType dialog(this);
        runModal(&dialog);
    }
    SelectCompany();
    SelectRecipient();
    FillCompanyList();
    FillRecipientList(s.type, allStatusIndex());
    Refresh();
}

void AppDelegate::UpdateRecipient_Action() {
    if (selectedRowCount(ui->Recipient_sel) == 0) return;
    if (ui->UpdateRecipient_Button->isEnabled()) {
        ui->NewRecipient_Button->setEnabled(false);
        ui->UpdateRecipient_Button->setEnabled(false);
        ui->DeleteRecipient_Button->setEnabled(false);
    }
    Session& s = session();
    s.recp_details->setModeToEdit();
    SelectCompany();
    SelectRecipient();
    const std::vector<int32_t>& keys = s.recp_details->selectedRecipients();
    Open1099Dialog(2, keys.empty() ? 1 : listedRecipientKind(keys.front()));
    FillRecipientList(s.type, allStatusIndex());
    ReselectRecipients();
    EnableDashboardButtons();
}

void AppDelegate::DeleteRecipient() {
    std::vector<std::string> names;
    for (int row : selectedRows(ui->Recipient_sel))
        if (static_cast<size_t>(row) < Recvec_.size()) names.push_back(Recvec_[static_cast<size_t>(row)]);

    DeleteRecipientController dialog(this);
    dialog.Getstring(names);
    if (runModal(&dialog) != DeleteRecipientController::kDeletedCode) return;

    // What is stored decides: the deleted rows go, and none of them stays selected.
    deselectAll(ui->Recipient_sel);
    FillRecipientList(session().type, allStatusIndex());
    ReselectRecipients();
}

void AppDelegate::CopyRecipient() {
    Session& s = session();
    // The command and the dialog refill the list several times over; while nothing stored
    // changes in between, the refills share one read of the recipients.
    const KeepRecipientListReads keep;
    if (ui->CopyRecipient_Button->isEnabled()) {
        UpdateCompanyButtons(0);
        ui->NewCompany_Button->setEnabled(false);
        UpdateRecipientButtons(0);
    }
    SelectCompany();
    s.recp_details->setModeToNew();
    if (!s.comp_details->selectedCompanies().empty() && !s.recp_details->selectedRecipients().empty()) {
        ::CopyRecipient dialog(this);
        if (runModal(&dialog) == ::CopyRecipient::kEndCode) {
            SelectCompany();
            SelectRecipient();
            FillCompanyList();
            FillRecipientList(s.type, allStatusIndex());
            Refresh();
        }
    }
    FillRecipientList(s.type, allStatusIndex());
    ReselectRecipients();
}
