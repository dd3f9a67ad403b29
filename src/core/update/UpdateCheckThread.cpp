#include "core/update/UpdateCheckThread.h"

#include <exception>

#include "platform/SystemLog.h"

UpdateCheckThread::UpdateCheckThread(UpdateCheckSlowStep slow, std::function<void(UpdateCheckLastStep)> done) {
    thread_ = std::thread([this, slow = std::move(slow), done = std::move(done)] {
        try {
            const platform::WebRequestStopScope scope(stop_);
            UpdateCheckLastStep last = slow ? slow() : UpdateCheckLastStep{};
            if (!stop_.stopped() && done) done(std::move(last));
        } catch (const std::exception& e) {
            // Nothing may leave the thread; the check just ends without a word, as a
            // failed check at start-up does.
            platform::systemLog(std::string("Update check: ") + e.what());
        }
    });
}

UpdateCheckThread::~UpdateCheckThread() { stop(); }

void UpdateCheckThread::stop() {
    stop_.stop();
    if (thread_.joinable() && thread_.get_id() != std::this_thread::get_id()) thread_.join();
}
