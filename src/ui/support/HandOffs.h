#pragma once

#include <functional>
#include <memory>

#include "core/update/UpdateCheckThread.h"

class QWidget;

// The work that the main window's commands hand over, after their own checks, to the
// windows and routines of other parts of the program. Each part installs its entries
// at start-up (src/app/main.cpp); tests install recorders. An entry left empty is work
// this program does not do yet: its command then says so and changes nothing.
//
// Every entry receives the main window as the parent of what it shows. The selection
// it works on is the one in session().comp_details and session().recp_details.
struct HandOffs {
    // ---- printing ----
    // The recipient copies of the selected recipients of the form kind in recp_details
    // (option window, alignment dialog, print run).
    std::function<void(QWidget* parent)> printFormsForRecipients;
    // The filing copies and the 1096 of the selection, in a window run modally.
    std::function<void(QWidget* parent)> printFormsForFiling;
    // The label settings window, run modally; returns its end code (the
    // kLabelSettings codes below).
    std::function<int(QWidget* parent)> mailingLabelSettings;
    // Prints the mailing labels.
    std::function<void(QWidget* parent)> mailingLabelReport;
    // Prints the summary report.
    std::function<void(QWidget* parent)> summaryReport;
    // The print-layout editor, run modally.
    std::function<void(QWidget* parent)> editPrintLayouts;

    // ---- filing ----
    // Makes the e-file window, which stands beside the main window; the main window
    // keeps it while it is open and shows the same one again.
    std::function<std::unique_ptr<QWidget>(QWidget* parent)> makeEFileWindow;
    // The IRIS payer window, run modally. It puts the main window's menus back itself
    // when it ends (EnableMenuButtons).
    std::function<void(QWidget* parent)> runIrisWindow;

    // ---- import and new year ----
    // The import dialog, run modally; returns its end code (kImportDoneCode when
    // something was imported).
    std::function<int(QWidget* parent)> runImportDialog;
    // Makes the new-year window to stand beside the main window, kept like the e-file
    // window.
    std::function<std::unique_ptr<QWidget>(QWidget* parent)> makeNewYearWindow;
    // The new-year window run modally; returns its end code (kNewYearMadeCode when the
    // new year's database was made).
    std::function<int(QWidget* parent)> runNewYearWindow;

    // ---- administration ----
    // The user-account dialog, run modally.
    std::function<void(QWidget* parent)> runAccountDialog;
    // Backs up the open company database.
    std::function<void(QWidget* parent)> backup;
    // Puts a backup back in place of the open company database.
    std::function<void(QWidget* parent)> restore;
    // Asks the cloud backup service for a backup, in the web browser.
    std::function<void(QWidget* parent)> cloudDownload;

    // ---- updates ----
    // The update check: asked by the user or at start-up, and whether the Internet can
    // be reached. True when a patch installer has been started and the program must end.
    std::function<bool(bool askedByUser, bool internet)> latestVersion;
    // Whether the maker's web site answers; the update check is told the result.
    std::function<bool()> internetAvailable;
    // The silent check at start-up, prepared on the window's thread once the main window
    // shows the reopened database; its slow step runs off the window's thread. Empty
    // (or an empty step): no check at start-up.
    std::function<UpdateCheckSlowStep()> launchUpdateCheck;
};

// The program's one table.
HandOffs& handOffs();

// ---- end codes of the windows behind the entries ----
// The label settings window: Save (settings stored, nothing printed), Restore, and
// Cancel (which has printed the labels itself).
inline constexpr int kLabelSettingsSavedCode = 1234;
inline constexpr int kLabelSettingsRestoredCode = 1000;
inline constexpr int kLabelSettingsCancelledCode = 10000;
// The import dialog: something was imported, and cancelled.
inline constexpr int kImportDoneCode = 1000;
inline constexpr int kImportCancelledCode = 10000;
// The new-year window: the new year's database was made.
inline constexpr int kNewYearMadeCode = 1234;
