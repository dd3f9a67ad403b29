#pragma once

#include <memory>
#include <string>
#include <vector>

#include "ScriptedUserInterface.h"
#include "core/foundation/JobProgress.h"

// A scripted user interface that also shows progress windows: it records every job's
// title and steps and the last count of each step, and presses Cancel when asked.
class ScriptedJobsUserInterface : public ScriptedUserInterface {
public:
    struct Job {
        JobRequest request;
        std::vector<std::string> steps;
        std::vector<std::pair<int64_t, int64_t>> lastCounts;  // per step: done, total
        int questions = 0;           // how often the job asked whether it was cancelled
        bool cancelOffered = true;   // false once the job reached its commit
        bool cancelPressed = false;
        bool closed = false;
        std::vector<std::string> shownAtOnce;   // the steps whose window showed at once
    };

    // Cancel is pressed when a job first asks during a step whose text begins so.
    void cancelDuring(std::string stepPrefix) { cancelDuring_ = std::move(stepPrefix); }
    const std::vector<std::shared_ptr<Job>>& jobs() const { return jobs_; }

    std::unique_ptr<JobProgress> jobProgress(const JobRequest& request) override {
        auto job = std::make_shared<Job>();
        job->request = request;
        job->cancelOffered = request.cancellable;
        jobs_.push_back(job);
        return std::make_unique<Window>(job, cancelDuring_);
    }

private:
    class Window : public JobProgress {
    public:
        Window(std::shared_ptr<Job> job, std::string cancelDuring)
            : job_(std::move(job)), cancelDuring_(std::move(cancelDuring)) {}
        ~Window() override { job_->closed = true; }
        void setStep(const std::string& text) override {
            job_->steps.push_back(text);
            job_->lastCounts.emplace_back(0, 0);
        }
        void setCount(int64_t done, int64_t total) override {
            if (job_->lastCounts.empty()) job_->lastCounts.emplace_back(0, 0);
            job_->lastCounts.back() = {done, total};
        }
        bool cancelled() override {
            ++job_->questions;
            if (job_->cancelOffered && !cancelDuring_.empty() && !job_->steps.empty() &&
                job_->steps.back().rfind(cancelDuring_, 0) == 0)
                job_->cancelPressed = true;
            return job_->cancelPressed && job_->cancelOffered;
        }
        void endCancel() override { job_->cancelOffered = false; }
        void showNow() override { job_->shownAtOnce.push_back(job_->steps.empty() ? "" : job_->steps.back()); }

    private:
        std::shared_ptr<Job> job_;
        std::string cancelDuring_;
    };

    std::string cancelDuring_;
    std::vector<std::shared_ptr<Job>> jobs_;
};
