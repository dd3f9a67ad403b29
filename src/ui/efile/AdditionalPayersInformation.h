#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include <QDialog>
#include <QString>

#include "core/records/IrisPayerChecks.h"
#include "core/store/ComapnyInfo.h"

class QComboBox;
class QLineEdit;
class HowtoIRIS;
namespace Ui {
class AdditionalPayersInformation;
}

// The payer's data as the tax agency's IRIS system wants it (name type, taxpayer-number
// type, the individual name parts, phone type, second address line, country, combined
// federal/state filing), checked and saved into the payer's row, and the export of the
// selected recipients as IRIS bulk-upload files. Runs modally over the main window;
// every way out ends the run with kClosedCode.
//
// The payer is the one of the selected recipients: the payer of the first selected
// recipient, which is the selected payer when one payer is selected in the main window.
// Its row is the one shown, saved (by its own key) and exported; the export refuses a
// selection whose recipients belong to more than one payer.
//
// Export is offered only while no change is pending and Submit only while one is: on
// opening Export is offered when the stored data pass the checks; any change offers
// Submit instead, and a successful Submit offers Export again.
class AdditionalPayersInformation : public QDialog {
    Q_OBJECT

public:
    static constexpr int kClosedCode = 1000;

    // The checks, one flag each (the index of flags()).
    using Check = irispayerchecks::Check;

    // Reads the payer of the selection and shows it.
    explicit AdditionalPayersInformation(QWidget* parent = nullptr);
    ~AdditionalPayersInformation() override;

    // The main window's IRIS command: the window over parent, run modally; the main
    // window's menus and buttons are put back when it ends.
    static void runFromMainWindow(QWidget* parent);

    // The form name of a form kind ("1099-NEC" for 7), empty for another code.
    static std::string REC_TYPE(int32_t kind);

    int32_t payerKey() const { return payerKey_; }
    const ComapnyInfo& theAAdditionalCompanyInfo() const { return theAAdditionalCompanyInfo_; }
    const std::vector<bool>& flags() const { return flags_; }
    bool savealert() const { return savealert_; }

public slots:
    void Submit_Action();
    void Cancel_Action();
    void Export_M();
    void How_to_IRIS_Action();
    void NameType_Action();
    void TINType_Action();
    void PhoneType_Action();
    void PayerState_Action();
    void CombineFiling_M();
    // Escape takes the close-box path.
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // One text field: its control, the typing limit and the cut at the end of editing.
    struct TextField {
        QLineEdit* edit;
        int limit;
        int cut;
    };

    void LoadStates(QComboBox* list);
    void CompanyInfoToView();
    void ViewToCompanyInfo();
    // The controls' values into a payer record.
    void viewInto(ComapnyInfo& payer) const;

    // The checks into flags_; true when all pass.
    bool runChecks();
    bool Validate();
    void showErrors();
    std::vector<std::string> generateErrorStrings() const;
    bool VerifySave();
    bool DoSave();

    void applyNameTypeRule();
    void changeRule();
    // A user's change of a pop-up or the check box: pending until saved.
    void choiceChanged();

    void textEdited(std::size_t field, const QString& text);
    void fieldAction(std::size_t field);
    void setInvalid(QWidget* control, bool invalid);

    // The close prompt of the close box; true when the window may close.
    bool windowShouldClose();
    void endRun();
    // Brings the main window's lists up to date, keeping its selection.
    void refreshMainWindow(bool reselectCompanies);

    // Export steps.
    bool exportRefused(int32_t kind, const std::vector<int32_t>& keys);
    void refuse(const std::string& text);
    // Offers the save panel until the file is saved or the panel cancelled; true when saved.
    bool saveFile(const std::string& proposedName, const std::string& text);

    std::unique_ptr<Ui::AdditionalPayersInformation> ui;
    std::unique_ptr<HowtoIRIS> Howtoirs;
    std::vector<bool> flags_;
    ComapnyInfo theAAdditionalCompanyInfo_;
    int32_t payerKey_ = 0;
    // The user has started changing something that is not saved yet.
    bool savealert_ = false;

    std::vector<TextField> fields_;
    std::vector<QString> previousValues_;   // per field: the last accepted text
    std::vector<bool> edited_;              // per field: typed into since its last end of editing
    std::string saveFolder_;                // where the save panel opens
    bool ending_ = false;
};
