// The main window's recipient list on a large company file: 20 payers and 50,000
// recipients, one payer holding 5,000 of them.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "core/foundation/Session.h"
#include "core/store/ComapnyInfo.h"
#include "core/store/CompanyDatabase.h"
#include "core/store/RecipientAdditionalInfo.h"
#include "core/store/RecipientFullInfo.h"
#include "core/store/RecipientInfo.h"
#include "LargeCompanyFile.h"

namespace {

using bench::kPayers;

class LargeCompanyFile {
public:
    LargeCompanyFile() {
        resetSession();
        char pattern[] = "/tmp/talvexa-bench-XXXXXX";
        folder_ = mkdtemp(pattern);
        if (!db_.Init(folder_ + "/large company file.db", false, false, true, "Bench")) std::abort();

        bench::fillLargeCompanyFile(db_);
        for (int p = 0; p < kPayers; ++p) {
            ComapnyInfo listed;
            listed.setPK(p);
            all_.push_back(listed);
        }
    }
    ~LargeCompanyFile() {
        db_.Close();
        std::filesystem::remove_all(folder_);
    }

    CompanyDatabase& db() { return db_; }
    const std::vector<ComapnyInfo>& all() const { return all_; }

private:
    std::string folder_;
    CompanyDatabase db_;
    std::vector<ComapnyInfo> all_;
};

LargeCompanyFile& largeFile() {
    static LargeCompanyFile file;
    return file;
}

void BM_JoinedListOfOnePayer(benchmark::State& state) {
    auto& file = largeFile();
    const std::vector<ComapnyInfo> one(file.all().begin(), file.all().begin() + 1);
    size_t rows = 0;
    for (auto _ : state) {
        auto list = file.db().execRecipientFullInfoQuery(one, "", 0, 0, 0);
        rows = list.size();
        benchmark::DoNotOptimize(list);
    }
    state.counters["rows"] = static_cast<double>(rows);
}
BENCHMARK(BM_JoinedListOfOnePayer)->Unit(benchmark::kMillisecond);

void BM_JoinedListOfAllPayers(benchmark::State& state) {
    auto& file = largeFile();
    size_t rows = 0;
    for (auto _ : state) {
        auto list = file.db().execRecipientFullInfoQuery(file.all(), "", 0, 0, 0);
        rows = list.size();
        benchmark::DoNotOptimize(list);
    }
    state.counters["rows"] = static_cast<double>(rows);
}
BENCHMARK(BM_JoinedListOfAllPayers)->Unit(benchmark::kMillisecond);

void BM_JoinedListOfOnePayerFiltered(benchmark::State& state) {
    auto& file = largeFile();
    const std::vector<ComapnyInfo> one(file.all().begin(), file.all().begin() + 1);
    for (auto _ : state) {
        auto list = file.db().execRecipientFullInfoQuery(one, "sur*1", 1, 1, 0);
        benchmark::DoNotOptimize(list);
    }
}
BENCHMARK(BM_JoinedListOfOnePayerFiltered)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
