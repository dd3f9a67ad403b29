#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include <QDialog>

#include "core/import/ImportCodes.h"

class ColumnLists;
namespace Ui {
class ImportRecipient;
}

// The recipient column chooser of the form kind in session()._type: the columns that
// kind can import, and the ones the user chose, in file order (kept per form kind in
// the open company database). Its import buttons run the recipient import for the
// payer in session().CPK and end the window's run with the run's code. Cancel, the
// close box and Escape save the choice and end the run with kCancelCode.
class ImportRecipient : public QDialog {
    Q_OBJECT

public:
    static constexpr int kCancelCode = imports::kImportWindowCancelCode;

    explicit ImportRecipient(QWidget* parent = nullptr);
    ~ImportRecipient() override;

    int32_t formKind() const { return kind_; }
    const std::vector<std::string>& AvaillistValue() const;
    const std::vector<std::string>& SelectedrecpFieldValue() const;

    // Saves the chosen columns of the form kind into the open company database.
    void DoSaveImprecp();
    // Shows the choice saved for the form kind.
    void LoadSelFields();
    void EnableControls();

public slots:
    void Recip_AddField();
    void Recip_AddAllFields();
    void Recip_RemoveField();
    void Recip_RemoveFields();
    void doubleClickInTable1(const QModelIndex& index);
    void doubleClickInTable2(const QModelIndex& index);
    void Recip_ImpTxt();
    void Recip_ImpCSV();
    void ImpRecipPR_ML();
    void Recip_ImpCancel();
    void reject() override;

private:
    void endWith(int code);

    std::unique_ptr<Ui::ImportRecipient> ui;
    ColumnLists* lists_ = nullptr;
    int32_t kind_ = 1;
};
