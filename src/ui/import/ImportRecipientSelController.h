#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include <QDialog>

#include "core/import/ImportCodes.h"
#include "core/store/ComapnyInfo.h"

class QTableView;
class TextListModel;
class ImportRecipient;
namespace Ui {
class ImportRecipientSelController;
}

// The target of a recipient import: the form kind (session()._type, 1099-MISC when the
// window opens) and the payer of the open company database (session().CPK; the first
// payer is selected when the window opens). OK with a payer selected ends the window's
// run with kChosenCode; run() then runs the recipient column chooser, has the main
// window reselect its company and gives the chooser's code on. OK without a selected
// payer does nothing. Cancel puts the main window's menus back and ends the run with
// kCancelCode; the close box and Escape end it with kCloseCode.
class ImportRecipientSelController : public QDialog {
    Q_OBJECT

public:
    static constexpr int kChosenCode = 1234;
    static constexpr int kCancelCode = 1000;
    static constexpr int kCloseCode = imports::kImportWindowCancelCode;

    explicit ImportRecipientSelController(QWidget* parent = nullptr);
    ~ImportRecipientSelController() override;

    // Runs the window and then, after OK, the recipient column chooser.
    int run();

    int32_t getradiotype() const;
    int32_t CompanyPK() const { return CompanyPK_; }
    const std::vector<std::string>& liststring() const { return liststring_; }
    QTableView* Comp_List() const;

public slots:
    void Misc_Action();
    void Div_Action();
    void Int_Action();
    void R_Action();
    void S_Action();
    void NEC_Action();
    void companylistbox();
    void Recipent_Ok();
    void Recipient_Cancel();
    void reject() override;

private:
    void chooseKind(int32_t kind);
    void SelectCompany();
    int selectedRow() const;

    std::unique_ptr<Ui::ImportRecipientSelController> ui;
    TextListModel* model_ = nullptr;
    std::vector<ComapnyInfo> companyQuery_;
    std::vector<std::string> liststring_;
    int32_t CompanyPK_ = -1;
    bool chosen_ = false;
    std::unique_ptr<ImportRecipient> ImportRecipient_Controller;
};
