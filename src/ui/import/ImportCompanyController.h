#pragma once

#include <memory>
#include <string>
#include <vector>

#include <QDialog>

#include "core/import/ImportCodes.h"

class ColumnLists;
namespace Ui {
class ImportCompanyController;
}

// The payer import window: the user picks the payer columns of a file and their order
// (kept in the open company database), then imports a ".txt" or ".csv" file in that
// order, or a payroll export in its fixed order. Each import ends the window's run
// with the code its run returns (imports::ImportCodes.h). Cancel, the close box and
// Escape save the choice and end the run with kCancelCode.
class ImportCompanyController : public QDialog {
    Q_OBJECT

public:
    static constexpr int kCancelCode = imports::kImportWindowCancelCode;

    explicit ImportCompanyController(QWidget* parent = nullptr);
    ~ImportCompanyController() override;

    // The catalogue and the chosen names, in their tables' order.
    const std::vector<std::string>& availableNames() const;
    const std::vector<std::string>& SelectedFieldValue() const;

    // Saves the chosen columns into the open company database.
    void DoSaveImpCom();
    // Shows the choice saved in the open company database.
    void LoadSelFields();
    // The buttons for the present lists and selection.
    void EnableControls();

public slots:
    void AddField();
    void AddAllFields();
    void RemoveField();
    void RemoveAllFields();
    void doubleClickInTable1(const QModelIndex& index);
    void doubleClickInTable2(const QModelIndex& index);
    void AvailableFields();
    void SelectedFields();
    void ImportComp_Txt();
    void ImportComp_CSV();
    void ImportPRtoML();
    void ImportComp_Cancel();
    void reject() override;

private:
    // Ends the run with a run's code; a run that leaves the window open ends nothing.
    void endWith(int code);

    std::unique_ptr<Ui::ImportCompanyController> ui;
    ColumnLists* lists_ = nullptr;
    // The last row selected in each table, to put back a selection that a click into
    // the empty part of the table took away.
    int lastAvailableRow_ = -1;
    int lastSelectedRow_ = -1;
};
