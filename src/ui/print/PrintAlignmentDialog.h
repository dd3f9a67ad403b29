#pragma once

#include <memory>
#include <string>

#include <QDialog>

namespace Ui {
class PrintAlignmentDialog;
}

// The notice shown before forms are printed: how to set the page up so that the fields
// land inside the boxes of the forms. It offers the program's page setup (the same as
// the main window's Page Setup command), a help text that can be printed, and a box
// that stops the notice until the program ends (session().checkbox, never stored).
// Continue ends it with kContinueCode; Cancel, the close box and Escape with
// kCancelCode. Ticking the box keeps the notice away even when this showing is cancelled.
class PrintAlignmentDialog : public QDialog {
    Q_OBJECT

public:
    static constexpr int kContinueCode = 1000;
    static constexpr int kCancelCode = 1234;

    // The notice's texts and the help text.
    static const char* const kLabel1;
    static const char* const kLabel2;
    static const std::string& helpText();

    explicit PrintAlignmentDialog(QWidget* parent = nullptr);
    ~PrintAlignmentDialog() override;

    // True when the printing may go on: the user silenced the notice earlier, or it was
    // shown modally and ended with Continue.
    static bool passes(QWidget* parent);

public slots:
    void Continue_Action();
    void Cancel_Action();
    void EditPage_Action();
    void DoNotShowCheckbox();
    void PrintInformation();
    void reject() override;

private:
    std::unique_ptr<Ui::PrintAlignmentDialog> ui_;
};
