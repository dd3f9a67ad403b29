#pragma once

#include <QElapsedTimer>
#include <QProgressDialog>

#include "core/foundation/JobProgress.h"

// The progress window of a long job: the job's step and count, and Cancel while the
// job can still stop. It stays hidden until the job has run for the show delay
// (500 ms; tests set 0), and lets the windows repaint at every update.
class ProgressWindow : public QProgressDialog, public JobProgress {
public:
    explicit ProgressWindow(const JobRequest& request);
    ~ProgressWindow() override;

    void setStep(const std::string& text) override;
    void setCount(int64_t done, int64_t total) override;
    bool cancelled() override;
    void endCancel() override;
    void showNow() override;

    // How long a job runs before its window shows, for every window made from now on.
    static void setShowDelay(int milliseconds);
    static int showDelay();

protected:
    void reject() override;
    void closeEvent(QCloseEvent* event) override;

private:
    void refresh();

    QString step_;
    int64_t done_ = 0;
    int64_t total_ = 0;
    bool cancellable_;
    int delay_;
    QElapsedTimer started_;
};
