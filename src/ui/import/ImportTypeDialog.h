#pragma once

#include <memory>

#include <QDialog>

#include "core/import/ImportCodes.h"

class ImportCompanyController;
class ImportRecipientSelController;
namespace Ui {
class ImportTypeDialog;
}

// Asks whether payer (company) data or recipient data is to be imported. OK with a
// choice ends the dialog's run with kChosenCode and hides it; run() then runs the
// chosen window and gives that window's code on. OK without a choice does nothing.
// Cancel, the close box and Escape end the run with kCancelCode.
class ImportTypeDialog : public QDialog {
    Q_OBJECT

public:
    static constexpr int kChosenCode = 1234;
    static constexpr int kCancelCode = imports::kImportWindowCancelCode;

    explicit ImportTypeDialog(QWidget* parent = nullptr);
    ~ImportTypeDialog() override;

    // Runs the dialog and then the window chosen in it; the code the last of them ended
    // with.
    int run();
    // The main window's import command: a dialog over the parent, run.
    static int runFromMainWindow(QWidget* parent);

public slots:
    void TypeSel();
    void TypeRecip_sel();
    void TypeOk_Clicked();
    void TypeCancel_Clicked();
    void reject() override;

private:
    enum class Chosen { None, Payers, Recipients };

    std::unique_ptr<Ui::ImportTypeDialog> ui;
    Chosen chosen_ = Chosen::None;
    std::unique_ptr<ImportCompanyController> ImportComp;
    std::unique_ptr<ImportRecipientSelController> ImportRecipType;
};
