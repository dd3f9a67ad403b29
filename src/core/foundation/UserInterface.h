#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/foundation/JobProgress.h"
#include "core/foundation/MessageBoxCodes.h"

class SheetModel;
class TalvexaDir;
class databaseInfo;

// Everything core code shows to the user or asks of the user passes through this
// interface. The window layer installs its implementation at start-up; tests install
// a scripted one.

// One message box as the callers configure it. The three entry points of tvDatabase
// fill it; direct users (start-up windows) may also set the button labels.
struct MessageBoxRequest {
    enum class Variant { Plain, CheckBox, NamedButtons };
    Variant variant = Variant::Plain;

    std::string caption;
    std::string details;
    int32_t style = kMessageStyleOK;
    std::string title;
    int32_t image = kMessageImageMessage;
    bool flag = false;                 // Button2 preselected

    // Check-box variant.
    bool checkBoxState = false;        // initial state of "do not show again"
    bool hideLink = true;

    // Named-buttons variant.
    std::string button3Title;          // affirmative button
    std::string button2Title;
    bool showPatchLink = false;
    std::string linkTitle;             // with showPatchLink: the link's title and address
    std::string linkAddress;

    // Labels set before the style is applied (setOkYesButtonLabel / setCancelButtonLabel /
    // setNoButtonlabel); absent means the layout's own title.
    std::optional<std::string> okYesLabel;
    std::optional<std::string> cancelLabel;
    std::optional<std::string> noLabel;

    // What Copy puts on the clipboard when not empty (a web address the box names, say);
    // otherwise the caption and details.
    std::string copyText;
};

// The program's alert with named buttons.
enum class AlertIcon { Message, Error, Prompt, Plain, Info };

struct AlertRequest {
    AlertIcon icon = AlertIcon::Plain;
    std::string title;                 // window title
    std::string message;
    std::string informative;
    std::vector<std::string> buttons;  // titles, first to last
    size_t returnButton = 0;           // index of the button that the Return key presses
};

// An open-file chooser offering one type of file.
struct OpenFileRequest {
    std::string message;               // the chooser's title
    std::string fileType;              // the extension offered, without the dot ("txt"); empty for any file
    std::string typeName;              // how the chooser names that type ("Text File"); may be empty
    std::string startFolder = {};      // where the chooser opens; empty for its own choice
};

// A folder chooser (no new folders, one folder).
struct FolderRequest {
    std::string message;               // the chooser's title
    std::string startFolder = {};      // where the chooser opens; empty for its own choice
};

// A save-file chooser: the name it proposes in the folder it opens in, offering one
// type of file. It asks before an existing file is replaced.
struct SaveFileRequest {
    std::string message;               // the chooser's title
    std::string startFolder;
    std::string fileName;              // the proposed name, without folder
    std::string fileType;              // the extension offered and added to a name typed without it ("db")
    std::string typeName;              // how the chooser names that type
};
// The cloud backup enrolment dialog: Continue (the backup goes on) and Close (no backup).
inline constexpr int kCloudBackupContinueCode = 1234;
inline constexpr int kCloudBackupCloseCode = 1000;

// One print run handed to the printer: the job's name (shown by the print dialog and
// the print queue) and the finished PDF document, whose pages are printed in order at
// their own size. A form run hands its composed sheets instead (pdf stays empty); the
// window layer paints them, one letter page per sheet.
struct PrintJob {
    std::string title;
    std::string pdf;
    std::shared_ptr<const SheetModel> sheets;
};

// What became of a print job: printed (handed to the printer, or written where the
// user chose), cancelled by the user in the print dialog, not printed because the
// printer or the print service refused it (the user has been told why), or held: handed
// to a print queue that is stopped, where it waits and prints once the queue is started
// again (the user has been told so; a run of forms asks for no further paper then).
enum class PrintResult { printed, cancelled, failed, held };

struct MessageBoxResult {
    int code = kMessageAnswerCloseBox;   // one of the kMessageAnswer codes
    bool doNotShowAgain = false;         // check-box variant: state when the box closed
};

// End codes of the windows run through the interface below.
// The welcome window: Continue, its close box and Escape.
inline constexpr int kWelcomeContinueCode = 1111;
// The configuration-setup window: Finish on a base folder that may be read and written,
// Finish on one that may not, and Cancel answered by staying in the program.
inline constexpr int kSetupUsableFolderCode = 1234;
inline constexpr int kSetupUnusableFolderCode = 1000;
inline constexpr int kSetupCancelledCode = 2000;
// The print-preview window, closed.
inline constexpr int kPrintPreviewClosedCode = 1234;
// The create-database dialog: created (the second code is taken as created too),
// Cancel, and its close box.
inline constexpr int kCreateDatabaseCreatedCode = 1234;
inline constexpr int kCreateDatabaseCreatedAltCode = 1221;
inline constexpr int kCreateDatabaseCancelCode = 1001;
inline constexpr int kCreateDatabaseCloseBoxCode = 1000;
// The alert: the first button, the second; a further button answers the next code.
// An alert closed without a button answers as its last button.
inline constexpr int kAlertFirstButtonCode = 1000;
inline constexpr int kAlertSecondButtonCode = 1001;
// The import error list: OK (go on with the import) and Cancel (stop it).
inline constexpr int kImportErrorsOKCode = 1234;
inline constexpr int kImportErrorsCancelCode = 1000;
// The import conflict list: OK (overwrite the chosen rows) and Cancel.
inline constexpr int kImportConflictsOKCode = 1234;
inline constexpr int kImportConflictsCancelCode = 1000;

class UserInterface {
public:
    virtual ~UserInterface() = default;

    virtual MessageBoxResult messageBox(const MessageBoxRequest& request) = 0;

    // The validation-error list; true when the user chose to save anyway.
    virtual bool formErrors(const std::vector<std::string>& errors) = 0;

    // The welcome window; returns its end code (kWelcomeContinueCode).
    virtual int welcome() = 0;

    // The configuration-setup window for the caller's directory object (may be null).
    // Returns the end code (kSetupUsableFolderCode, kSetupUnusableFolderCode or
    // kSetupCancelledCode) and sets selectedDir to the chosen base folder, ending in "/".
    virtual int configurationSetup(TalvexaDir* dirObject, std::string& selectedDir) = 0;

    // Shows a text in the print-preview window; returns its end code
    // (kPrintPreviewClosedCode).
    virtual int printPreview(const std::string& text) = 0;

    // The create-database dialog; returns its end code (the kCreateDatabase codes) and
    // fills the created database's entry.
    virtual int createDatabase(databaseInfo& created) = 0;

    // Brings the main window's menus, buttons and information line up to date.
    virtual void refreshMainWindow() = 0;

    // The alert; returns kAlertFirstButtonCode plus the index of the pressed button.
    virtual int alert(const AlertRequest& request) = 0;

    // An existing file chosen by the user, as a local path; nothing when cancelled.
    virtual std::optional<std::string> chooseOpenFile(const OpenFileRequest& request) = 0;

    // The import error list of the given texts; returns kImportErrorsOKCode or
    // kImportErrorsCancelCode.
    virtual int importErrors(const std::vector<std::string>& errors) = 0;

    // The import conflict list, one row per name. Returns kImportConflictsOKCode or
    // kImportConflictsCancelCode; chosenRows receives the rows selected when OK was
    // pressed, in ascending order (none after Cancel).
    virtual int importConflicts(const std::vector<std::string>& names, std::vector<int>& chosenRows) = 0;

    // The main window's close of its company database, with the automatic backup
    // offered when asked; false, with the database still open, when the main window
    // cannot close it (a window the user kept open).
    virtual bool closeDatabase(bool offerBackup, bool automatic) = 0;
    // The main window reopens the company database recorded as the recent one; false
    // when there is none or it could not be opened.
    virtual bool openRecentDatabase() = 0;

    // Prints a job through the print dialog; says whether it went to the printer, the
    // user cancelled the dialog, or it could not be printed (the implementation has told
    // the user why).
    virtual PrintResult print(const PrintJob& job) = 0;

    // A folder chosen by the user, as a local path; nothing when cancelled.
    virtual std::optional<std::string> chooseFolder(const FolderRequest& request) = 0;

    // A file to save under, as a local path; nothing when cancelled.
    virtual std::optional<std::string> chooseSaveFile(const SaveFileRequest& request) = 0;
    // The cloud backup enrolment dialog; returns kCloudBackupContinueCode or kCloudBackupCloseCode.
    virtual int cloudBackupEnrolment() = 0;
    // The progress window of a long job (use JobMeter); null shows nothing.
    virtual std::unique_ptr<JobProgress> jobProgress(const JobRequest& request) {
        (void)request;
        return nullptr;
    }
};
