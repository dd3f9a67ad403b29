#include "ui/support/ProgressWindow.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QLocale>
#include <algorithm>
#include <limits>

namespace {
int gShowDelay = 500;
}

void ProgressWindow::setShowDelay(int milliseconds) { gShowDelay = milliseconds; }
int ProgressWindow::showDelay() { return gShowDelay; }

ProgressWindow::ProgressWindow(const JobRequest& request)
    : QProgressDialog(), cancellable_(request.cancellable), delay_(gShowDelay) {
    setObjectName("ProgressWindow");
    setWindowTitle(QString::fromStdString(request.title));
    setWindowModality(Qt::ApplicationModal);
    setAutoClose(false);
    setAutoReset(false);
    // The window shows itself by the delay above, never by its own estimate.
    setMinimumDuration(std::numeric_limits<int>::max());
    // QProgressDialog starts its own show timer (4 s) when it is made, and the duration
    // above does not stop it: a job waiting in the print dialog would get this
    // application-modal window over that dialog, which then takes no key or click.
    reset();
    if (!cancellable_) setCancelButton(nullptr);
    setMinimumWidth(360);
    started_.start();
    refresh();
}

ProgressWindow::~ProgressWindow() = default;

void ProgressWindow::setStep(const std::string& text) {
    step_ = QString::fromStdString(text);
    // A new step has no count until it reports one: never the last step's.
    done_ = 0;
    total_ = 0;
    refresh();
}

void ProgressWindow::setCount(int64_t done, int64_t total) {
    done_ = done;
    total_ = total;
    refresh();
}

bool ProgressWindow::cancelled() {
    QCoreApplication::processEvents();
    return cancellable_ && wasCanceled();
}

void ProgressWindow::endCancel() {
    if (!cancellable_) return;
    cancellable_ = false;
    setCancelButton(nullptr);
    refresh();
}

void ProgressWindow::showNow() {
    if (!isVisible() && !wasCanceled()) show();
    // Painted before the step blocks the window thread.
    QCoreApplication::processEvents();
}

void ProgressWindow::reject() {
    if (cancellable_) cancel();
}

void ProgressWindow::closeEvent(QCloseEvent* event) {
    if (cancellable_)
        cancel();
    event->ignore();
}

void ProgressWindow::refresh() {
    const QLocale locale;
    QString text = step_;
    if (total_ > 0) {
        text += QStringLiteral("\n") + locale.toString(static_cast<qlonglong>(done_)) + QStringLiteral(" of ") +
                locale.toString(static_cast<qlonglong>(total_));
        // The bar counts in steps that fit an int however long the job.
        const int64_t scale = total_ / std::numeric_limits<int>::max() + 1;
        setRange(0, static_cast<int>(total_ / scale));
        setValue(static_cast<int>(std::min(done_, total_) / scale));
    } else {
        // A step that cannot say how much is left still shows that it moves.
        if (done_ > 0) text += QStringLiteral("\n") + locale.toString(static_cast<qlonglong>(done_));
        setRange(0, 0);
    }
    setLabelText(text);
    if (!isVisible() && !wasCanceled() && started_.elapsed() >= delay_) show();
    QCoreApplication::processEvents();
}
