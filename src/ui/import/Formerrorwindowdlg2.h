#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include <QDialog>

#include "core/foundation/UserInterface.h"

namespace Ui {
class Formerrorwindowdlg2;
}

// The recipient import's list of the recipients that failed a check: OK goes on with
// the import (run code kOKCode, selection 1), Cancel, the close box and Escape stop it
// (kCancelCode, selection 0).
class Formerrorwindowdlg2 : public QDialog {
    Q_OBJECT

public:
    static constexpr int kOKCode = kImportErrorsOKCode;
    static constexpr int kCancelCode = kImportErrorsCancelCode;

    explicit Formerrorwindowdlg2(QWidget* parent = nullptr);
    ~Formerrorwindowdlg2() override;

    // The texts to list, in order; given before the window opens.
    void geterrors(const std::vector<std::string>& errors) { errorString_ = errors; }
    const std::vector<std::string>& errorString() const { return errorString_; }
    int32_t getbuttonSelection() const { return buttonSelection_; }

    // Puts every text, each followed by a line end, into the list.
    void LoadData();

public slots:
    void Error_OK();
    void Error_Cancel();
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    std::unique_ptr<Ui::Formerrorwindowdlg2> ui;
    std::vector<std::string> errorString_;
    int32_t buttonSelection_ = 0;
};
