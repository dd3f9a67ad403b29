#pragma once

#include <array>
#include <memory>
#include <string>
#include <vector>

#include <QDialog>
#include <QString>

#include "core/efile/EFile.h"
#include "core/store/E_FileInfo.h"
#include "ui/database/DatabaseBoundWindow.h"

namespace Ui {
class EFileFrameController;
}
class HowToEFile;
class QLineEdit;

// The e-file window, beside the main window: the transmitter data of a FIRE filing,
// the test-file and combined federal/state options, the state of a separate 1099-NEC
// state file, and Create, which makes the FIRE file of the main window's selection and
// the state file and saves them where the user chooses.
//
// Create checks the fields (the error list lets the user go on with failing ones),
// stores the transmitter row, builds the file in a private temporary folder (which
// marks the recipients completed), asks where to save it and writes it there under a
// temporary name renamed into place, so a failed write leaves no half file and an
// existing file of that name as it was. A file the writer refuses (an amount too long
// for it) is reported before anything is saved and the window stays open for the
// correction; otherwise the window closes once the files are dealt with.
class EFileFrameController : public QDialog, public DatabaseBoundWindow {
    Q_OBJECT
public:
    // The items of the 1099-NEC state pop-up; index 0 is no state file.
    static const std::array<const char*, 6> StateList;
    static constexpr const char* kNoNECState = "Select State";

    explicit EFileFrameController(QWidget* parent = nullptr);
    ~EFileFrameController() override;

    // The main window's hand-off entry: a new window with the main window as parent.
    static std::unique_ptr<QWidget> make(QWidget* parent);

    bool closeWithPrompt() override;

    const E_FileInfo& theEFileInfo() const { return theEFileInfo_; }
    const std::vector<bool>& flags() const { return flags_; }
    // The help window once it has been made.
    ::HowToEFile* helpWindow() const { return help_.get(); }

    // The controls into the transmitter record and back.
    void EFileInfoToView();
    void ViewToEFileInfo();
    // Checks every field, marks the failing ones, and stores the record when all pass.
    bool Validate();
    // The messages of the failing fields, in field order.
    std::vector<std::string> generateErrorStrings() const;
    // True when nothing failed, or when the user chose in the error list to go on.
    bool VerifySave();

public slots:
    void CreateEFile();
    void EFile_Cancel();
    void HowToEFile();
    // Escape takes the Cancel path.
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void windowDidLoad();
    void showErrors();
    void createMethod();
    // Stores the transmitter row; false (the store has told the user) when it failed.
    bool saveTransmitter();
    // Asks where to save a built file and copies it there; reports a failed write.
    // details: what the success message adds (the void recipients left out).
    void saveBuiltFile(const std::string& built, const std::string& proposedName, const std::string& success,
                       const std::string& details);
    // A file with nothing to file is told plainly; any other failure as an error.
    void showNotCreated(const EFileResult& result);
    void showNotCreated(const std::string& message);
    void textEdited(std::size_t field, const QString& text);
    void fieldAction(std::size_t field);

    std::unique_ptr<Ui::EFileFrameController> ui;
    E_FileInfo theEFileInfo_;
    std::vector<bool> flags_;
    std::vector<QLineEdit*> fields_;      // the ten text fields, in flag order without the state
    std::vector<QString> previous_;       // their texts before the current keystroke
    bool transmitterSaved_ = false;       // the last Validate stored the record
    std::string saveFolder_;              // where the save panel starts
    std::unique_ptr<::HowToEFile> help_;
};
