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
    bench::reportPeakMemory(state);
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
    bench::reportPeakMemory(state);
}
BENCHMARK(BM_JoinedListOfAllPayers)->Unit(benchmark::kMillisecond);

void BM_JoinedListOfOnePayerFiltered(benchmark::State& state) {
    auto& file = largeFile();
    const std::vector<ComapnyInfo> one(file.all().begin(), file.all().begin() + 1);
    for (auto _ : state) {
        auto list = file.db().execRecipientFullInfoQuery(one, "sur*1", 1, 1, 0);
        benchmark::DoNotOptimize(list);
    }
    bench::reportPeakMemory(state);
}
BENCHMARK(BM_JoinedListOfOnePayerFiltered)->Unit(benchmark::kMillisecond);

// Adding recipients one by one, each in its own transaction as the entry window saves
// them, into files of 5,000 and of 200,000 recipients. CPU time is the figure: each
// commit's wait for the disk is the same at both sizes and would hide any growth.
class GrowingFile {
public:
    explicit GrowingFile(int recipients) {
        char pattern[] = "/tmp/talvexa-bench-XXXXXX";
        folder_ = mkdtemp(pattern);
        if (!db_.Init(folder_ + "/growing.db", false, false, true, "Growing")) std::abort();
        bench::fillLargeCompanyFile(db_, bench::kPayers, recipients);
    }
    ~GrowingFile() {
        db_.Close();
        std::filesystem::remove_all(folder_);
    }
    CompanyDatabase& db() { return db_; }

private:
    std::string folder_;
    CompanyDatabase db_;
};

void BM_AddRecipientsOneByOne(benchmark::State& state) {
    resetSession();
    GrowingFile file(static_cast<int>(state.range(0)));
    constexpr int kAdded = 1000;
    int serial = 0;
    for (auto _ : state) {
        for (int i = 0; i < kAdded; ++i, ++serial) {
            RecipientInfo r;
            r.setCompany_FK(1);
            r.setType(7);
            r.setFirstName("Added");
            r.setLastName("Recipient " + std::to_string(serial));
            r.setTaxID(std::to_string(900000000 + serial));
            RecipientAdditionalInfo a;
            a.setCompany_FK(1);
            a.setType(7);
            a.setlastname("Added " + std::to_string(serial));
            if (!file.db().insertRecipientInfo(r, a)) std::abort();
        }
    }
    state.SetItemsProcessed(state.iterations() * kAdded);
    // Seconds of processor time per recipient added.
    state.counters["per_recipient"] = benchmark::Counter(static_cast<double>(state.iterations() * kAdded),
                                                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    bench::reportPeakMemory(state);
}
BENCHMARK(BM_AddRecipientsOneByOne)->Arg(5000)->Arg(bench::kRecipientsLarge)->Iterations(2)
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
