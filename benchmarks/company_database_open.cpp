// Creating a new company database (every schema step and the seeding) and opening an
// existing one with verification and the in-use mark.

#include <benchmark/benchmark.h>
#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "core/foundation/Session.h"
#include "core/store/CompanyDatabase.h"
#include "platform/FileSystem.h"

namespace {

std::string scratchFolder() {
    static std::string folder = [] {
        std::string tmpl = "/tmp/talvexa-bench-XXXXXX";
        if (!mkdtemp(tmpl.data())) std::abort();
        return tmpl;
    }();
    return folder;
}

double fileSize(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 ? static_cast<double>(st.st_size) : -1;
}

void BM_CreateNewCompanyDatabase(benchmark::State& state) {
    resetSession();
    const std::string path = scratchFolder() + "/new.db";
    for (auto _ : state) {
        state.PauseTiming();
        std::remove(path.c_str());
        state.ResumeTiming();
        CompanyDatabase cdb;
        if (!cdb.Init(path, true, false, true, "Bench")) state.SkipWithError("open failed");
        cdb.Close();
    }
    state.counters["file_bytes"] = fileSize(path);
}
BENCHMARK(BM_CreateNewCompanyDatabase)->Unit(benchmark::kMillisecond);

void BM_OpenExistingCompanyDatabase(benchmark::State& state) {
    resetSession();
    const std::string path = scratchFolder() + "/existing.db";
    std::remove(path.c_str());
    {
        CompanyDatabase cdb;
        if (!cdb.Init(path, false, false, true, "Bench")) state.SkipWithError("create failed");
    }
    for (auto _ : state) {
        CompanyDatabase cdb;
        if (!cdb.Init(path, true, false, true, "Bench")) state.SkipWithError("open failed");
        cdb.Close();
    }
    state.counters["file_bytes"] = fileSize(path);
}
BENCHMARK(BM_OpenExistingCompanyDatabase)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    platform::removePath(scratchFolder());
    return 0;
}
