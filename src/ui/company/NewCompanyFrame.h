#pragma once

#include <memory>
#include <optional>
#include <string>

#include <QDialog>

namespace Ui {
class NewCompanyFrame;
}

// Asks for the name of the payer company with which a new company database is made.
// The name cannot be changed afterwards, which the window's warning line says.
//
// Run it through runModal: OK ends the run with kOKCode and GetName() gives the name,
// trimmed of white space at both ends (line breaks too) and cut to 40 characters; it
// may still be empty when only white space was typed; GetFedId() gives the federal ID as
// typed, trimmed of blanks and tabs at both ends. Cancel, the close box and Escape end
// the run with kCancelCode. The federal ID is neither checked nor required.
class NewCompanyFrame : public QDialog {
    Q_OBJECT

public:
    static constexpr int kOKCode = 1000;
    static constexpr int kCancelCode = 1234;
    static constexpr int kNameLimit = 40;

    explicit NewCompanyFrame(QWidget* parent = nullptr);
    ~NewCompanyFrame() override;

    // Runs the dialog; the name after OK, nothing after Cancel or the close box. The
    // federal ID typed goes into federalID when one is given.
    static std::optional<std::string> askCompanyName(QWidget* parent, std::string* federalID = nullptr);

    const std::string& GetName() const { return Name_; }
    const std::string& GetFedId() const { return FedId_; }
    const std::string& GetTName() const { return TName_; }

public slots:
    void Name_Text();
    void Fed_Text();
    void TName_Text() {}
    void OK_Click();
    void Cancel_Click();
    // The close box and Escape take Cancel's path.
    void reject() override;

private:
    void nameEdited();
    void enableOK();
    void end(int code);

    std::unique_ptr<Ui::NewCompanyFrame> ui_;
    std::string Name_;
    std::string FedId_;
    std::string TName_;
};
