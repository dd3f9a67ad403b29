#pragma once

#include <functional>
#include <string>

#include <QString>

class QDialog;
class QWidget;

// Application-modal runs of windows. Every modal window of the program goes through
// runModal: it shows the window application-modal, spins an event loop of its own and
// returns the code that stopModal gave for that window. Runs nest; stopModal ends only
// the run of the window it names, never "the innermost one".
int runModal(QWidget* window);

// What a run returns when its window went away without a code of its own: closed,
// hidden or destroyed behind the loop's back, or run while it was already running.
inline constexpr int kModalClosedCode = 1000;

// Ends the run of `window` with `code` and hides the window. A window without a run is
// left alone.
void stopModal(QWidget* window, int code);

// For Qt's own dialogs that finish their work inside exec() (QPageSetupDialog hands
// the choices to its printer only there): runs dialog->exec() application-modal and
// returns its result, giving the responder, the failure handler and the window image
// the dialog as runModal gives them a window. Such a run ends through the dialog's own
// buttons, accept(), reject() or done(); stopModal does not reach it.
int runModalExec(QDialog* dialog);

// True while `window` has a run that has not been stopped.
bool isRunningModal(const QWidget* window);

// --- Test hooks -------------------------------------------------------------------

// A responder receives every window that starts a run (tests look at its objectName),
// may set fields and press buttons, and ends the run; it is called synchronously, so a
// nested window that it opens reaches it again.
using ModalResponder = std::function<void(QWidget& window)>;
void setModalResponder(ModalResponder responder);   // an empty function removes it

// Installs a responder for the lifetime of the object and restores the previous one.
class ScopedModalResponder {
public:
    explicit ScopedModalResponder(ModalResponder responder);
    ~ScopedModalResponder();
    ScopedModalResponder(const ScopedModalResponder&) = delete;
    ScopedModalResponder& operator=(const ScopedModalResponder&) = delete;

private:
    ModalResponder previous_;
};

// When a failure handler is installed (tests do), a run is never left waiting for a
// user: a window that no responder answers, or that the responder leaves running, is
// reported through the handler and ended through its close path (a dialog's reject(),
// else close()); the run returns the code that path gives (kModalClosedCode when it
// gives none).
void setModalFailureHandler(std::function<void(const std::string& why)> handler);

// When a folder is set, every window that starts a run is saved as
// <folder>/<objectName>.png (a second one of the same name in that folder as
// <objectName>-2.png, and so on), so windows can be looked at without a display.
void setWindowImageFolder(const QString& folder);   // empty: off
