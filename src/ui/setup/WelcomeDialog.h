#pragma once

#include <memory>
#include <string>

#include <QDialog>

namespace Ui {
class WelcomeDialog;
}

// The greeting on the first run of the year and when a new Talvexa folder is made: a
// fixed text about passwords, window sizes and the manual, which the user can print or
// copy. Continue, the close box and Escape end its run with kWelcomeContinueCode
// (UserInterface.h).
class WelcomeDialog : public QDialog {
    Q_OBJECT

public:
    explicit WelcomeDialog(QWidget* parent = nullptr);
    ~WelcomeDialog() override;

    const std::string& welcome_Message() const { return welcome_Message_; }
    void setWelcome_Message(const std::string& text) { welcome_Message_ = text; }

public slots:
    void Welcome_Cancel();
    void Print();
    void Copy();
    void reject() override;

private:
    std::string printableText() const;

    std::unique_ptr<Ui::WelcomeDialog> ui_;
    std::string welcome_Message_;
};
