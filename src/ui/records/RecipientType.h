#pragma once

#include <cstdint>
#include <memory>

#include <QDialog>

#include "ui/records/FormKindSwitches.h"

class QButtonGroup;
namespace Ui {
class RecipientType;
}

// Chooses the form kind of a new recipient. It opens with no kind chosen, or with the
// first kind whose form-kind switch is on. OK with a kind chosen ends the run with
// kChosenCode and has the main window open that kind's entry window; OK with none
// does nothing. Cancel, the close box and Escape end the run with kCancelCode.
class RecipientType : public QDialog {
    Q_OBJECT

public:
    static constexpr int kChosenCode = 1234;
    static constexpr int kCancelCode = 1000;

    explicit RecipientType(QWidget* parent = nullptr);
    ~RecipientType() override;

    // The kind code chosen last (1, 2, 3, 4, 5 or 7); 0 before a choice.
    int32_t typeOfRecipient() const { return typeOfRecipient_; }
    const FormKindSwitches& switches() const { return switches_; }

public slots:
    void RecipientType_OK();
    void RecipientType_Close();
    void reject() override;

private:
    void end(int code);

    std::unique_ptr<Ui::RecipientType> ui_;
    QButtonGroup* kinds_ = nullptr;
    FormKindSwitches switches_;
    int32_t typeOfRecipient_ = 0;
};
