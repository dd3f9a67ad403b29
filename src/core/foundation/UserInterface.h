#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/foundation/MessageBoxCodes.h"

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
};

// One print run handed to the printer: the job's name (shown by the print dialog and
// the print queue) and the finished PDF document, whose pages are printed in order at
// their own size.
struct PrintJob {
    std::string title;
    std::string pdf;
};

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

    // Prints a job through the print dialog. True when it went to the printer; false
    // when the user cancelled the dialog or it could not be printed (the implementation
    // has told the user why).
    virtual bool print(const PrintJob& job) = 0;
};
