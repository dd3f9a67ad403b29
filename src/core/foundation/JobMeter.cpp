#include "core/foundation/JobMeter.h"

#include "core/foundation/Session.h"
#include "core/foundation/UserInterface.h"

namespace {
constexpr std::chrono::milliseconds kUpdateInterval{100};
}

JobMeter::JobMeter(const std::string& title, bool cancellable) : cancellable_(cancellable) {
    if (UserInterface* ui = session().ui) progress_ = ui->jobProgress(JobRequest{title, cancellable});
}

JobMeter::~JobMeter() = default;

void JobMeter::step(const std::string& text, int64_t total) {
    if (!progress_) return;
    total_ = total;
    progress_->setStep(text);
    progress_->setCount(0, total);
    last_ = {};   // the step's first count is always shown
}

void JobMeter::longStep(const std::string& text) {
    if (!progress_) return;
    step(text);
    progress_->showNow();
}

bool JobMeter::advance(int64_t done) {
    if (!progress_) return false;
    const auto now = std::chrono::steady_clock::now();
    if (done != total_ && now - last_ < kUpdateInterval) return cancelled_;
    last_ = now;
    progress_->setCount(done, total_);
    return cancelled();
}

bool JobMeter::cancelled() {
    if (!progress_ || !cancellable_) return false;
    if (!cancelled_) cancelled_ = progress_->cancelled();
    return cancelled_;
}

void JobMeter::commitPoint() {
    if (!progress_) return;
    cancellable_ = false;
    progress_->endCancel();
}
