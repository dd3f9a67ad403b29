#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

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
    int32_t style = 4;
    std::string title;
    int32_t image = 0x100;
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

struct MessageBoxResult {
    int code = 1000;                   // 2 (Button3), 8 (Button1), 16 (Button2), 1000 (close box)
    bool doNotShowAgain = false;       // check-box variant: state when the box closed
};

class UserInterface {
public:
    virtual ~UserInterface() = default;

    virtual MessageBoxResult messageBox(const MessageBoxRequest& request) = 0;

    // The validation-error list; true when the user chose to save anyway.
    virtual bool formErrors(const std::vector<std::string>& errors) = 0;

    // The welcome window; returns its end code (1111 on Continue).
    virtual int welcome() = 0;

    // The configuration-setup window for the caller's directory object (may be null).
    // Returns the end code (1234 readable and writable, 1000 not, 2000 cancelled and
    // stayed) and sets selectedDir to the chosen base folder, ending in "/".
    virtual int configurationSetup(TalvexaDir* dirObject, std::string& selectedDir) = 0;

    // Shows a text in the print-preview window; returns its end code (1234).
    virtual int printPreview(const std::string& text) = 0;

    // The create-database dialog; returns its end code (1234 created, 1001 Cancel,
    // 1000 close box) and fills the created database's entry.
    virtual int createDatabase(databaseInfo& created) = 0;

    // Brings the main window's menus, buttons and information line up to date.
    virtual void refreshMainWindow() = 0;
};
