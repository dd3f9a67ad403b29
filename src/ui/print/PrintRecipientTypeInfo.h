#pragma once

#include <memory>

#include <QDialog>

class FormErrorDialog;

namespace Ui {
class PrintRecipientTypeInfo;
}

// A notice before printing that some recipients of the chosen form kind are not valid.
// OK closes it and shows the validation-error list beside the other windows, without a
// modal loop; the list is made the first time it is needed and kept for later showings.
class PrintRecipientTypeInfo : public QDialog {
    Q_OBJECT

public:
    explicit PrintRecipientTypeInfo(QWidget* parent = nullptr);
    ~PrintRecipientTypeInfo() override;

    // The error list, or null before OK first showed it.
    FormErrorDialog* FormErrorController() const { return FormErrorController_.get(); }

public slots:
    void PrintRecipType_OK();

private:
    std::unique_ptr<Ui::PrintRecipientTypeInfo> ui_;
    std::unique_ptr<FormErrorDialog> FormErrorController_;
};
