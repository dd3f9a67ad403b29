#pragma once

#include <cstdint>
#include <memory>

#include <QDialog>

#include "core/store/ComapnyInfo.h"

namespace Ui {
class PrintFormForFiling;
}
class QButtonGroup;

// The filing copies and the 1096 of the first selected payer: whether to print the
// forms of all its recipients of the form kind or of the selected ones, and whether to
// total the 1096 over all or the selected ones. Continue runs the option dialog of the
// kind (1099-MISC, -INT, -NEC; Cancel there comes back here), the alignment notice and
// the print run, and ends with kDoneCode; Cancel, the close box and Escape end with
// kCancelCode and print nothing.
class PrintFormForFiling : public QDialog {
    Q_OBJECT

public:
    static constexpr int kDoneCode = 1234;
    static constexpr int kCancelCode = 1000;
    static constexpr int32_t kAll = 0;
    static constexpr int32_t kSelected = 1;

    // The whole filing flow from the main window. Without a selected payer the user is
    // told to select one and nothing opens.
    static void run(QWidget* parent);

    // The dialog for the first selected payer (which must exist).
    explicit PrintFormForFiling(QWidget* parent = nullptr);
    ~PrintFormForFiling() override;

    int32_t getLastSumSelected() const { return lastSumSelected_; }
    int32_t getLastPrintSelected() const { return lastPrintSelected_; }

public slots:
    void Continue_Action();
    void Cancel_Action();
    void reject() override;

private:
    std::unique_ptr<Ui::PrintFormForFiling> ui_;
    int32_t lastSumSelected_ = kAll;
    int32_t lastPrintSelected_ = kAll;
    ComapnyInfo theCompanyInfo_;
};
