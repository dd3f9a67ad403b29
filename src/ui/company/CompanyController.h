#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include <QDialog>
#include <QString>

#include "core/store/ComapnyInfo.h"
#include "ui/database/DatabaseBoundWindow.h"

class QLineEdit;
class QPushButton;
namespace Ui {
class CompanyController;
}

// The payer window, beside the main window: one payer's federal ID, address, phones,
// contact, e-mail, fax, Oregon BIN, the SSN and final-return flags and the filing
// method of each form kind. The payer's name is shown but cannot be changed here.
//
// In edit mode (comp_details) it edits the first selected payer: every field is
// checked, failing fields are marked, Update saves the payer (with the error list's
// choice to save anyway) and closes the window. In new mode Add stores a new payer.
// Closing with unsaved changes asks first. A save that the store refuses keeps the
// window open with its changes.
class CompanyController : public QDialog, public DatabaseBoundWindow {
    Q_OBJECT

public:
    // The window on the selection holders, kept by the main window; null without an
    // open company database or, in edit mode, without a stored selected payer.
    static CompanyController* create(QWidget* parent = nullptr);
    ~CompanyController() override;

    // Closes as the close box does; false when the user kept the window open.
    bool closeWithPrompt() override;

    const ComapnyInfo& theCompanyInfo() const { return theCompanyInfo_; }
    // The result of the last check, by the positions of payerchecks::Flag.
    const std::vector<bool>& flags() const { return flags_; }
    bool isEditMode() const { return edit_; }
    bool isOregonBINShown() const;
    // Whether the chosen state is Oregon.
    bool showOregonBIN() const;

public slots:
    void AddCompany_BtnClick();
    void UpdateCompany_BtnClick();
    void Cancel();
    // Escape takes the close box's path.
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    struct TextField {
        QLineEdit* edit;
        int limit;
        int flag;       // payerchecks::Flag, or -1
        QString previous;   // the text before the current keystroke
    };

    explicit CompanyController(int32_t payerKey, QWidget* parent);
    void windowDidLoad(int32_t payerKey);
    void SetTabingOrder();

    void ViewToCompanyInfo();
    void CompanyInfoToView();
    void readView(ComapnyInfo& record) const;
    void setFieldText(TextField& field, const QString& text);

    bool checkFields();
    bool Validate();
    void showErrors();
    bool VerifySave();
    bool oregonBINCheck(int32_t& answer);
    bool DoSave();

    void LengthValidation(TextField& field, const QString& text);
    void fieldAction(TextField& field);
    void markChanged();

    bool windowShouldClose();
    void payerNameMessage();
    void refreshMainWindow();
    void releaseFromMainWindow();
    void endWindow();

    std::unique_ptr<Ui::CompanyController> ui_;
    std::vector<TextField> fields_;
    ComapnyInfo theCompanyInfo_;
    std::vector<bool> flags_;
    bool edit_ = false;
    bool closing_ = false;   // ending after a save or an answered prompt: no further prompt
};
