#pragma once

#include <memory>
#include <string>
#include <vector>

#include <QDialog>

#include "core/foundation/UserInterface.h"

class TextListModel;
namespace Ui {
class ConflictWindow;
}

// The recipient import's list of file recipients whose taxpayer ID a recipient of the
// payer has already. The user selects (one or several) rows whose data shall replace
// the existing recipients'. OK ends the run with kOKCode and answers the rows selected
// at that moment; Cancel, the close box and Escape end it with kCancelCode.
class ConflictWindow : public QDialog {
    Q_OBJECT

public:
    static constexpr int kOKCode = kImportConflictsOKCode;
    static constexpr int kCancelCode = kImportConflictsCancelCode;

    explicit ConflictWindow(QWidget* parent = nullptr);
    ~ConflictWindow() override;

    // The names to list, in order; given before the window opens.
    void geterrors(const std::vector<std::string>& names);
    // The chosen rows, ascending.
    const std::vector<int>& getselection() const { return selectedIndexes_; }

    void LoadData();

public slots:
    void Conflict_Action();
    void OK_Action();
    void Cancel_Action();
    void Checkbox_Action() {}
    void reject() override;

private:
    std::vector<int> tableSelection() const;

    std::unique_ptr<Ui::ConflictWindow> ui;
    TextListModel* model_ = nullptr;
    std::vector<std::string> errorString_;
    std::vector<int> selectedIndexes_;
};
