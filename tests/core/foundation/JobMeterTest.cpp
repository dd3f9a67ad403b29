#include <gtest/gtest.h>

#include <chrono>

#include "ScriptedJobs.h"
#include "core/foundation/JobMeter.h"
#include "core/foundation/Session.h"

namespace {

// Without a user interface, or with one that shows no progress, a job runs as before.
TEST(JobMeter, WithoutAWindowEveryCallDoesNothing) {
    resetSession();
    JobMeter quiet("Job", true);
    quiet.step("Reading", 3);
    EXPECT_FALSE(quiet.advance(1));
    EXPECT_FALSE(quiet.cancelled());
    quiet.commitPoint();
}

// A job may report every row: the window hears of it a bounded number of times, and
// always of the step's last count.
TEST(JobMeter, CheapRowsReachTheWindowAtABoundedRate) {
    resetSession();
    ScriptedJobsUserInterface ui;
    const auto started = std::chrono::steady_clock::now();
    {
        JobMeter meter("Job", true);
        meter.step("Reading", 2'000'000);
        for (int64_t row = 1; row <= 2'000'000; ++row)
            if (meter.advance(row)) break;
    }
    const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - started);
    const auto& job = *ui.jobs().at(0);
    EXPECT_LE(job.questions, 3 + elapsed.count() / 100) << elapsed.count() << " ms";
    EXPECT_EQ(job.lastCounts.back(), (std::pair<int64_t, int64_t>{2'000'000, 2'000'000}));
    EXPECT_TRUE(job.closed);
}

// Cancel is answered until the commit point, never after it.
TEST(JobMeter, CancelIsAnsweredOnlyBeforeTheCommitPoint) {
    resetSession();
    ScriptedJobsUserInterface ui;
    ui.cancelDuring("Saving");
    JobMeter meter("Job", true);
    meter.step("Reading", 2);
    EXPECT_FALSE(meter.advance(1));
    meter.commitPoint();
    meter.step("Saving");
    EXPECT_FALSE(meter.cancelled());
    EXPECT_FALSE(ui.jobs()[0]->cancelOffered);

    JobMeter uncancellable("Backup", false);
    uncancellable.step("Saving");
    EXPECT_FALSE(uncancellable.cancelled());
}

}  // namespace
