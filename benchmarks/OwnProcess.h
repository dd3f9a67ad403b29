#pragma once

// Peak memory beside time. getrusage gives the peak resident memory of a whole process
// so far, so a job whose peak is reported runs in a process of its own: each timed run
// is forked from a benchmark process that holds nothing large (the files it works on
// are made by another forked process beforehand), does its untimed preparation and
// its timed job there, and sends back the job's time and the process's peak. The
// benchmark is registered with UseManualTime().

#include <benchmark/benchmark.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <string>

namespace bench {

// The peak resident memory of this process so far, in MiB.
inline double peakMemoryMiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;   // ru_maxrss is in KiB
}

// Runs work in a forked process and waits for it; false when it did not end with 0.
inline bool inChildProcess(const std::function<int()>& work) {
    const pid_t pid = fork();
    if (pid < 0) return false;
    if (pid == 0) {
        int code = 1;
        try {
            code = work();
        } catch (...) {
        }
        _exit(code);
    }
    int status = 0;
    if (waitpid(pid, &status, 0) != pid) return false;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

struct OwnProcessRun {
    double seconds = 0;
    double peakMiB = 0;
    double baseMiB = 0;   // the peak after the preparation, before the job
};

// One run in a process of its own: prepare (untimed), then job (timed). False when
// either fails.
inline bool runInOwnProcess(const std::function<bool()>& prepare, const std::function<bool()>& job,
                            OwnProcessRun& run) {
    int channel[2];
    if (pipe(channel) != 0) return false;
    const bool ok = inChildProcess([&] {
        close(channel[0]);
        OwnProcessRun measured;
        if (!prepare()) return 1;
        measured.baseMiB = peakMemoryMiB();
        const auto start = std::chrono::steady_clock::now();
        if (!job()) return 1;
        measured.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        measured.peakMiB = peakMemoryMiB();
        const bool sent = write(channel[1], &measured, sizeof measured) == static_cast<ssize_t>(sizeof measured);
        close(channel[1]);
        return sent ? 0 : 1;
    });
    close(channel[1]);
    OwnProcessRun received;
    const bool got = read(channel[0], &received, sizeof received) == static_cast<ssize_t>(sizeof received);
    close(channel[0]);
    if (!ok || !got) return false;
    run = received;
    return true;
}

// Each iteration in a process of its own; reports the highest peak (peakMiB) and the
// peak before the job (baseMiB) beside the job's time. Gives the jobs' mean time in
// seconds (0 when a run failed), for comparing one benchmark with another.
inline double timeInOwnProcesses(benchmark::State& state, const std::function<bool()>& prepare,
                                 const std::function<bool()>& job) {
    double peak = 0, base = 0, total = 0;
    int runs = 0;
    for (auto _ : state) {
        OwnProcessRun run;
        if (!runInOwnProcess(prepare, job, run)) {
            state.SkipWithError("the run failed");
            return 0;
        }
        state.SetIterationTime(run.seconds);
        total += run.seconds;
        ++runs;
        peak = std::max(peak, run.peakMiB);
        base = std::max(base, run.baseMiB);
    }
    state.counters["peakMiB"] = peak;
    state.counters["baseMiB"] = base;
    return runs > 0 ? total / runs : 0;
}

}  // namespace bench
