#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include <QDialog>

namespace Ui {
class FormErrorDialog;
}

// The list of a record's validation failures, with the choice to save anyway (OK, run
// code kSaveAnywayCode, selection 1) or to go back to the record (Cancel, the close box
// or Escape: run code kGoBackCode, selection 0).
class FormErrorDialog : public QDialog {
    Q_OBJECT

public:
    static constexpr int kSaveAnywayCode = 1234;
    static constexpr int kGoBackCode = 1000;

    explicit FormErrorDialog(QWidget* parent = nullptr);
    ~FormErrorDialog() override;

    // The failure messages, in the caller's order; shown when the window opens.
    void geterrors(const std::vector<std::string>& errors);
    int32_t getbuttonSelection() const { return buttonSelection_; }

    int32_t buttonSelection() const { return buttonSelection_; }
    void setButtonSelection(int32_t value) { buttonSelection_ = value; }
    const std::vector<std::string>& errorString() const { return errorString_; }
    void setErrorString(const std::vector<std::string>& errors) { errorString_ = errors; }

    // Puts every message, each followed by a line end, into the list.
    void LoadData();

public slots:
    void Error_OK();
    void Error_Cancel();
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    std::unique_ptr<Ui::FormErrorDialog> ui_;
    int32_t buttonSelection_ = 0;
    std::vector<std::string> errorString_;
};
